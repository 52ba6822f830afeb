#include "ui/about_dialog.h"
#include "pages/form_layout.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/result_box.h"
#include "ui/tab_control.h"
#include "ui/widget_fields.h"

#include <QFrame>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QStyle>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

#include <limits>

using namespace spirelle;
using namespace spirelle::testing;

class MainWindowTest : public QObject {
    Q_OBJECT

private:
    AboutDialogRef m_about;
    std::unique_ptr<MainWindow> m_window;
    TabControl *tabs() const { return Child<TabControl>(m_window.get(), control::kTabs); }
    void clickTab(int page)
    {
        QTabBar *bar = tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
    }
    static QStringList Names(std::initializer_list<std::string_view> names)
    {
        QStringList list;
        for (const std::string_view name : names)
            list << ToQString(name);
        return list;
    }
    // The tool tip a pointer resting on the widget opens, or an empty text.
    static QString hover(QWidget *w)
    {
        QToolTip::hideText();
        QHelpEvent rest(QEvent::ToolTip, w->rect().center(), w->mapToGlobal(w->rect().center()));
        QApplication::sendEvent(w, &rest);
        return QTest::qWaitFor([] { return QToolTip::isVisible(); }) ? QToolTip::text() : QString();
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
        QCOMPARE(QApplication::focusWidget()->objectName(), ToQString(control::kDiameter));
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].inductanceField), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), QStringLiteral("lenth of coil"));
        QVERIFY(Child(m_window.get(), control::kDiameter)->isVisible());
        QVERIFY(!Child(m_window.get(), control::kInductance)->isVisible());
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
        QCOMPARE(menus[0]->menu()->objectName(), ToQString(control::kMenu));
        const QList<QAction *> items = menus[0]->menu()->actions();
        QCOMPARE(items.size(), 2);
        QCOMPARE(items[0]->objectName(), ToQString(control::kDesignItem));
        QCOMPARE(items[0]->text(), QStringLiteral("Design for a band…"));
        QCOMPARE(items[1]->objectName(), ToQString(control::kAboutItem));
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
        QWidget *w = Child(m_window.get(), c.name);
        QWidget *origin = c.has(layout::InFrame) ? Child(m_window.get(), control::kGaugeFrame) : tabs();
        const QRect r(w->mapTo(m_window.get(), QPoint(0, 0)) - origin->mapTo(m_window.get(), QPoint(0, 0)), w->size());
        const auto near = [](int px, int twips) { return std::abs(px * 15 - twips) <= 15; };
        QVERIFY2(near(r.left(), c.left) && near(r.top(), c.top) && near(r.width(), c.width) &&
                     near(r.height(), c.height),
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
        const auto at = [&](std::string_view name) {
            QWidget *w = Child(m_window.get(), name);
            return QRect(w->mapTo(tabs(), QPoint(0, 0)), w->size());
        };
        QCOMPARE(at(control::kDiameter), QRect(22, 69, 65, 19));                 // 330, 1035, 975, 285
        QCOMPARE(at(control::kLengthHeading), QRect(125 + 11, 27 + 19, 60, 21)); // Frame1 1875, 405 + 165, 285
        QCOMPARE(at(control::kGaugeRows[1].inductanceField).top(), 96);          // 1443
        QCOMPARE(at(control::kGaugeRows[2].inchesPerTurnLabel).left(), 393);     // 5895
        QCOMPARE(at(control::kWireFeet), QRect(97, 254, 32, 19));                // 1455, 3810, 480, 285
    }

    void fieldsCutWhatIsWrittenToTheirMaxLength_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("written");
        QTest::addColumn<QString>("reads");
        QTest::addColumn<bool>("cut"); // wider than the box: drawn ending in an ellipsis
        const auto row = [](std::string_view box, const char *written, const char *reads, bool cut = false) {
            QTest::addRow("%s %s", box.data(), written) << ToQString(box) << QString(written) << QString(reads) << cut;
        };
        using control::kGaugeRows;
        row(kGaugeRows[0].inductanceField, "8.7719298245614 uH", "8.77");
        row(kGaugeRows[1].inductanceField, "10 uH", "10 u");
        row(kGaugeRows[2].inductanceField, "5 uH", "5 uH");
        row(control::kFrequency, "1.02737103989798", "1.027");
        row(kGaugeRows[0].lengthField, "0.69", "0.69");
        row(kGaugeRows[0].lengthField, "0.286000000000001", "0.286000000000001", true);
        row(control::kWireFeet, "13090", "13090", true); // 10 in, 5000 turns
        row(control::kLooseInductance, "8.7719298245614 uH", "8.7719298245614 uH", true);
    }

    void fieldsCutWhatIsWrittenToTheirMaxLength()
    {
        QFETCH(QString, box);
        QFETCH(QString, written);
        QFETCH(QString, reads);
        QFETCH(bool, cut);
        WidgetFields fields(m_window.get());
        fields.setText(box.toStdString(), written.toStdString());
        QCOMPARE(QString::fromStdString(fields.text(box.toStdString())), reads);
        QVERIFY_THROWS_EXCEPTION(ControlError, fields.text("Text99"));
        // Shown from its first character: a text longer than the box (Text22's)
        // is not scrolled to its end. A paint places the text in the box.
        auto *edit = Child<QLineEdit>(m_window.get(), box.toStdString());
        edit->grab();
        QCOMPARE(edit->cursorPositionAt(QPoint(edit->contentsRect().left() + 3, edit->height() / 2)), 0);
        QCOMPARE(edit->cursorPosition(), 0);
        // Cut or not, no glyph is sliced at the box's edge: the last columns inside the frame stay clear.
        edit->setEnabled(false); // Text22 too, so that no cursor is drawn
        const QImage edge = edit->grab().toImage().copy(edit->width() - 6, 3, 3, edit->height() - 6);
        for (int i = 0; i < edge.width() * edge.height(); ++i)
            QCOMPARE(edge.pixel(i % edge.width(), i / edge.width()), edge.pixel(0, 0));
        // The drawn ellipsis is the box's own; the cut text is told whole on hover.
        QCOMPARE(static_cast<ResultBox *>(edit)->isElided(), cut);
        if (cut)
            QCOMPARE(hover(edit), reads);
    }

    void inductancePageWorkedExample()
    {
        TypeInto(m_window.get(), control::kTurns, "20");
        TypeInto(m_window.get(), control::kDiameter, "1");
        ClickButton(m_window.get(), control::kCoilButton);
        const QStringList expectedLengths = {"0.69", "0.572", "0.444", "0.358", "0.286", "0.21"};
        const QStringList expectedInductances = {"8.77", "9.78", "11.1", "12.3", "13.5", "15.1"};
        for (int i = 0; i < 6; ++i) {
            QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[i].lengthField), expectedLengths[i]);
            QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[i].inductanceField), expectedInductances[i]);
        }
        QCOMPARE(TextOf(m_window.get(), control::kWireFeet), QStringLiteral("5"));
    }

    void frequencyAndLooseCoilPagesInTheWindow()
    {
        clickTab(1);
        TypeInto(m_window.get(), control::kInductance, "240");
        TypeInto(m_window.get(), control::kCapacitance, "100");
        ClickButton(m_window.get(), control::kFrequencyButton);
        QCOMPARE(TextOf(m_window.get(), control::kFrequency), QStringLiteral("1.027"));

        clickTab(2);
        TypeInto(m_window.get(), control::kLooseDiameter, "2");
        TypeInto(m_window.get(), control::kLooseTurns, "10");
        TypeInto(m_window.get(), control::kLooseLength, "0.1");
        ClickButton(m_window.get(), control::kLooseButton);
        QCOMPARE(TextOf(m_window.get(), control::kLooseInductance), QStringLiteral("10 uH"));
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
        TypeInto(m_window.get(), control::kTurns, "20");
        TypeInto(m_window.get(), control::kDiameter, in("1_0"));
        ClickButton(m_window.get(), control::kCoilButton);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(TextOf(m_window.get(), control::kDiameter), in("1_0"));
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), in("0_69"));
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].inductanceField), in("8_77"));
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kGaugeRows[0].inductanceField)->toolTip(),
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
        const QString ambiguous = QStringLiteral(
            "Type mismatch: \u201C1.000\u201D could be read two ways, as a whole "
            "number or as a decimal fraction. Write 1000 for the whole number, "
            "or 1,0 for the fraction.");
        QTest::newRow("de_DE 1.000") << QLocale(QLocale::German, QLocale::Germany) << "1.000" << ambiguous << "";
        QTest::newRow("it_IT 1.000") << QLocale(QLocale::Italian, QLocale::Italy) << "1.000" << ambiguous << "";
        // f = 1 / (sqrt(240 * 1234.5 * 0.01) * 6.283) * 100
        QTest::newRow("de_DE 1.234,5") << QLocale(QLocale::German, QLocale::Germany) << "1.234,5"
                                       << ""
                                       << "0,29240296512771 MHz, for 240 uH and 1234,5 pF.";
        QTest::newRow("en_US 1.000") << QLocale(QLocale::English, QLocale::UnitedStates) << "1.000"
                                     << ""
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
        TypeInto(m_window.get(), control::kInductance, "240");
        TypeInto(m_window.get(), control::kCapacitance, capacitance);
        const QString shown = ClickForMessage(m_window.get(), control::kFrequencyButton);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(shown, message.isEmpty() ? QString() : message);
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kFrequency)->toolTip(), note);
    }

    // Each result box written gets a note: its whole value, the inputs, and for an
    // inductance the current-sheet cross-check; a box not written keeps its note.
    void resultNotesTellTheWholeValue()
    {
        TypeInto(m_window.get(), control::kTurns, "20");
        TypeInto(m_window.get(), control::kDiameter, "1");
        ClickButton(m_window.get(), control::kCoilButton);
        const QString text1 = QStringLiteral(
            "8.7719298245614 uH by Wheeler's formula, for 20 turns on a 1 in form, 0.69 in long.\n"
            "Current sheet: 8.76701 uH; Wheeler is 0.0561 % above it. Length/diameter: 0.69.");
        auto *box = Child<QLineEdit>(m_window.get(), control::kGaugeRows[0].inductanceField);
        QCOMPARE(box->toolTip(), text1);
        QCOMPARE(box->accessibleDescription(), text1);
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kGaugeRows[5].lengthField)->toolTip(),
                 QStringLiteral("0.21 in long, for 20 turns of # 30 wire at .0105 in per turn."));
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kWireFeet)->accessibleDescription(),
                 QStringLiteral("5 ft of wire, for 20 turns on a 1 in form."));

        // A failure part-way: new lengths, but the inductances and their notes stay.
        TypeInto(m_window.get(), control::kTurns, "10");
        TypeInto(m_window.get(), control::kDiameter, "x");
        QVERIFY(!ClickForMessage(m_window.get(), control::kCoilButton).isNull());
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), QStringLiteral("0.345"));
        QCOMPARE(box->text(), QStringLiteral("8.77"));
        QCOMPARE(box->toolTip(), text1);

        // Ten turns of # 30 on a 4 in form: Wheeler reads 27 % low.
        clickTab(2);
        TypeInto(m_window.get(), control::kLooseDiameter, "4");
        TypeInto(m_window.get(), control::kLooseTurns, "10");
        TypeInto(m_window.get(), control::kLooseLength, "0.105");
        ClickButton(m_window.get(), control::kLooseButton);
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kLooseInductance)->toolTip(),
                 QStringLiteral("20.997375328084 uH by Wheeler's formula, for 10 turns on a 4 in form, 0.105 in long.\n"
                                "Current sheet: 28.898 uH; Wheeler is 27.3 % below it. Length/diameter: 0.0262.\n"
                                "Wheeler's formula reads low for a coil this short: 27.3 % below the current sheet, "
                                "the better value here."));
        // Its tool tip, wrapped, is no wider than the window.
        QVERIFY(!hover(Child(m_window.get(), control::kLooseInductance)).isEmpty());
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY(!top->inherits("QTipLabel") || top->width() <= m_window->width());

        // A frequency too large for its box shows hashes; the note has it whole.
        clickTab(1);
        TypeInto(m_window.get(), control::kInductance, "1e-6");
        TypeInto(m_window.get(), control::kCapacitance, "1");
        ClickButton(m_window.get(), control::kFrequencyButton);
        QCOMPARE(TextOf(m_window.get(), control::kFrequency), QStringLiteral("#####"));
        QCOMPARE(Child<QLineEdit>(m_window.get(), control::kFrequency)->accessibleDescription(),
                 QStringLiteral("159159.637116027 MHz, for 1E-06 uH and 1 pF."));
    }

    void failuresShowAMessageAndKeepTheFields_data()
    {
        QTest::addColumn<QString>("turns");
        QTest::addColumn<QString>("diameter");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("firstLength");
        QTest::addColumn<QString>("lastLength");
        QTest::newRow("turns not a number") << "twenty"
                                            << "1"
                                            << "Type mismatch: \u201Ctwenty\u201D is not a number."
                                            << "lenth of coil"
                                            << "lenth of coil";
        QTest::newRow("diameter empty") << "20"
                                        << ""
                                        << "Type mismatch: a field is empty, and a number is needed there."
                                        << "0.69"
                                        << "0.21";
        QTest::newRow("zero over zero") << "0"
                                        << "0"
                                        << "Invalid operation: the result is undefined (zero divided by zero)."
                                        << "0"
                                        << "0";
    }

    void failuresShowAMessageAndKeepTheFields()
    {
        QFETCH(QString, turns);
        QFETCH(QString, diameter);
        QFETCH(QString, message);
        QFETCH(QString, firstLength);
        QFETCH(QString, lastLength);
        TypeInto(m_window.get(), control::kTurns, turns);
        TypeInto(m_window.get(), control::kDiameter, diameter);
        QCOMPARE(ClickForMessage(m_window.get(), control::kCoilButton), message);
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), firstLength);
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[5].lengthField), lastLength);
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].inductanceField), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), control::kWireFeet), QString());
        QCOMPARE(TextOf(m_window.get(), control::kTurns), turns); // the input is not lost
        QVERIFY(m_window->isVisible());
    }

    void frequencyFailuresKeepTheResult()
    {
        clickTab(1);
        TypeInto(m_window.get(), control::kInductance, "240");
        TypeInto(m_window.get(), control::kCapacitance, "100");
        ClickButton(m_window.get(), control::kFrequencyButton);
        TypeInto(m_window.get(), control::kInductance, "-240");
        QCOMPARE(ClickForMessage(m_window.get(), control::kFrequencyButton),
                 QStringLiteral("Invalid argument: the square root of a negative number."));
        TypeInto(m_window.get(), control::kInductance, "0");
        QCOMPARE(ClickForMessage(m_window.get(), control::kFrequencyButton), QStringLiteral("Division by zero."));
        QCOMPARE(TextOf(m_window.get(), control::kFrequency), QStringLiteral("1.027"));
    }

    void disabledBoxesTakeNoTyping()
    {
        using control::kGaugeRows;
        for (const std::string_view name :
             {kGaugeRows[0].inductanceField, kGaugeRows[0].lengthField, control::kWireFeet}) {
            QTest::keyClicks(Child(m_window.get(), name), QStringLiteral("99"));
            QVERIFY(!Child(m_window.get(), name)->hasFocus());
        }
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].inductanceField), QStringLiteral("uH"));
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), QStringLiteral("lenth of coil"));
        QCOMPARE(TextOf(m_window.get(), control::kWireFeet), QString());
    }

    void switchingPagesKeepsTypedTexts()
    {
        clickTab(1);
        QCOMPARE(tabs()->currentIndex(), 1);
        TypeInto(m_window.get(), control::kInductance, "123");
        clickTab(0);
        QVERIFY(!Child(m_window.get(), control::kInductance)->isVisible());
        QVERIFY(Child(m_window.get(), control::kDiameter)->isVisible());
        clickTab(1);
        QCOMPARE(TextOf(m_window.get(), control::kInductance), QStringLiteral("123"));
    }

    void tabOrderFollowsEachPage()
    {
        using namespace control;
        QCOMPARE(focusCycle(5), Names({kTurns, kCoilButton, "tabs", kDiameter, kTurns}));
        clickTab(1);
        tabs()->tabBar()->setFocus();
        QCOMPARE(focusCycle(4), Names({kInductance, kCapacitance, kFrequencyButton, "tabs"}));
        clickTab(2);
        tabs()->tabBar()->setFocus();
        QCOMPARE(
            focusCycle(7),
            Names({kLooseDiameter, kLooseTurns, kLooseButton, kLooseLength, kLooseInductance, "tabs", kLooseDiameter}));
    }

    void enterAndEscapePressNoButton()
    {
        TypeInto(m_window.get(), control::kTurns, "20");
        TypeInto(m_window.get(), control::kDiameter, "1");
        for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(Child(m_window.get(), control::kDiameter), key);
            Child(m_window.get(), control::kCoilButton)->setFocus();
            QTest::keyClick(Child(m_window.get(), control::kCoilButton), key);
        }
        QCOMPARE(TextOf(m_window.get(), control::kGaugeRows[0].lengthField), QStringLiteral("lenth of coil"));
    }

    // The desktop's keys: F10 or Alt alone reach the menu bar and Esc leaves it;
    // Ctrl+Tab, Ctrl+PgDn and their reverses change pages.
    void platformKeys_data()
    {
        QTest::addColumn<QString>("keys"); // "Alt": Alt pressed and released alone
        QTest::addColumn<int>("page");     // -1: the menu bar, its first menu highlighted
        for (const auto &[keys, page] : {std::pair{"F10", -1},
                                         {"Alt", -1},
                                         {"Ctrl+Tab", 1},
                                         {"Ctrl+Shift+Backtab", 2},
                                         {"Ctrl+PgDown", 1},
                                         {"Ctrl+PgUp", 2}})
            QTest::newRow(keys) << QString::fromLatin1(keys) << page;
    }

    void platformKeys()
    {
        QFETCH(QString, keys);
        QFETCH(int, page);
        QWidget *start = QApplication::focusWidget();
        QMenuBar *bar = m_window->menuBar();
        const QImage unmarked = bar->grab().toImage();
        if (keys == QLatin1String("Alt"))
            QTest::keyPress(start, Qt::Key_Alt, Qt::AltModifier), QTest::keyRelease(start, Qt::Key_Alt, Qt::NoModifier);
        else
            QTest::keySequence(start, QKeySequence(keys));
        QCOMPARE(tabs()->currentIndex(), std::max(page, 0)); // the menu keys change no page
        if (page >= 0)
            return;
        QCOMPARE(bar->activeAction(), bar->actions().first());
        QVERIFY(bar->grab().toImage() != unmarked); // and shown highlighted
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!bar->activeAction());
        QCOMPARE(QApplication::focusWidget(), start);
    }

    // Started as the program starts it, the menu bar's overflow button still shows its style's icon.
    void overflowButtonIcon()
    {
        const QImage own =
            QApplication::style()->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton).pixmap(16).toImage();
        const std::unique_ptr<MainWindow> window(CreateMainWindow(m_about));
        const auto *button = window->menuBar()->findChild<QToolButton *>(QStringLiteral("qt_menubar_ext_button"));
        QVERIFY(button && !own.isNull());
        QCOMPARE(button->icon().pixmap(16).toImage(), own);
    }

    void resizingMovesNothing()
    {
        const QRect before = tabs()->geometry();
        const QRect text16 = Child(m_window.get(), control::kDiameter)->geometry();
        m_window->showMaximized();
        QTest::qWait(50);
        m_window->resize(900, 700);
        QTest::qWait(50);
        QCOMPARE(tabs()->geometry(), before);
        QCOMPARE(Child(m_window.get(), control::kDiameter)->geometry(), text16);
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
        for (const std::string_view name : {control::kInductanceCaption, control::kCapacitanceCaption})
            QCOMPARE(Child(&window, name)->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QCOMPARE(Child(&window, control::kFrequencyUnit)->palette().color(QPalette::WindowText), QColor(Qt::white));
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
        for (const std::string_view box : {control::kTurns, control::kDiameter}) {
            TypeInto(m_window.get(), control::kTurns, "20");
            TypeInto(m_window.get(), control::kDiameter, "1");
            auto *edit = Child<QLineEdit>(m_window.get(), box);
            edit->setText(text); // as if pasted
            const QString message = ClickForMessage(m_window.get(), control::kCoilButton);
            QVERIFY(!message.isEmpty());
            QVERIFY(message.size() < 200);
            QCOMPARE(edit->text(), text);
        }
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
