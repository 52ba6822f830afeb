// The design window driven as a user would: open it from the menu, type,
// read the table, make a mistake, copy. Values from scripts/real_coil_values.py.
#include "ui/about_dialog.h"
#include "ui/design_window.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/taps_panel.h"
#include "pages/taps_panel.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QHeaderView>
#include <QTableView>
#include <QtTest>

using namespace spirelle;
using namespace spirelle::testing;
using namespace spirelle::design::control;

class DesignWindowTest : public QObject {
    Q_OBJECT

    static QString Cell(QWidget *window, int row, int column, int role = Qt::DisplayRole)
    {
        auto *table = Child<QTableView>(window, kTable);
        return table->model()->index(row, column).data(role).toString();
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); // inches, as the rows below say
    }

    // Each caption's mnemonic takes the keyboard to its input, which a screen
    // reader names; Tab then goes on as the eye reads, group by group.
    void inputsByKeyboard_data()
    {
        QTest::addColumn<char>("key");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("tabbedTo");
        const auto row = [](char key, std::string_view control, const char *spoken, std::string_view next) {
            QTest::newRow(control.data()) << key << ToQString(control) << QString::fromUtf8(spoken) << ToQString(next);
        };
        row('k', kCoilKind, "Coil kind", kDiameter);
        row('d', kDiameter, "Form diameter, inches", kUnits);
        row('e', kSpokes, "Spokes of a spiderweb", kWireOd);
        row('o', kWireOd, "Custom wire outside diameter, inches", kWireBare);
        row('r', kWireBare, "Custom wire bare diameter, inches", kWireSizes);
        row('m', kWireSizes, "Metric wire size, bare", kPitch);
        row('p', kPitch, "Pitch, inches", kLeads);
        row('a', kLeads, "Wire for each lead, inches", kCapacitors);
        row('c', kCapacitors, "Capacitor", kCmin);
        row('i', kCmin, "CMIN, pF", kCmax);
        row('x', kCmax, "CMAX, pF", kStray);
        row('s', kStray, "Stray capacitance, pF", kCapacitorQ);
        row('q', kCapacitorQ, "Capacitor Q, for the tuned circuit's bandwidth", kBands);
        row('b', kBands, "Band", kBandLow);
        row('l', kBandLow, "Band low end, kHz", kBandHigh);
        row('h', kBandHigh, "Band high end, kHz", kTable);
    }

    void inputsByKeyboard()
    {
        QFETCH(char, key);
        QFETCH(QString, control);
        QFETCH(QString, spoken);
        QFETCH(QString, tabbedTo);
        DesignWindow window;
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        if (control == ToQString(kSpokes)) // a spiderweb's alone
            window.findChild<QComboBox *>(ToQString(kCoilKind))->setCurrentText(ToQString(design::kSpiderweb));
        QTest::keyClick(&window, key, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), control);
        QCOMPARE(QApplication::focusWidget()->accessibleName(), spoken);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), tabbedTo);
    }

    // The unit by region; a number typed keeps its meaning-to-be when the unit
    // changes, one the window wrote converts. 40 mm form, # 20 (mpmath): 187 turns;
    // 0.25 mm copper alone: 95 turns (tests/design_test.cpp).
    void unitsAndWiresAsBuildersHaveThem_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("unit");
        QTest::newRow("de_DE") << "de_DE"
                               << "mm";
        QTest::newRow("en_GB") << "en_GB"
                               << "mm";
        QTest::newRow("en_US") << "en_US"
                               << "inch";
    }

    void unitsAndWiresAsBuildersHaveThem()
    {
        QFETCH(QString, locale);
        QFETCH(QString, unit);
        const QLocale before;
        QLocale::setDefault(QLocale(locale));
        DesignWindow window;
        QLocale::setDefault(before);
        QCOMPARE(Child<QComboBox>(&window, kUnits)->currentText(), unit);
        QVERIFY(Child<QLabel>(&window, kMessage)->text().isEmpty()); // nothing typed, nothing wrong
        const QString leads = TextOf(&window, kLeads);
        TypeInto(&window, kDiameter, "40");
        Child<QComboBox>(&window, kUnits)->setCurrentText(QStringLiteral("mm"));
        QCOMPARE(TextOf(&window, kDiameter), QStringLiteral("40"));
        QCOMPARE(Cell(&window, 0, 1), QStringLiteral("187"));
        QCOMPARE(TextOf(&window, kLeads), unit == "mm" ? leads : QStringLiteral("152.4"));
        auto *sizes = Child<QComboBox>(&window, kWireSizes);
        sizes->setCurrentIndex(9); // 0.25 mm
        emit sizes->activated(9);
        QVERIFY2(Cell(&window, 6, 1) == QStringLiteral("95"),
                 qPrintable(Child<QLabel>(&window, kMessage)->text() + TextOf(&window, kWireBare)));
        ClickButton(&window, kCopy);
        const QString copied = QApplication::clipboard()->text();
        QVERIFY2(copied.startsWith(QStringLiteral("Solenoid, form diameter 40 mm;")) &&
                     copied.section(QLatin1Char('\n'), 0, 0)
                         .contains(QStringLiteral("bare 0") + QLocale(locale).decimalPoint() + "25mm"),
                 qPrintable(copied));
        QVERIFY(!Child<QLabel>(&window, kCopied)->text().isEmpty());
        // At twice the scale the window's least size still fits a 1280 × 1024 screen.
        const QSize least = 2 * window.minimumSizeHint();
        QVERIFY2(least.width() <= 1280 && least.height() <= 1024 - 60, qPrintable(QString::number(least.height())));
    }

    // The selected row's coil is tapped under the table, the row kept through a
    // new design; typed taps show their own figures, one tap alone says what is missing.
    void tapsOfTheSelectedRow()
    {
        DesignWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        TypeInto(&window, kDiameter, "2");
        auto *taps = Child<QTableView>(&window, design::control::kTapsTable);
        auto *title = Child<QLabel>(&window, design::control::kTapsTitle);
        QCOMPARE(taps->model()->rowCount(), 0);
        auto *table = Child<QTableView>(&window, kTable);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(1, 1)).center());
        QVERIFY(title->text().startsWith(QStringLiteral("114 turns of # 22")));
        QCOMPARE(taps->model()->rowCount(), 6);
        TypeInto(&window, kStray, "12");
        QVERIFY(title->text().contains(QStringLiteral("of # 22")));
        TypeInto(&window, design::control::kAntennaTap, "20");
        QVERIFY(Child<QLabel>(&window, design::control::kTapsMessage)->text().startsWith("The detector tap is empty"));
        TypeInto(&window, design::control::kDetectorTap, "60");
        QCOMPARE(taps->model()->rowCount(), 3);
        QCOMPARE(taps->model()->index(0, 1).data().toString() + taps->model()->index(0, 2).data().toString(),
                 QStringLiteral("2060"));
        // The card saved for printing marks them.
        QVERIFY(window.findChild<TapsPanel *>()->drawing().find("detector tap, turn 60") != std::string::npos);
    }

    void designsAsTheUserTypes()
    {
        AboutDialogRef about;
        MainWindow main(about);
        main.show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        QAction *item = main.findChild<QAction *>(ToQString(spirelle::control::kDesignItem));
        item->trigger();
        const auto designWindows = [] {
            QList<DesignWindow *> found;
            for (QWidget *top : QApplication::topLevelWidgets())
                if (top->objectName() == ToQString(kWindow) && top->isVisible())
                    found.append(qobject_cast<DesignWindow *>(top));
            return found;
        };
        QCOMPARE(designWindows().size(), 1);
        DesignWindow *window = designWindows().first();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QCOMPARE(window->windowTitle(), QStringLiteral("Design a coil for a band"));
        QVERIFY(!window->isModal());
        item->trigger(); // a second press brings the same window forward
        QCOMPARE(designWindows(), QList<DesignWindow *>{window});

        // As it opens: MW Americas, 15-365 pF, 10 pF stray, no diameter.
        QCOMPARE(Child<QComboBox>(window, kBands)->currentText(), QStringLiteral("MW Americas, 530–1700 kHz"));
        QCOMPARE(TextOf(window, kCmin) + TextOf(window, kCmax) + TextOf(window, kStray), QStringLiteral("1536510"));
        QCOMPARE(TextOf(window, kDiameter), QString());

        TypeInto(window, kDiameter, "2");
        QCOMPARE(Cell(window, 0, 1), QStringLiteral("128"));
        QCOMPARE(Cell(window, 5, 1), QStringLiteral("71"));
        QCOMPARE(Cell(window, 0, 7), QStringLiteral("1703"));
        QVERIFY(Cell(window, 0, 4, Qt::ToolTipRole).startsWith(QStringLiteral("315.262072934")));
        auto *verdict = Child<QLabel>(window, kVerdict);
        QVERIFY(verdict->text().contains(QStringLiteral("Covered")));
        QCOMPARE(verdict->accessibleDescription(), verdict->text());

        // A smaller capacitor from the list: the verdict changes and says so.
        auto *capacitors = Child<QComboBox>(window, kCapacitors);
        capacitors->setFocus();
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(capacitors, Qt::Key_Down);
        QCOMPARE(TextOf(window, kCmin) + "-" + TextOf(window, kCmax), QStringLiteral("5-140"));
        QVERIFY(verdict->accessibleDescription().contains(QStringLiteral("Short by")));
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(capacitors, Qt::Key_Up);

        // A row chosen: its winding card can be saved for printing, but not from a stale table.
        auto *print = Child<QPushButton>(window, kPrint);
        QVERIFY(!print->isEnabled());
        auto *table = Child<QTableView>(window, kTable);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(1, 2)).center());
        QVERIFY(print->isEnabled());

        // A mistake: said in the window, the text kept, the last table kept but not copied.
        TypeInto(window, kDiameter, "2x");
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(Child<QLabel>(window, kMessage)->text().startsWith(QStringLiteral("Form diameter is “2x”")));
        QCOMPARE(TextOf(window, kDiameter), QStringLiteral("2x"));
        QVERIFY(!Child<QLineEdit>(window, kDiameter)->styleSheet().isEmpty());
        QCOMPARE(Cell(window, 0, 1), QStringLiteral("128"));
        QVERIFY(!Child<QPushButton>(window, kCopy)->isEnabled());
        QVERIFY(!print->isEnabled());

        QTest::keyClick(Child<QLineEdit>(window, kDiameter), Qt::Key_Backspace);
        QVERIFY(Child<QLabel>(window, kMessage)->text().isEmpty());
        QVERIFY(print->isEnabled());
        ClickButton(window, kCopy);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 8);
        QVERIFY(lines[1].startsWith(QStringLiteral("Wire\tTurns\t")));
        QVERIFY(lines[2].startsWith(QStringLiteral("# 20 (best Q)\t128\t")));

        // A click on Q top's header sorts by it, lowest first (# 30); another, highest first (# 20).
        const int qTop = int(table->model()->columnCount()) - 2; // the Note column is last
        QCOMPARE(table->model()->headerData(qTop, Qt::Horizontal).toString(), QStringLiteral("Q top"));
        const auto clickHeader = [&] {
            QHeaderView *header = table->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(qTop) + 5, header->height() / 2));
        };
        clickHeader();
        QCOMPARE(Cell(window, 0, 0), QStringLiteral("# 30"));
        // Sorted, a row chosen is still its own wire's: the taps are # 30's.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualRect(table->model()->index(0, 1)).center());
        QVERIFY(Child<QLabel>(window, design::control::kTapsTitle)->text().contains(QStringLiteral("of # 30")));
        clickHeader();
        QCOMPARE(Cell(window, 0, 0), QStringLiteral("# 20 (best Q)"));

        QPointer<DesignWindow> closing = window;
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!closing);
    }
};

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
