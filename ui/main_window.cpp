#include "ui/main_window.h"

#include "ui/about_dialog.h"
#include "pages/controls.h"
#include "ui/design_window.h"
#include "pages/form_layout.h"
#include "ui/form_widgets.h"
#include "pages/pages.h"
#include "ui/tab_control.h"
#include "ui/widget_fields.h"

#include <QApplication>
#include <QIconEngine>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMessageBox>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QShortcut>
#include <QStyleOptionMenuItem>

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

// Fusion shows a menu bar item as selected only while its menu is open, so
// the first menu that F10 or Alt highlights would not show: a selected item
// of a menu bar that has the keyboard is drawn as if pressed.
class MenuBarStyle : public QProxyStyle {
public:
    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        const auto *item = qstyleoption_cast<const QStyleOptionMenuItem *>(option);
        if (element == CE_MenuBarItem && item && (item->state & State_Selected) && widget && widget->hasFocus()) {
            QStyleOptionMenuItem pressed = *item;
            pressed.state |= State_Sunken;
            QProxyStyle::drawControl(element, &pressed, painter, widget);
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

// The icon of a style's standard pixmap, read from the style only when first
// drawn or measured. Reading it opens Qt's image files, which loads and scans
// the image-format plugins: for the menu bar's overflow button, built hidden
// with every menu bar and shown only when its menus do not fit, that was 2.5 %
// of the work before the window's first paint.
class DeferredStandardIcon : public QIconEngine {
public:
    DeferredStandardIcon(QStyle *style, QStyle::StandardPixmap which) : m_style(style), m_which(which) {}

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return icon().availableSizes(mode, state);
    }
    bool isNull() override { return icon().isNull(); }
    QIconEngine *clone() const override { return new DeferredStandardIcon(m_style, m_which); }

private:
    const QIcon &icon()
    {
        if (!m_read && m_style) { // a style replaced since leaves the button without an icon
            m_icon = m_style->standardIcon(m_which);
            m_read = true;
        }
        return m_icon;
    }

    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_read = false;
};

// The application's style as it was (the desktop's, or the one -style named),
// but with the overflow buttons' icons read when first needed.
class DeferredIconStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    QIcon standardIcon(StandardPixmap which, const QStyleOption *option, const QWidget *widget) const override
    {
        if (which == SP_ToolBarHorizontalExtensionButton && !option)
            return QIcon(new DeferredStandardIcon(baseStyle(), which));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

MainWindow::MainWindow(AboutDialogRef &about, QWidget *parent) : QMainWindow(parent), m_about(about)
{
    setObjectName(ToQString(control::kWindow));
    setWindowTitle(QStringLiteral("Spirelle"));
    setWindowIcon(WindowIconPixmaps());
    setFont(FormFont());
    KeepFocusVisible(this);
    createMenus();
    createPages();
    createTabOrder();
    // The client area below the menu bar; nothing inside follows later resizes.
    const QRect client = ToPixels(layout::kWindowClient);
    resize(client.width(), client.height() + menuBar()->sizeHint().height());
    findChild<QWidget *>(ToQString(control::kDiameter))->setFocus();
}

void MainWindow::createMenus()
{
    menuBar()->setAccessibleName(QStringLiteral("Main menu"));
    auto *menuBarStyle = new MenuBarStyle;
    menuBarStyle->setParent(this);
    menuBar()->setStyle(menuBarStyle);
    // F10 reaches the menu bar as Alt pressed alone does, as on the desktop the
    // window was made for; the menu itself has no access key or shortcut.
    auto *f10 = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(f10, &QShortcut::activated, this, [this] {
        // Alt pressed and released: the menu bar's own way into keyboard
        // navigation, its first menu highlighted; Esc leaves it.
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
        QWidget *target = QApplication::focusWidget() ? QApplication::focusWidget() : this;
        QCoreApplication::sendEvent(target, &press);
        QCoreApplication::sendEvent(target, &release);
        if (!menuBar()->activeAction()) // a style without Alt navigation: open the first menu instead
            menuBar()->setActiveAction(menuBar()->actions().constFirst());
    });
    QMenu *menu = menuBar()->addMenu(QStringLiteral("Menu"));
    menu->setObjectName(ToQString(control::kMenu));
    QAction *design = menu->addAction(QStringLiteral("Design for a band…"));
    design->setObjectName(ToQString(control::kDesignItem));
    connect(design, &QAction::triggered, this, &MainWindow::design_Click);
    QAction *about = menu->addAction(QStringLiteral("About"));
    about->setObjectName(ToQString(control::kAboutItem));
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
    m_tabs->setObjectName(ToQString(control::kTabs));
    m_tabs->setGeometry(ToPixels(layout::kTabControl));
    connect(m_tabs, &TabControl::pageChanged, this, &MainWindow::SSTab1_Click);
    // The page keys of any tab control: Ctrl+Tab and Ctrl+PgDn forward, with Shift or PgUp back.
    const auto pageKeys = [this](std::initializer_list<QKeySequence> keys, int step) {
        for (const QKeySequence &key : keys) {
            auto *shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, this, [this, step] {
                m_tabs->setCurrentIndex((m_tabs->currentIndex() + step + layout::kPageCount) % layout::kPageCount);
            });
        }
    };
    pageKeys({QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)}, 1);
    pageKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
              QKeySequence(Qt::CTRL | Qt::Key_PageUp)},
             -1);

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
    for (const layout::Caption &caption : layout::kCaptions)
        findChild<QLabel *>(ToQString(caption.label))->setBuddy(findChild<QWidget *>(ToQString(caption.field)));

    const auto button = [this](std::string_view name) { return findChild<QPushButton *>(ToQString(name)); };
    connect(button(control::kCoilButton), &QPushButton::clicked, this, &MainWindow::Command2_Click);
    connect(button(control::kFrequencyButton), &QPushButton::clicked, this, &MainWindow::Command1_Click);
    connect(button(control::kLooseButton), &QPushButton::clicked, this, &MainWindow::Command3_Click);
}

