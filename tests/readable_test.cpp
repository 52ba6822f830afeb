// Readable by everyone: results that read at 4.5:1 in a light and a dark
// palette, pages in the 3D face colour, a font that fits, names for a screen
// reader. The contrast figures print with
//   QT_QPA_PLATFORM=offscreen build/default/tests/readable_test contrast
#include "ui/about_dialog.h"
#include "pages/form_layout.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/form_widgets.h"
#include "ui/tab_control.h"

#include <QAccessible>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextCursor>
#include <QtTest>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>

using namespace spirelle;
using namespace spirelle::testing;

namespace {

// WCAG 2 relative luminance and contrast ratio, written out here so that the
// test does not lean on the window's own arithmetic.
double Luminance(const QColor &c)
{
    const auto linear = [](int channel) {
        const double v = channel / 255.0;
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.red()) + 0.7152 * linear(c.green()) + 0.0722 * linear(c.blue());
}

double Contrast(const QColor &a, const QColor &b)
{
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// A dark desktop in Fusion's manner: window and buttons 50, boxes 36, text
// 240, dimmed text 130 on a disabled box of 50.
QPalette DarkPalette()
{
    const QColor text(240, 240, 240), window(50, 50, 50), dimmed(130, 130, 130);
    QPalette dark(text, window, QColor(75, 75, 75), QColor(33, 33, 33), QColor(38, 38, 38), text, Qt::white,
                  QColor(36, 36, 36), window);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        dark.setColor(QPalette::Disabled, role, dimmed);
    dark.setColor(QPalette::Disabled, QPalette::Base, window);
    return dark;
}

// A classic desktop whose 3D face differs from its window colour.
QPalette ClassicPalette()
{
    QPalette classic = QApplication::style()->standardPalette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        classic.setColor(group, QPalette::Button, QColor(212, 208, 200));
        classic.setColor(group, QPalette::Window, QColor(255, 251, 240));
    }
    return classic;
}

QPalette PaletteNamed(const QByteArray &name)
{
    if (name == "dark")
        return DarkPalette();
    if (name == "classic")
        return ClassicPalette();
    return QApplication::style()->standardPalette(); // Fusion's light palette
}

// The colour that covers most of the rectangle: a box's or a page's background.
QColor MostCommonColour(const QImage &image, const QRect &rect)
{
    std::map<QRgb, int> counts;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            ++counts[image.pixel(x, y)];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto a, auto b) { return a.second < b.second; });
    return QColor(most->first);
}

QByteArray Name(const layout::Control &c)
{
    return QByteArray(c.name.data(), static_cast<qsizetype>(c.name.size()));
}

QString Rgb(const QColor &c)
{
    return QStringLiteral("%1,%2,%3").arg(c.red()).arg(c.green()).arg(c.blue());
}

} // namespace

class ReadableTest : public QObject {
    Q_OBJECT

private:
    AboutDialogRef m_about;
    std::unique_ptr<MainWindow> m_window;
    QPalette m_startPalette;

    TabControl *tabs() const { return Child<TabControl>(m_window.get(), control::kTabs); }

    // The page that holds the control, shown; the whole window grabbed.
    QImage showAndGrab(QWidget *control)
    {
        QCoreApplication::processEvents(); // a new desktop palette reaches the widgets through the event loop
        for (int page = 0; page < layout::kPageCount; ++page) {
            tabs()->setCurrentIndex(page);
            if (control->isVisibleTo(m_window.get()))
                break;
        }
        return m_window->grab().toImage();
    }

