#include "ui/main_window.h"

#include "ui/about_dialog.h"
#include "ui/design_window.h"
#include "pages/form_layout.h"
#include "ui/form_widgets.h"
#include "pages/pages.h"
#include "ui/tab_control.h"
#include "ui/widget_fields.h"

#include <QApplication>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

namespace spirelle {
namespace {

// The XPM images are C arrays compiled in: read by Qt's built-in XPM reader,
// with no resource lookup and no image-format plugins loaded at start-up.
#include "icons/spirelle-16.xpm"
#include "icons/spirelle-32.xpm"

QIcon WindowIconPixmaps()
{
    QIcon icon;
    icon.addPixmap(QPixmap(spirelle_16));
    icon.addPixmap(QPixmap(spirelle_32));
    return icon;
}

} // namespace

MainWindow::MainWindow(AboutDialogRef &about, QWidget *parent) : QMainWindow(parent), m_about(about)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Spirelle"));
    setWindowIcon(WindowIconPixmaps());
    setFont(FormFont());
    createMenus();
    createPages();
    createTabOrder();
    // The client area below the menu bar; nothing inside follows later resizes.
    const QRect client = ToPixels(layout::kWindowClient);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    findChild<QWidget *>(QStringLiteral("Text16"))->setFocus();
}

void MainWindow::createMenus()
{
    menuBar()->setAccessibleName(QStringLiteral("Main menu"));
    QMenu *menu = menuBar()->addMenu(QStringLiteral("Menu"));
    menu->setObjectName(QStringLiteral("menu"));
    QAction *design = menu->addAction(QStringLiteral("Design for a band…"));
    design->setObjectName(QStringLiteral("design"));
    connect(design, &QAction::triggered, this, &MainWindow::design_Click);
    QAction *about = menu->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("about"));
    connect(about, &QAction::triggered, this, &MainWindow::about_Click);
}

void MainWindow::createPages()
{
    auto *client = new QWidget(this);
    setCentralWidget(client);

    QStringList captions;
    for (const std::string_view caption : layout::kPageCaptions)
        captions << ToQString(caption);
    m_tabs = new TabControl(captions, ToPixels(0, 0, 0, layout::kTabHeight).height(), client);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(ToPixels(layout::kTabControl));
    connect(m_tabs, &TabControl::pageChanged, this, &MainWindow::SSTab1_Click);

    QWidget *frame = nullptr;
    for (int page = 0; page < layout::kPageCount; ++page) {
        for (const layout::Control &control : layout::PageControls(page)) {
            const bool inFrame = control.has(layout::Flag::InFrame);
            QWidget *widget = CreateControl(control, inFrame ? frame : m_tabs);
            if (control.kind == layout::Kind::Frame)
                frame = widget;
            if (!inFrame)
                m_tabs->addToPage(page, widget);
        }
    }
    // The frame lies behind the boxes that stand over its area.
    frame->lower();

    const auto button = [this](const char *name) { return findChild<QPushButton *>(QLatin1String(name)); };
    connect(button("Command2"), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(button("Command1"), &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(button("Command3"), &QPushButton::clicked, this, &MainWindow::Command3_Click);
}

void MainWindow::createTabOrder()
{
    // One chain through all pages; hidden and disabled controls are skipped, so
    // each page cycles through its own inputs and the tab row.
    QWidget *previous = m_tabs->tabBar();
    for (const char *name : {"Text16", "Text15", "Command2", "Text9", "Text10", "Command1", "Text19", "Text20",
                             "Command3", "Text21", "Text22"}) {
        QWidget *next = findChild<QWidget *>(QLatin1String(name));
        setTabOrder(previous, next);
        previous = next;
    }
}

void MainWindow::runHandler(const std::function<void(FieldAccess &, const Separators &)> &handler)
{
    WidgetFields fields(this);
    QString message;
    try {
        const QLocale locale;
        const std::string decimal = locale.decimalPoint().toStdString();
        const std::string group = locale.groupSeparator().toStdString();
        handler(fields, Separators(decimal, group));
        return;
    } catch (const std::exception &error) { // a CalcError, or a ControlError from a missing control
        message = QString::fromUtf8(error.what());
    }
    // On the heap: should the window be destroyed while the box is open, it
    // takes the box with it, and the QPointer notices.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Critical, QStringLiteral("Spirelle"), message,
                                                QMessageBox::Ok, this);
    box->setObjectName(QStringLiteral("errorMessage"));
    box->exec();
    delete box.data();
}

void MainWindow::Command2_Click() { runHandler(spirelle::Command2_Click); }

void MainWindow::Command1_Click() { runHandler(spirelle::Command1_Click); }

void MainWindow::Command3_Click() { runHandler(spirelle::Command3_Click); }

void MainWindow::SSTab1_Click(int previousTab)
{
    // Switching pages only shows and hides controls; nothing is cleared or recomputed.
    Q_UNUSED(previousTab);
}

void MainWindow::design_Click() { ShowDesignWindow(m_design); }

void MainWindow::about_Click() { m_about.show(); }

MainWindow *CreateMainWindow(AboutDialogRef &about)
{
    QApplication::setApplicationName(QStringLiteral("Spirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SPIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Spirelle"));
    // Every control, message boxes included, uses the form's font; set once here,
    // no widget first lays itself out in the desktop's default font.
    QApplication::setFont(FormFont());
    auto *window = new MainWindow(about);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

} // namespace spirelle