void MainWindow::createTabOrder()
{
    // One chain through all pages; hidden and disabled controls are skipped, so
    // each page cycles through its own inputs and the tab row.
    QWidget *previous = m_tabs->tabBar();
    using namespace control;
    for (const std::string_view name : {kDiameter, kTurns, kCoilButton, kInductance, kCapacitance, kFrequencyButton,
                                        kLooseDiameter, kLooseTurns, kLooseButton, kLooseLength, kLooseInductance}) {
        auto *next = findChild<QWidget *>(ToQString(name));
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
    box->setObjectName(ToQString(control::kErrorMessage));
    if (auto *icon = box->findChild<QLabel *>(QStringLiteral("qt_msgboxex_icon_label")))
        icon->setAccessibleName(QStringLiteral("Error"));
    box->exec();
    delete box.data();
}

void MainWindow::Command2_Click()
{
    runHandler(spirelle::Command2_Click);
}

void MainWindow::Command1_Click()
{
    runHandler(spirelle::Command1_Click);
}

void MainWindow::Command3_Click()
{
    runHandler(spirelle::Command3_Click);
}

void MainWindow::SSTab1_Click(int previousTab)
{
    // Switching pages only shows and hides controls; nothing is cleared or recomputed.
    Q_UNUSED(previousTab);
}

void MainWindow::design_Click()
{
    ShowDesignWindow(m_design);
}

void MainWindow::about_Click()
{
    m_about.show();
}

MainWindow *CreateMainWindow(AboutDialogRef &about)
{
    QApplication::setApplicationName(QStringLiteral("Spirelle"));
    QApplication::setApplicationVersion(QStringLiteral(SPIRELLE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("org.example.Spirelle"));
    // Every control, message boxes included, uses the form's font; set once here,
    // no widget first lays itself out in the desktop's default font.
    QApplication::setFont(FormFont());
    if (!dynamic_cast<DeferredIconStyle *>(QApplication::style()))
        QApplication::setStyle(new DeferredIconStyle(QApplication::style())); // the proxy owns the old style now
    auto *window = new MainWindow(about);
    window->setAttribute(Qt::WA_DeleteOnClose);
    return window;
}

} // namespace spirelle
