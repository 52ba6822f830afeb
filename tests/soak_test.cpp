// Thousands of random presses of the three buttons with valid and invalid
// texts, page switches and About cycles; afterwards the window still computes
// exactly, no message box is left and no widget has leaked.
#include "ui/about_dialog.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/tab_control.h"

#include <QMenu>
#include <QtTest>

#include <random>

using namespace spirelle;
using namespace spirelle::testing;

class SoakTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale::c());
    }

    void randomUse()
    {
        AboutDialogRef about;
        MainWindow window(about);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *tabs = Child<TabControl>(&window, control::kTabs);
        QAction *aboutItem = window.findChild<QAction *>(ToQString(control::kAboutItem));
        const auto widgetsAtStart = QApplication::allWidgets().size();

        const QStringList texts = {"20",     "1",       "0", "-3", "0.0345", ".5", "2,5",    "1e308",
                                   "1e-308", "1e999",   "",  "  ", "abc",    "1e", "\u0663", "12345678901234567890",
                                   "-0",     "4.9e-324"};
        using namespace control;
        const std::string_view inputs[3][3] = {
            {kDiameter, kTurns, {}}, {kInductance, kCapacitance, {}}, {kLooseDiameter, kLooseTurns, kLooseLength}};
        const std::string_view buttons[] = {kCoilButton, kFrequencyButton, kLooseButton};
        std::mt19937 random(12345);
        const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };

        constexpr int kPresses = 3000;
        int messages = 0;
        int aboutCycles = 0;
        for (int i = 0; i < kPresses; ++i) {
            const int page = pick(3);
            tabs->setCurrentIndex(page);
            for (const std::string_view input : inputs[page])
                if (!input.empty() && pick(2))
                    Child<QLineEdit>(&window, input)->setText(texts[pick(static_cast<int>(texts.size()))]);
            messages += ClickForMessage(&window, buttons[page]).isNull() ? 0 : 1;
            if (i % 50 == 0) {
                aboutItem->trigger();
                QTest::keyClick(about.dialog(), pick(2) ? Qt::Key_Escape : Qt::Key_Return);
                ++aboutCycles;
            }
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();

        qInfo("%d presses, %d message boxes, %d About cycles", kPresses, messages, aboutCycles);
        QVERIFY(messages > kPresses / 10); // the random texts did fail often
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(QApplication::allWidgets().size(), widgetsAtStart);

        // The worked examples still come out exactly.
        tabs->setCurrentIndex(0);
        TypeInto(&window, control::kDiameter, "1");
        TypeInto(&window, control::kTurns, "20");
        ClickButton(&window, control::kCoilButton);
        QCOMPARE(TextOf(&window, control::kGaugeRows[0].lengthField), QStringLiteral("0.69"));
        QCOMPARE(TextOf(&window, control::kGaugeRows[5].inductanceField), QStringLiteral("15.1"));
        QCOMPARE(TextOf(&window, control::kWireFeet), QStringLiteral("5"));
        tabs->setCurrentIndex(1);
        TypeInto(&window, control::kInductance, "240");
        TypeInto(&window, control::kCapacitance, "100");
        ClickButton(&window, control::kFrequencyButton);
        QCOMPARE(TextOf(&window, control::kFrequency), QStringLiteral("1.027"));
        tabs->setCurrentIndex(2);
        TypeInto(&window, control::kLooseDiameter, "2");
        TypeInto(&window, control::kLooseTurns, "10");
        TypeInto(&window, control::kLooseLength, "1.1");
        ClickButton(&window, control::kLooseButton);
        QCOMPARE(TextOf(&window, control::kLooseInductance), QStringLiteral("5 uH"));
    }
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
