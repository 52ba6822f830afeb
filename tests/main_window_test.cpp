#include "ui/about_dialog.h"
#include "pages/form_layout.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/tab_control.h"
#include "ui/widget_fields.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QtTest>

#include <limits>

using namespace spirelle;
using namespace spirelle::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    AboutDialogRef m_about;
    std::unique_ptr<MainWindow> m_window;
    TabControl *tabs() const { return Child<TabControl>(m_window.get(), "SSTab1"); }
    void clickTab(int page)
    {
        QTabBar *bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }
    QStringList focusCycle(int presses)
    {
        QStringList names;
        for (int i = 0; i < presses; ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QWidget *focus = QApplication::focusWidget();
            names << (focus == tabs()->tabBar() ? QStringLiteral("tabs") : focus->objectName());
        }
        return names;
    }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale::c());
    }

    void init()
    {
        m_window = std::make_unique<MainWindow>(m_about);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup() { m_window.reset(); }

    void startsOnTheInductancePage()
    {
        QCOMPARE(m_window->windowTitle(), QStringLiteral("Spirelle"));
        QCOMPARE(tabs()->currentIndex(), 0);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Text16"));
        QCOMPARE(TextOf(m_window.get(), "Text1"), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), "Text14"), QStringLiteral("lenth of coil"));
        QVERIFY(Child(m_window.get(), "Text16")->isVisible());
        QVERIFY(!Child(m_window.get(), "Text9")->isVisible());
        QCOMPARE(m_window->centralWidget()->size(), QSize(498, 329)); // 7470 x 4935 twips
        const QStringList captions = {"(L) Inductance", "Frequency", "Loose Coil"};
        for (int i = 0; i < 3; ++i)
            QCOMPARE(tabs()->tabBar()->tabText(i), captions[i]);
        QCOMPARE(m_window->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {32, 32}}));
    }

    void menuHasItsItems()
    {
        const QList<QAction *> menus = m_window->menuBar()->actions();
        QCOMPARE(menus.size(), 1);
        QCOMPARE(menus[0]->text(), QStringLiteral("Menu"));
        QCOMPARE(menus[0]->menu()->objectName(), QStringLiteral("menu"));
        const QList<QAction *> items = menus[0]->menu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->objectName(), QStringLiteral("design"));
        QCOMPARE(items[0]->text(), QStringLiteral("Design for a band…"));
        QCOMPARE(items[1]->objectName(), QStringLiteral("about"));
        QCOMPARE(items[1]->text(), QStringLiteral("About"));
        QVERIFY(items[0]->shortcut().isEmpty() && items[1]->shortcut().isEmpty());
    }

    // Every control stands where the table puts it, measured from SSTab1 (or Frame1), within a pixel.
    void controlsStandWhereTheTableSays_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("index");
        for (int page = 0; page < layout::kPageCount; ++page) {
            const auto controls = layout::PageControls(page);
            for (int i = 0; i < static_cast<int>(controls.size()); ++i)
                QTest::addRow("%s", controls[static_cast<std::size_t>(i)].name.data()) << page << i;
        }
    }

    void controlsStandWhereTheTableSays()
    {
        QFETCH(int, page);
        QFETCH(int, index);
        const layout::Control &c = layout::PageControls(page)[static_cast<std::size_t>(index)];
        tabs()->setCurrentIndex(page);
        QWidget *w = Child(m_window.get(), QByteArray(c.name.data(), c.name.size()).constData());
        QWidget *origin = c.has(layout::InFrame) ? Child(m_window.get(), "Frame1") : tabs();
        const QRect r(w->mapTo(m_window.get(), QPoint(0, 0)) - origin->mapTo(m_window.get(), QPoint(0, 0)), w->size());
        const auto near = [](int px, int twips) { return std::abs(px * 15 - twips) <= 15; };
        QVERIFY2(near(r.left(), c.left) && near(r.top(), c.top) && near(r.width(), c.width) && near(r.height(), c.height),
                 qPrintable(QStringLiteral("%1,%2 %3x%4").arg(r.left()).arg(r.top()).arg(r.width()).arg(r.height())));
        QVERIFY(w->isVisible());
        QCOMPARE(w->isEnabled(), !c.has(layout::Disabled));
        const QString text = QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
        // Whether each caption fits its place is readable_test's everythingFits.
        if (auto *label = qobject_cast<QLabel *>(w))
            QCOMPARE(label->text(), text);
        if (auto *button = qobject_cast<QPushButton *>(w))
            QCOMPARE(button->text(), text);
        if (auto *box = qobject_cast<QLineEdit *>(w)) {
            QCOMPARE(box->text(), text);
            QCOMPARE(box->maxLength(), c.maxLength > 0 ? c.maxLength : std::numeric_limits<int>::max());
            QVERIFY(!box->accessibleName().isEmpty());
        }
        QCOMPARE(w->font().bold(), c.has(layout::Bold));
        QCOMPARE(w->font().pointSizeF(), c.pointSize > 0 ? c.pointSize : 8.25);
        const bool red = w->palette().color(QPalette::WindowText) == QColor(255, 0, 0);
        QCOMPARE(red, c.has(layout::Red));
    }

    // A few places typed from the design, independently of the table the window is built from.
    void spotChecksOfPlaces()
    {
        QCOMPARE(tabs()->geometry(), QRect(7, 10, 482, 287)); // Left 105, Top 150, 7230 x 4305
        const auto at = [&](const char *name) {
            QWidget *w = Child(m_window.get(), name);
            return QRect(w->mapTo(tabs(), QPoint(0, 0)), w->size());
        };
        QCOMPARE(at("Text16"), QRect(22, 69, 65, 19));      // 330, 1035, 975, 285
        QCOMPARE(at("Label5"), QRect(125 + 11, 27 + 19, 60, 21)); // Frame1 1875, 405 + 165, 285
        QCOMPARE(at("Text2").top(), 96);                      // 1443
        QCOMPARE(at("Label42").left(), 393);                  // 5895
        QCOMPARE(at("Text18"), QRect(97, 254, 32, 19));       // 1455, 3810, 480, 285
    }

    void fieldsCutWhatIsWrittenToTheirMaxLength_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("reads");
        QTest::newRow("Text1") << "Text1" << "8.7719298245614 uH" << "8.77";
        QTest::newRow("Text2") << "Text2" << "10 uH" << "10 u";
        QTest::newRow("Text3") << "Text3" << "5 uH" << "5 uH";
        QTest::newRow("Text17") << "Text17" << "1.02737103989798" << "1.027";
        QTest::newRow("Text14") << "Text14" << "0.69" << "0.69";
        QTest::newRow("Text22") << "Text22" << "8.7719298245614 uH" << "8.7719298245614 uH";
    }

    void fieldsCutWhatIsWrittenToTheirMaxLength()
    {
        QFETCH(QString, box);
        QFETCH(QString, written);
        QFETCH(QString, reads);
        WidgetFields fields(m_window.get());
        fields.setText(box.toStdString(), written.toStdString());
        QCOMPARE(QString::fromStdString(fields.text(box.toStdString())), reads);
        QVERIFY_THROWS_EXCEPTION(ControlError, fields.text("Text99"));
        // Shown from its first character: a text longer than the box (Text22's)
        // is not scrolled to its end. A paint places the text in the box.
        auto *edit = Child<QLineEdit>(m_window.get(), qPrintable(box));
        edit->grab();
        QCOMPARE(edit->cursorPositionAt(QPoint(edit->contentsRect().left() + 3, edit->height() / 2)), 0);
        QCOMPARE(edit->cursorPosition(), 0);
    }

    void inductancePageWorkedExample()
    {
        TypeInto(m_window.get(), "Text15", "20");
        TypeInto(m_window.get(), "Text16", "1");
        ClickButton(m_window.get(), "Command2");
        const char *lengths[] = {"Text14", "Text13", "Text12", "Text11", "Text5", "Text4"};
        const char *inductances[] = {"Text1", "Text2", "Text3", "Text6", "Text7", "Text8"};
        const QStringList expectedLengths = {"0.69", "0.572", "0.444", "0.358", "0.286", "0.21"};
        const QStringList expectedInductances = {"8.77", "9.78", "11.1", "12.3", "13.5", "15.1"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(TextOf(m_window.get(), lengths[i]), expectedLengths[i]);
            QCOMPARE(TextOf(m_window.get(), inductances[i]), expectedInductances[i]);
        }
        QCOMPARE(TextOf(m_window.get(), "Text18"), QStringLiteral("5"));
    }

    void frequencyAndLooseCoilPagesInTheWindow()
    {
        clickTab(1);
        TypeInto(m_window.get(), "Text9", "240");
        TypeInto(m_window.get(), "Text10", "100");
        ClickButton(m_window.get(), "Command1");
        QCOMPARE(TextOf(m_window.get(), "Text17"), QStringLiteral("1.027"));

        clickTab(2);
        TypeInto(m_window.get(), "Text19", "2");
        TypeInto(m_window.get(), "Text20", "10");
        TypeInto(m_window.get(), "Text21", "0.1");
        ClickButton(m_window.get(), "Command3");
        QCOMPARE(TextOf(m_window.get(), "Text22"), QStringLiteral("10 uH"));
    }

    // The locale's decimal separator is read and written; a non-ASCII one
    // (U+066B, two bytes in UTF-8) reaches the boxes and the notes intact.
    void localeSeparatorsAreReadAndWritten_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("de_DE") << QLocale(QLocale::German, QLocale::Germany) << QStringLiteral(",");
        QTest::newRow("ar_EG") << QLocale(QLocale::Arabic, QLocale::Egypt) << QStringLiteral("\u066B");
    }

    void localeSeparatorsAreReadAndWritten()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        QCOMPARE(locale.decimalPoint(), separator);
        // '_' stands for the separator.
        const auto in = [&](const char *text) { return QString::fromUtf8(text).replace(QLatin1Char('_'), separator); };
        QLocale::setDefault(locale);
        TypeInto(m_window.get(), "Text15", "20");
        TypeInto(m_window.get(), "Text16", in("1_0"));
        ClickButton(m_window.get(), "Command2");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TextOf(m_window.get(), "Text16"), in("1_0"));
        QCOMPARE(TextOf(m_window.get(), "Text14"), in("0_69"));
        QCOMPARE(TextOf(m_window.get(), "Text1"), in("8_77"));
        QCOMPARE(Child<QLineEdit>(m_window.get(), "Text1")->toolTip(),
                 in("8_7719298245614 uH by Wheeler's formula, for 20 turns on a 1 in form, 0_69 in long.\n"
                    "Current sheet: 8_76701 uH; Wheeler is 0_0561 % above it. Length/diameter: 0_69."));
    }

    // In locales that group digits with '.', "1.000" could be a thousand or one:
    // it fails with a message, and a grouped number with a decimal comma reads.
    void dotGroupingLocalesRefuseToGuess_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("capacitance");
        QTest::addColumn<QString>("message"); // empty: it reads
        QTest::addColumn<QString>("note");
        const QString ambiguous = QStringLiteral("Type mismatch: \u201C1.000\u201D could be read two ways, as a whole "
                                                 "number or as a decimal fraction. Write 1000 for the whole number, "
                                                 "or 1,0 for the fraction.");
        QTest::newRow("de_DE 1.000") << QLocale(QLocale::German, QLocale::Germany) << "1.000" << ambiguous << "";
        QTest::newRow("it_IT 1.000") << QLocale(QLocale::Italian, QLocale::Italy) << "1.000" << ambiguous << "";
        // f = 1 / (sqrt(240 * 1234.5 * 0.01) * 6.283) * 100
        QTest::newRow("de_DE 1.234,5") << QLocale(QLocale::German, QLocale::Germany) << "1.234,5" << ""
                                       << "0,29240296512771 MHz, for 240 uH and 1234,5 pF.";
        QTest::newRow("en_US 1.000") << QLocale(QLocale::English, QLocale::UnitedStates) << "1.000" << ""
                                     << "10.2737103989798 MHz, for 240 uH and 1 pF.";
    }

    void dotGroupingLocalesRefuseToGuess()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, capacitance);
        QFETCH(QString, message);
        QFETCH(QString, note);
        QLocale::setDefault(locale);
        clickTab(1);
        TypeInto(m_window.get(), "Text9", "240");
        TypeInto(m_window.get(), "Text10", capacitance);
        const QString shown = ClickForMessage(m_window.get(), "Command1");
        QLocale::setDefault(QLocale::c());
        QCOMPARE(shown, message.isEmpty() ? QString() : message);
        QCOMPARE(Child<QLineEdit>(m_window.get(), "Text17")->toolTip(), note);
    }

    // Each result box written gets a note: its whole value, the inputs, and for an
    // inductance the current-sheet cross-check; a box not written keeps its note.
    void resultNotesTellTheWholeValue()
    {
        TypeInto(m_window.get(), "Text15", "20");
        TypeInto(m_window.get(), "Text16", "1");
        ClickButton(m_window.get(), "Command2");
        const QString text1 = QStringLiteral(
            "8.7719298245614 uH by Wheeler's formula, for 20 turns on a 1 in form, 0.69 in long.\n"
            "Current sheet: 8.76701 uH; Wheeler is 0.0561 % above it. Length/diameter: 0.69.");
        auto *box = Child<QLineEdit>(m_window.get(), "Text1");
        QCOMPARE(box->toolTip(), text1);
        QCOMPARE(box->accessibleDescription(), text1);

        // A failure part-way: new lengths, but the inductances and their notes stay.
        TypeInto(m_window.get(), "Text15", "10");
        TypeInto(m_window.get(), "Text16", "x");
        QVERIFY(!ClickForMessage(m_window.get(), "Command2").isNull());
        QCOMPARE(TextOf(m_window.get(), "Text14"), QStringLiteral("0.345"));
        QCOMPARE(box->text(), QStringLiteral("8.77"));
        QCOMPARE(box->toolTip(), text1);

        // Ten turns of # 30 on a 4 in form: Wheeler reads 27 % low.
        clickTab(2);
        TypeInto(m_window.get(), "Text19", "4");
        TypeInto(m_window.get(), "Text20", "10");
        TypeInto(m_window.get(), "Text21", "0.105");
        ClickButton(m_window.get(), "Command3");
        QCOMPARE(Child<QLineEdit>(m_window.get(), "Text22")->toolTip(),
                 QStringLiteral("20.997375328084 uH by Wheeler's formula, for 10 turns on a 4 in form, 0.105 in long.\n"
                                "Current sheet: 28.898 uH; Wheeler is 27.3 % below it. Length/diameter: 0.0262.\n"
                                "Wheeler's formula reads low for a coil this short: 27.3 % below the current sheet, the better value here."));

        // A frequency too large for its box shows hashes; the note has it whole.
        clickTab(1);
        TypeInto(m_window.get(), "Text9", "1e-6");
        TypeInto(m_window.get(), "Text10", "1");
        ClickButton(m_window.get(), "Command1");
        QCOMPARE(TextOf(m_window.get(), "Text17"), QStringLiteral("#####"));
        QCOMPARE(Child<QLineEdit>(m_window.get(), "Text17")->accessibleDescription(),
                 QStringLiteral("159159.637116027 MHz, for 1E-06 uH and 1 pF."));
    }

    void failuresShowAMessageAndKeepTheFields_data()
    {
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("firstLength");
        QTest::addColumn<QString>("lastLength");
        QTest::newRow("turns not a number") << "twenty" << "1" << "Type mismatch: \u201Ctwenty\u201D is not a number."
                                            << "lenth of coil" << "lenth of coil";
        QTest::newRow("diameter empty") << "20" << "" << "Type mismatch: a field is empty, and a number is needed there."
                                        << "0.69" << "0.21";
        QTest::newRow("zero over zero") << "0" << "0"
                                        << "Invalid operation: the result is undefined (zero divided by zero)."
                                        << "0" << "0";
    }

    void failuresShowAMessageAndKeepTheFields()
    {
        QFETCH(QString, turns);
        QFETCH(QString, diameter);
        QFETCH(QString, message);
        QFETCH(QString, firstLength);
        QFETCH(QString, lastLength);
        TypeInto(m_window.get(), "Text15", turns);
        TypeInto(m_window.get(), "Text16", diameter);
        QCOMPARE(ClickForMessage(m_window.get(), "Command2"), message);
        QCOMPARE(TextOf(m_window.get(), "Text14"), firstLength);
        QCOMPARE(TextOf(m_window.get(), "Text4"), lastLength);
        QCOMPARE(TextOf(m_window.get(), "Text1"), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), "Text18"), QString());
        QCOMPARE(TextOf(m_window.get(), "Text15"), turns); // the input is not lost
        QVERIFY(m_window->isVisible());
    }

    void frequencyFailuresKeepTheResult()
    {
        clickTab(1);
        TypeInto(m_window.get(), "Text9", "240");
        TypeInto(m_window.get(), "Text10", "100");
        ClickButton(m_window.get(), "Command1");
        TypeInto(m_window.get(), "Text9", "-240");
        QCOMPARE(ClickForMessage(m_window.get(), "Command1"),
                 QStringLiteral("Invalid argument: the square root of a negative number."));
        TypeInto(m_window.get(), "Text9", "0");
        QCOMPARE(ClickForMessage(m_window.get(), "Command1"), QStringLiteral("Division by zero."));
        QCOMPARE(TextOf(m_window.get(), "Text17"), QStringLiteral("1.027"));
    }

    void disabledBoxesTakeNoTyping()
    {
        for (const char *name : {"Text1", "Text14", "Text18"}) {
            QTest::keyClicks(Child(m_window.get(), name), QStringLiteral("99"));
            QVERIFY(!Child(m_window.get(), name)->hasFocus());
        }
        QCOMPARE(TextOf(m_window.get(), "Text1"), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), "Text14"), QStringLiteral("lenth of coil"));
        QCOMPARE(TextOf(m_window.get(), "Text18"), QString());
    }

    void switchingPagesKeepsTypedTexts()
    {
        clickTab(1);
        QCOMPARE(tabs()->currentIndex(), 1);
        TypeInto(m_window.get(), "Text9", "123");
        clickTab(0);
        QVERIFY(!Child(m_window.get(), "Text9")->isVisible());
        QVERIFY(Child(m_window.get(), "Text16")->isVisible());
        clickTab(1);
        QCOMPARE(TextOf(m_window.get(), "Text9"), QStringLiteral("123"));
    }

    void tabOrderFollowsEachPage()
    {
        QCOMPARE(focusCycle(5), (QStringList{"Text15", "Command2", "tabs", "Text16", "Text15"}));
        clickTab(1);
        tabs()->tabBar()->setFocus();
        QCOMPARE(focusCycle(4), (QStringList{"Text9", "Text10", "Command1", "tabs"}));
        clickTab(2);
        tabs()->tabBar()->setFocus();
        QCOMPARE(focusCycle(7), (QStringList{"Text19", "Text20", "Command3", "Text21", "Text22", "tabs", "Text19"}));
    }

    void enterAndEscapePressNoButton()
    {
        TypeInto(m_window.get(), "Text15", "20");
        TypeInto(m_window.get(), "Text16", "1");
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(Child(m_window.get(), "Text16"), key);
            Child(m_window.get(), "Command2")->setFocus();
            QTest::keyClick(Child(m_window.get(), "Command2"), key);
        }
        QCOMPARE(TextOf(m_window.get(), "Text14"), QStringLiteral("lenth of coil"));
    }

    void resizingMovesNothing()
    {
        const QRect before = tabs()->geometry();
        const QRect text16 = Child(m_window.get(), "Text16")->geometry();
        m_window->showMaximized();
        QTest::qWait(50);
        m_window->resize(900, 700);
        QTest::qWait(50);
        QCOMPARE(tabs()->geometry(), before);
        QCOMPARE(Child(m_window.get(), "Text16")->geometry(), text16);
    }

    // A window destroyed while its error box is open takes the box with it.
    void closingTheWindowUnderAnErrorBoxIsSafe()
    {
        auto *window = new MainWindow(m_about);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QPointer<MainWindow> guard(window);
        QTimer::singleShot(0, window, [window] { window->close(); });
        // Empty fields: the error box opens, then the window closes under it. A
        // box still open a second later was left behind; it is closed and named.
        QCOMPARE(MessageBoxFrom([window] { window->Command2_Click(); }, 1000), QString());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
        QVERIFY(!QApplication::activeModalWidget());
    }

    // The red captions keep their colour on a dark desktop palette.
    void redCaptionsStayRedOnADarkPalette()
    {
        const QPalette before = QApplication::palette();
        QPalette dark(QColor(40, 40, 40));
        dark.setColor(QPalette::WindowText, Qt::white);
        QApplication::setPalette(dark);
        MainWindow window(m_about);
        QApplication::setPalette(before);
        for (const char *name : {"Label1", "Label2"})
            QCOMPARE(Child(&window, name)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(Child(&window, "Label3")->palette().color(QPalette::WindowText), QColor(Qt::white));
    }

    void junkNeverCrashes_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("long") << QString(5000, QLatin1Char('9'));
        QTest::newRow("unicode") << QStringLiteral("\u0663\u00B5\U0001F600");
        QTest::newRow("nul") << QString(QChar(0)) + QStringLiteral("1");
        QTest::newRow("huge") << QStringLiteral("1e308");
    }

    void junkNeverCrashes()
    {
        QFETCH(QString, text);
        for (const char *box : {"Text15", "Text16"}) {
            TypeInto(m_window.get(), "Text15", "20");
            TypeInto(m_window.get(), "Text16", "1");
            auto *edit = Child<QLineEdit>(m_window.get(), box);
            edit->setText(text); // as if pasted
            const QString message = ClickForMessage(m_window.get(), "Command2");
            QVERIFY(!message.isEmpty());
            QVERIFY(message.size() < 200);
            QCOMPARE(edit->text(), text);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
