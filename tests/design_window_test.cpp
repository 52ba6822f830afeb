// The design window driven as a user would: open it from the menu, type,
// read the table, make a mistake, copy. Values from scripts/real_coil_values.py.
#include "ui/about_dialog.h"
#include "ui/design_window.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "pages/taps_panel.h"

#include <QClipboard>
#include <QComboBox>
#include <QLabel>
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
    void initTestCase() { QuietOffscreenWarnings(); }

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
        row('r', kWireBare, "Custom wire bare diameter, inches", kPitch);
        row('p', kPitch, "Pitch, inches", kCapacitors);
        row('c', kCapacitors, "Capacitor", kCmin);
        row('i', kCmin, "CMIN, pF", kCmax);
        row('x', kCmax, "CMAX, pF", kStray);
        row('s', kStray, "Stray capacitance, pF", kBands);
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

        // A mistake: said in the window, the text kept, the last table kept but not copied.
        TypeInto(window, kDiameter, "2x");
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(Child<QLabel>(window, kMessage)->text().startsWith(QStringLiteral("Form diameter is “2x”")));
        QCOMPARE(TextOf(window, kDiameter), QStringLiteral("2x"));
        QVERIFY(!Child<QLineEdit>(window, kDiameter)->styleSheet().isEmpty());
        QCOMPARE(Cell(window, 0, 1), QStringLiteral("128"));
        QVERIFY(!Child<QPushButton>(window, kCopy)->isEnabled());

        QTest::keyClick(Child<QLineEdit>(window, kDiameter), Qt::Key_Backspace);
        QVERIFY(Child<QLabel>(window, kMessage)->text().isEmpty());
        ClickButton(window, kCopy);
        const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 7);
        QVERIFY(lines[0].startsWith(QStringLiteral("Wire\tTurns\t")));
        QVERIFY(lines[1].startsWith(QStringLiteral("# 20\t128\t")));

        QPointer<DesignWindow> closing = window;
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!closing);
    }
};

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