    QRect rectIn(QWidget *w) const { return QRect(w->mapTo(m_window.get(), QPoint(0, 0)), w->size()); }

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        m_startPalette = QApplication::palette();
    }

    void init()
    {
        m_window = std::make_unique<MainWindow>(m_about);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        QApplication::setPalette(m_startPalette);
    }

    // The results against their boxes, the red captions against their page.
    // The palette is switched after the window is up, as a desktop does.
    void contrast_data()
    {
        QTest::addColumn<QByteArray>("palette");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<bool>("dimmed");
        for (const char *palette : {"light", "dark"})
            for (int page = 0; page < layout::kPageCount; ++page)
                for (const layout::Control &c : layout::PageControls(page))
                    if (c.has(layout::Disabled) || c.has(layout::Red) || c.name == control::kLooseInductance)
                        QTest::addRow("%s %s", palette, c.name.data())
                            << QByteArray(palette) << Name(c) << c.has(layout::Disabled);
    }

    void contrast()
    {
        QFETCH(QByteArray, palette);
        QFETCH(QByteArray, name);
        QFETCH(bool, dimmed);
        const QPalette desktop = PaletteNamed(palette);
        QApplication::setPalette(desktop);
        QWidget *w = Child(m_window.get(), name.constData());
        const QImage shot = showAndGrab(w);
        const QColor background = MostCommonColour(shot, rectIn(w));
        const bool label = qobject_cast<QLabel *>(w);
        const QColor text = w->palette().color(dimmed ? QPalette::Disabled : QPalette::Active,
                                               label ? QPalette::WindowText : QPalette::Text);
        const double ratio = Contrast(text, background);
        const double typed = Contrast(desktop.color(QPalette::Active, QPalette::Text),
                                      desktop.color(QPalette::Active, QPalette::Base));
        // As drawn: for each text a result is written with, the strongest pixel
        // within the frame against the ground; the weakest of those must read.
        QColor strongest = text;
        QString weakest;
        if (auto *box = qobject_cast<QLineEdit *>(w))
            for (const QString &written : QStringLiteral("0 1 2 3 4 5 6 7 8 9 # - uH").split(QLatin1Char(' '))) {
                box->setText(written);
                const QImage image = box->grab().toImage();
                QColor best = background;
                for (int y = 3; y < image.height() - 3; ++y)
                    for (int x = 3; x < image.width() - 3; ++x)
                        best = Contrast(image.pixelColor(x, y), background) > Contrast(best, background)
                            ? image.pixelColor(x, y)
                            : best;
                if (Contrast(best, background) < Contrast(strongest, background))
                    std::tie(strongest, weakest) = std::tie(best, written);
            }
        const double drawn = Contrast(strongest, background);
        QString figures = QStringLiteral("as drawn (\"%1\") %2 on %3: %4:1; its colour %5: %6:1")
                              .arg(weakest, Rgb(strongest), Rgb(background))
                              .arg(drawn, 0, 'f', 2)
                              .arg(Rgb(text))
                              .arg(ratio, 0, 'f', 2);
        if (dimmed)
            figures += QStringLiteral(" (the palette's own dimmed text there %1:1, typed text %2:1)")
                           .arg(Contrast(desktop.color(QPalette::Disabled, QPalette::Text), background), 0, 'f', 2)
                           .arg(typed, 0, 'f', 2);
        qInfo().noquote() << figures;

        if (label) { // the window's own red, whatever the desktop
            QCOMPARE(text, QColor(255, 0, 0));
            return;
        }
        QVERIFY2(drawn >= 4.5, qPrintable(figures));
        QCOMPARE(Luminance(text) > Luminance(background), palette == "dark"); // a dark desktop stays dark
        if (dimmed) { // and still dimmed: clearly weaker than typed text, no focus, no typing
            QVERIFY2(ratio <= 0.75 * typed, qPrintable(figures));
            QVERIFY(!w->isEnabled());
        }
    }

    // Marks that are not text stand at 3:1 against the grounds beside them, as
    // drawn: the focus ring of each kind of control, and the selected tab.
    void marksStandOut_data()
    {
        QTest::addColumn<QByteArray>("palette");
        QTest::addColumn<QByteArray>("name"); // "selected" for the selected tab, "tabs" for the row's focus
        for (const char *palette : {"light", "dark"})
            for (const std::string_view name : {std::string_view("selected"), std::string_view("tabs"),
                                                control::kDiameter, control::kCoilButton, control::kLooseInductance})
                QTest::addRow("%s %s", palette, name.data()) << QByteArray(palette) << QByteArray(name.data());
    }

    void marksStandOut()
    {
        QFETCH(QByteArray, palette);
        QFETCH(QByteArray, name);
        QApplication::setPalette(PaletteNamed(palette));
        QTabBar *bar = tabs()->tabBar();
        const bool tabRow = name == "selected" || name == "tabs";
        QWidget *w = tabRow ? bar : Child(m_window.get(), name.constData());
        const QImage page = showAndGrab(w);
        const QColor face = MostCommonColour(page, rectIn(tabs()).adjusted(3, bar->height() + 3, -3, -4));
        // Focus comes with the Tab key from the control before, as styles draw a ring only for keyboard focus.
        const std::string_view id(name.constData(), std::size_t(name.size()));
        const std::string_view previous = id == control::kCoilButton ? control::kTurns
            : id == control::kLooseInductance                        ? control::kLooseLength
            : id == "tabs"                                           ? control::kCoilButton
                                                                     : control::kDiameter;
        (id == control::kDiameter ? bar : Child(m_window.get(), previous))->setFocus();
        const int current = tabs()->currentIndex();
        if (name == "selected") // tab `current` unselected, then selected; the focus, left on a hidden page, taken away
            tabs()->setCurrentIndex((current + 1) % layout::kPageCount), bar->clearFocus();
        const QImage before = w->grab().toImage();
        if (name == "selected")
            tabs()->setCurrentIndex(current);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(w->hasFocus(), name != "selected");
        const QImage after = w->grab().toImage();
        const QRect area = tabRow ? bar->tabRect(current) : w->rect();
        // Beside the mark: the ground it stands on (below the selected tab's bar) and the page.
        const QColor inside = MostCommonColour(before, area.adjusted(2, 5, -2, -2));
        int marked = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                marked += after.pixel(x, y) != before.pixel(x, y) &&
                    std::min(Contrast(after.pixelColor(x, y), inside), Contrast(after.pixelColor(x, y), face)) >= 3;
        qInfo().noquote()
            << QStringLiteral("%1 pixels at 3:1 against %2 and %3").arg(marked).arg(Rgb(inside), Rgb(face));
        QVERIFY(marked >= 2 * area.width()); // two lines across it: more than a caption that shifts when selected
    }

    // The pages, and the labels that stand on them, in the desktop's 3D face colour.
    void pagesAndLabelsInTheFaceColour_data()
    {
        QTest::addColumn<QByteArray>("palette");
        QTest::addColumn<QColor>("face");
        QTest::newRow("light") << QByteArray("light") << QColor(239, 239, 239);
        QTest::newRow("dark") << QByteArray("dark") << QColor(50, 50, 50);
        QTest::newRow("classic") << QByteArray("classic") << QColor(212, 208, 200); // window 255, 251, 240
    }

    void pagesAndLabelsInTheFaceColour()
    {
        QFETCH(QByteArray, palette);
        QFETCH(QColor, face);
        QApplication::setPalette(PaletteNamed(palette));
        QCoreApplication::processEvents();
        for (int page = 0; page < layout::kPageCount; ++page) {
            tabs()->setCurrentIndex(page);
            const QImage shot = m_window->grab().toImage();
            // The page within the frame's edge.
            const QRect inside = rectIn(tabs()).adjusted(3, tabs()->tabBar()->height() + 3, -3, -4);
            QCOMPARE(MostCommonColour(shot, inside), face);
            for (QLabel *label : tabs()->findChildren<QLabel *>())
                if (label->isVisible())
                    QVERIFY2(MostCommonColour(shot, rectIn(label)) == face, qPrintable(label->objectName()));
        }
    }

    // The dimmed colour's search finds the least step that reads wherever its
    // forecast lands, and in two drawings when the forecast is right. Steps
    // from `threshold` on pass; 256 is a colour that never reads.
    void leastPassingStep_data()
    {
        QTest::addColumn<int>("threshold");
        QTest::addColumn<int>("forecast");
        QTest::addColumn<int>("least");
        QTest::addColumn<int>("mostTries");
        for (const auto &[threshold, forecast, least, tries] : {std::array{142, 142, 142, 2},
                                                                {0, 0, 0, 1},
                                                                {255, 255, 255, 2},
                                                                {256, 255, 255, 1},
                                                                {143, 142, 143, 2},
                                                                {141, 142, 141, 10},
                                                                {0, 255, 0, 10},
                                                                {255, 0, 255, 10},
                                                                {256, 0, 255, 10},
                                                                {200, 300, 200, 10},
                                                                {17, -5, 17, 10}})
            QTest::addRow("threshold %d, forecast %d", threshold, forecast) << threshold << forecast << least << tries;
    }

    void leastPassingStep()
    {
        QFETCH(int, threshold);
        QFETCH(int, forecast);
        QFETCH(int, least);
        QFETCH(int, mostTries);
        int tries = 0;
        const int found = LeastPassingStep(forecast, [&](int step) {
            ++tries;
            return step >= threshold;
        });
        QCOMPARE(found, least);
        QVERIFY2(tries <= mostTries, qPrintable(QStringLiteral("%1 tries").arg(tries)));
    }

    // With the font the window resolves, every one-line caption and every value
    // of ordinary size fits its place: nothing is cut or scrolled out of view.
    void everythingFits_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QString>("text");
        for (int page = 0; page < layout::kPageCount; ++page) {
            for (const layout::Control &c : layout::PageControls(page)) {
                QString text = QString::fromUtf8(c.text.data(), static_cast<qsizetype>(c.text.size()));
                // A value as long as the box takes, or of five figures; four for the
                // feet of wire, whose narrow box holds up to a thousand feet or so.
                if (c.kind == layout::Kind::TextBox)
                    text = c.maxLength == 4            ? "8.77"
                        : c.maxLength == 5             ? "1.027"
                        : c.name == control::kWireFeet ? "1234"
                                                       : "12345";
                if (c.kind != layout::Kind::Frame)
                    QTest::addRow("%s", c.name.data()) << Name(c) << text;
            }
        }
        for (int page = 0; page < layout::kPageCount; ++page)
            QTest::addRow("tab %d", page)
                << "tab " + QByteArray::number(page) << QString::fromUtf8(layout::kPageCaptions[page].data());
        // The credits are measured to their last line.
        const std::pair<std::string_view, QString> about[] = {{control::kAboutTitle, "Spirelle"},
                                                              {control::kAboutVersion, "Version 1.0"},
                                                              {control::kAboutOk, "OK"},
                                                              {control::kAboutCredits, QString()}};
        for (const auto &[name, text] : about)
            QTest::addRow("about %s", name.data()) << "about " + QByteArray(name.data()) << text;
    }

    void everythingFits()
    {
        QFETCH(QByteArray, name);
        QFETCH(QString, text);
        QWidget *root = m_window.get();
        if (name.startsWith("about ")) {
            m_about.show();
            QVERIFY(QTest::qWaitForWindowExposed(m_about.dialog()));
            root = m_about.dialog();
            name = name.mid(6);
        }
        QWidget *w = name.startsWith("tab ") ? tabs()->tabBar() : Child(root, name.constData());
        // The places are measured for Arial's metrics; DejaVu Sans, the usual fallback, is wider.
        const QString family = QFontInfo(w->font()).family();
        QVERIFY2(
            family == QStringLiteral("Liberation Sans"),
            qPrintable(QStringLiteral("the window's font resolves to %1, not Liberation Sans: is fonts-liberation2 "
                                      "installed (scripts/deps.sh)?")
                           .arg(family)));
        const QFontMetrics metrics(w->font());
        const int width = metrics.horizontalAdvance(text);
        if (qobject_cast<QLabel *>(w)) {
            QVERIFY2(width <= w->width(), qPrintable(QStringLiteral("%1 > %2").arg(width).arg(w->width())));
            QVERIFY(metrics.height() <= w->height());
        } else if (qobject_cast<QPushButton *>(w)) {
            QVERIFY2(width < w->width() - 4, qPrintable(QStringLiteral("%1 >= %2 - 4").arg(width).arg(w->width())));
        } else if (auto *box = qobject_cast<QLineEdit *>(w)) {
            QStyleOptionFrame frame;
            frame.initFrom(box);
            frame.lineWidth = box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, box);
            // Qt keeps 2 pixels clear either side of a line edit's text, 1 above and below.
            const QRect contents = box->style()->subElementRect(QStyle::SE_LineEditContents, &frame, box);
            const QRect room = contents.adjusted(2, 1, -2, -1);
            QVERIFY2(width <= room.width(), qPrintable(QStringLiteral("%1 > %2").arg(width).arg(room.width())));
            QVERIFY(metrics.height() <= room.height());
        } else if (auto *bar = qobject_cast<QTabBar *>(w)) {
            const int index = name.mid(4).toInt();
            const int padding = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
            QVERIFY(width <= bar->tabRect(index).width() - padding);
        } else {
            auto *credits = qobject_cast<QPlainTextEdit *>(w);
            QVERIFY(credits);
            QTextCursor end(credits->document());
            end.movePosition(QTextCursor::End);
            const int bottom = credits->cursorRect(end).bottom();
            const int height = credits->viewport()->height();
            QVERIFY2(bottom < height,
                     qPrintable(QStringLiteral("the text ends at %1, the box at %2").arg(bottom).arg(height)));
        }
    }

    // What a screen reader says for each control: the name, spelled out, with its unit.
    void spokenNames_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("role");
        QTest::addColumn<QString>("spoken");
        QTest::addColumn<QString>("described"); // null: not checked
        QTest::addColumn<QString>("caption");   // the label that names it; null: none
        const auto row = [](std::string_view name, QAccessible::Role role, const char *spoken,
                            const char *described = nullptr, const char *caption = nullptr) {
            QTest::newRow(name.data()) << QByteArray(name.data()) << int(role) << QString::fromUtf8(spoken)
                                       << QString::fromUtf8(described) << QString::fromUtf8(caption);
        };
        const char *empty = "Empty: no result yet.";
        using A = QAccessible;
        row("menu bar", A::MenuBar, "Main menu");
        row(control::kDiameter, A::EditableText, "Diameter, inches", nullptr, "Diameter");
        row(control::kTurns, A::EditableText, "Number of turns", nullptr, "# of Turns");
        row(control::kTurnsCaption, A::StaticText, "Number of turns");
        row(control::kCoilButton, A::Button, "L=(uH)", "Calculate lengths and inductances");
        row(control::kGaugeFrame, A::Border, "Coil length and inductance for each wire");
        row(control::kLengthHeading, A::StaticText, "Coil length, inches");
        row(control::kInductanceHeading, A::StaticText, "Inductance, microhenries");
        row(control::kInchesPerTurnHeading, A::StaticText, "Inches per turn");
        const char *gauges[] = {"20", "22", "24", "26", "28", "30"};
        for (int i = 0; i < 6; ++i) {
            row(control::kGaugeRows[i].lengthField, A::EditableText,
                qPrintable(QStringLiteral("Coil length for wire # %1, inches").arg(gauges[i])));
            row(control::kGaugeRows[i].inductanceField, A::EditableText,
                qPrintable(QStringLiteral("Inductance for wire # %1, microhenries").arg(gauges[i])));
        }
        row(control::kWireFeet, A::EditableText, "Wire needed, feet", empty, "You will need");
        row(control::kGauge20Caption, A::StaticText, "Wire # 20");
        row(control::kGauge20TurnsPerInch, A::StaticText, "29 turns per inch for wire # 20");
        row(control::kGaugeRows[5].inchesPerTurnLabel, A::StaticText, ".0105 inches per turn for wire # 30");
        row(control::kInductance, A::EditableText, "Inductance, microhenries", nullptr, "(L) Inductance");
        row(control::kCapacitance, A::EditableText, "Capacitance, picofarads", nullptr, "Capacitance");
        row(control::kFrequencyButton, A::Button, "Frequency", "Calculate frequency");
        row(control::kFrequency, A::EditableText, "Frequency, megahertz", empty, "MHz");
        row(control::kFrequencyUnit, A::StaticText, "megahertz");
        row(control::kLooseDiameter, A::EditableText, "Diameter, inches", nullptr, "Diameter");
        row(control::kLooseTurns, A::EditableText, "Number of turns", nullptr, "# of Turns");
        row(control::kLooseTurnsCaption, A::StaticText, "Number of turns");
        row(control::kLooseLength, A::EditableText, "Coil length, inches", nullptr, "Lenth of Coil");
        row(control::kLooseLengthCaption, A::StaticText, "Length of coil, inches");
        row(control::kLooseButton, A::Button, "L=(uH)", "Calculate inductance");
        row(control::kLooseInductance, A::EditableText, "Inductance, microhenries", empty, "L (uH)");
        row(control::kLooseInductanceUnit, A::StaticText, "Inductance, microhenries");
        row("about dialog", A::Dialog, "About Spirelle");
        row("about credits", A::EditableText, "Credits");
    }

    void spokenNames()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, role);
        QFETCH(QString, spoken);
        QFETCH(QString, described);
        QFETCH(QString, caption);
        QWidget *w = nullptr;
        if (name == "menu bar") {
            w = m_window->menuBar();
        } else if (name.startsWith("about ")) {
            m_about.show();
            w = name == "about dialog" ? m_about.dialog() : Child(m_about.dialog(), control::kAboutCredits);
        } else {
            w = Child(m_window.get(), name.constData());
        }
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
        QVERIFY(face);
        QCOMPARE(face->role(), QAccessible::Role(role));
        QCOMPARE(face->text(QAccessible::Name), spoken);
        if (!described.isNull())
            QCOMPARE(face->text(QAccessible::Description), described);
        const auto labels = face->relations(QAccessible::Label);
        QCOMPARE(labels.size(), caption.isNull() ? 0 : 1);
        if (!caption.isNull())
            QCOMPARE(qobject_cast<QLabel *>(labels.first().first->object())->text(), caption);
    }
};

QTEST_MAIN(ReadableTest)
#include "readable_test.moc"
