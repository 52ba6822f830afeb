// Shows the real window, fills each page with a worked example, and saves one
// picture per page plus one of the About dialog and two of the design window
// (designed, and with a bad input) into the folder given.
#include "ui/about_dialog.h"
#include "ui/design_window.h"
#include "pages/controls.h"
#include "pages/design.h"
#include "ui/form_widgets.h"
#include "ui/main_window.h"
#include "ui/tab_control.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHelpEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolTip>

#include <cstdio>

using namespace spirelle;

namespace {

void Type(QWidget *root, std::string_view name, const char *text)
{
    auto *box = root->findChild<QLineEdit *>(ToQString(name));
    box->clear();
    QTest::keyClicks(box, QLatin1String(text));
}

void Click(QWidget *root, std::string_view name)
{
    QTest::mouseClick(root->findChild<QPushButton *>(ToQString(name)), Qt::LeftButton);
}

bool Save(QWidget *window, const QString &path)
{
    QTest::qWait(200);
    // The whole top-level window with its frame when a window manager draws one, else the widget.
    const QPixmap shot = window->grab();
    return shot.save(path);
}

// The window with the tool tip of one of its boxes open, as a person hovering
// over the box sees it. Tool tips are windows of their own: grab the screen.
bool SaveWithToolTip(QWidget *window, std::string_view boxName, const QString &path)
{
    auto *box = window->findChild<QLineEdit *>(ToQString(boxName));
    QTest::mouseMove(box);
    // The pointer rests on the box until its tip shows; should no pointer event
    // come (a display without one), the box is asked for its tip as a hover would.
    if (!QTest::qWaitFor([] { return QToolTip::isVisible(); }, 2000)) {
        std::fprintf(stderr, "no tool tip from hovering over %.*s; asking for it\n", int(boxName.size()),
                     boxName.data());
        QHelpEvent hover(QEvent::ToolTip, box->rect().center(), box->mapToGlobal(box->rect().center()));
        QApplication::sendEvent(box, &hover);
    }
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

    Type(&window, control::kDiameter, "1");
    Type(&window, control::kTurns, "20");
    Click(&window, control::kCoilButton);
    ok = Save(&window, folder + QStringLiteral("/inductance") + suffix + QStringLiteral(".png")) && ok;
    const QString notePath = folder + QStringLiteral("/inductance-note") + suffix + QStringLiteral(".png");
    ok = SaveWithToolTip(&window, control::kGaugeRows[5].inductanceField, notePath) && ok;

    // A result wider than its box: the feet of wire for 5000 turns on a 10 in form.
    Type(&window, control::kDiameter, "10");
    Type(&window, control::kTurns, "5000");
    Click(&window, control::kCoilButton);
    ok = SaveWithToolTip(&window, control::kWireFeet,
                         folder + QStringLiteral("/wire-feet-cut") + suffix + QStringLiteral(".png")) &&
        ok;

    auto *tabs = window.findChild<TabControl *>(ToQString(control::kTabs));
    tabs->setCurrentIndex(1);
    Type(&window, control::kInductance, "240");
    Type(&window, control::kCapacitance, "100");
    Click(&window, control::kFrequencyButton);
    ok = Save(&window, folder + QStringLiteral("/frequency") + suffix + QStringLiteral(".png")) && ok;

    tabs->setCurrentIndex(2);
    Type(&window, control::kLooseDiameter, "2");
    Type(&window, control::kLooseTurns, "10");
    Type(&window, control::kLooseLength, "1.1");
    Click(&window, control::kLooseButton);
    ok = Save(&window, folder + QStringLiteral("/loose-coil") + suffix + QStringLiteral(".png")) && ok;

    about.show();
    if (!QTest::qWaitForWindowExposed(about.dialog()))
        return 1;
    ok = Save(about.dialog(), folder + QStringLiteral("/about") + suffix + QStringLiteral(".png")) && ok;
    about.dialog()->close();

    // The design window as Menu > Design for a band… opens it in the US, with a 2 in form typed in.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    window.findChild<QAction *>(ToQString(control::kDesignItem))->trigger();
    QWidget *design = nullptr;
    for (QWidget *top : QApplication::topLevelWidgets())
        if (top->objectName() == ToQString(design::control::kWindow))
            design = top;
    if (!design || !QTest::qWaitForWindowExposed(design))
        return 1;
    Type(design, design::control::kDiameter, "2");
    // The best row chosen, so the taps panel shows where to tap its coil.
    auto *table = design->findChild<QTableView *>(ToQString(design::control::kTable));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, table->visualRect(table->model()->index(0, 1)).center());
    ok = Save(design, folder + QStringLiteral("/design") + suffix + QStringLiteral(".png")) && ok;
    Type(design, design::control::kCmax, "3");
    ok = Save(design, folder + QStringLiteral("/design-bad") + suffix + QStringLiteral(".png")) && ok;

    // A German builder's: millimetres, a 40 mm pipe and 0,25 mm copper from the metric list.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    DesignWindow german;
    german.show();
    if (!QTest::qWaitForWindowExposed(&german))
        return 1;
    Type(&german, design::control::kDiameter, "40");
    auto *sizes = german.findChild<QComboBox *>(ToQString(design::control::kWireSizes));
    sizes->setCurrentIndex(9);
    emit sizes->activated(9);
    ok = Save(&german, folder + QStringLiteral("/design-de") + suffix + QStringLiteral(".png")) && ok;
    return ok ? 0 : 1;
}
