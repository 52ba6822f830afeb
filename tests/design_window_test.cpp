// The design window driven as a user would: open it from the menu, type,
// read the table, make a mistake, copy. Values from scripts/real_coil_values.py.
#include "ui/about_dialog.h"
#include "ui/design_window.h"
#include "gui_helpers.h"
#include "ui/main_window.h"

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
        QVERIFY(lines[1].startsWith(QStringLiteral("# 20 (best Q)\t128\t")));

        // A click on Q top's header sorts by it, lowest first (# 30); another, highest first (# 20).
        auto *table = Child<QTableView>(window, kTable);
        const int qTop = int(table->model()->columnCount()) - 1;
        QCOMPARE(table->model()->headerData(qTop, Qt::Horizontal).toString(), QStringLiteral("Q top"));
        const auto clickHeader = [&] {
            QHeaderView *header = table->horizontalHeader();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(qTop) + 5, header->height() / 2));
        };
        clickHeader();
        QCOMPARE(Cell(window, 0, 0), QStringLiteral("# 30"));
        clickHeader();
        QCOMPARE(Cell(window, 0, 0), QStringLiteral("# 20 (best Q)"));

        QPointer<DesignWindow> closing = window;
        QTest::keyClick(window, Qt::Key_Escape);
        QTRY_VERIFY(!closing);
    }
};

QTEST_MAIN(DesignWindowTest)
#include "design_window_test.moc"
