// Shows the real window, fills each page with a worked example, and saves one
// picture per page plus one of the About dialog and two of the design window
// (designed, and with a bad input) into the folder given.
#include "ui/about_dialog.h"
#include "ui/main_window.h"
#include "ui/tab_control.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

using namespace spirelle;

namespace {

void Type(QWidget *root, const char *name, const char *text)
{
    auto *box = root->findChild<QLineEdit *>(QLatin1String(name));
    box->clear();
    QTest::keyClicks(box, QLatin1String(text));
}

void Click(QWidget *root, const char *name) { QTest::mouseClick(root->findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton); }

bool Save(QWidget *window, const QString &path)
{
    QTest::qWait(200);
    // The whole top-level window with its frame when a window manager draws one, else the widget.
    const QPixmap shot = window->grab();
    return shot.save(path);
}

// The window with the tool tip of one of its boxes open, as a person hovering
// over the box sees it. Tool tips are windows of their own: grab the screen.
bool SaveWithToolTip(QWidget *window, const char *boxName, const QString &path)
{
    auto *box = window->findChild<QLineEdit *>(QLatin1String(boxName));
    QTest::mouseMove(box);
    QTest::qWait(100);
    // A disabled box gets no hover events: open its tip where the pointer would show it.
    QToolTip::showText(box->mapToGlobal(box->rect().center()), box->toolTip(), box);
    QTest::qWait(300);
    QRect area = window->frameGeometry();
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->inherits("QTipLabel") && top->isVisible())
            area = area.united(top->frameGeometry());
    const QPixmap shot = window->screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    QToolTip::hideText();
    return shot.save(path);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    const QString suffix = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(); // "@2x" for a scaled run
    QDir().mkpath(folder);

    AboutDialogRef about;
    MainWindow &window = *CreateMainWindow(about); // as the program starts it
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    bool ok = Save(&window, folder + QStringLiteral("/inductance-start") + suffix + QStringLiteral(".png"));

    Type(&window, "Text16", "1");
    Type(&window, "Text15", "20");
    Click(&window, "Command2");
    ok = Save(&window, folder + QStringLiteral("/inductance") + suffix + QStringLiteral(".png")) && ok;
    ok = SaveWithToolTip(&window, "Text8", folder + QStringLiteral("/inductance-note") + suffix + QStringLiteral(".png")) && ok;

    auto *tabs = window.findChild<TabControl *>(QStringLiteral("SSTab1"));
    tabs->setCurrentIndex(1);
    Type(&window, "Text9", "240");
    Type(&window, "Text10", "100");
    Click(&window, "Command1");
    ok = Save(&window, folder + QStringLiteral("/frequency") + suffix + QStringLiteral(".png")) && ok;

    tabs->setCurrentIndex(2);
    Type(&window, "Text19", "2");
    Type(&window, "Text20", "10");
    Type(&window, "Text21", "1.1");
    Click(&window, "Command3");
    ok = Save(&window, folder + QStringLiteral("/loose-coil") + suffix + QStringLiteral(".png")) && ok;

    about.show();
    if (!QTest::qWaitForWindowExposed(about.dialog()))
        return 1;
    ok = Save(about.dialog(), folder + QStringLiteral("/about") + suffix + QStringLiteral(".png")) && ok;
    about.dialog()->close();

    // The design window as Menu > Design for a band… opens it, with a 2 in form typed in.
    window.findChild<QAction *>(QStringLiteral("design"))->trigger();
    QWidget *design = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == QLatin1String("frmDesign"))
            design = top;
    if (!design || !QTest::qWaitForWindowExposed(design))
        return 1;
    Type(design, "designDiameter", "2");
    ok = Save(design, folder + QStringLiteral("/design") + suffix + QStringLiteral(".png")) && ok;
    Type(design, "designCmax", "3");
    ok = Save(design, folder + QStringLiteral("/design-bad") + suffix + QStringLiteral(".png")) && ok;
    return ok ? 0 : 1;
}
