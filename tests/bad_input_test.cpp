// Every kind of bad text in every input field of every page: the message names
// the problem, nothing typed is lost, and the results stand as the handler's
// order of work leaves them.
#include "ui/about_dialog.h"
#include "gui_helpers.h"
#include "ui/main_window.h"
#include "ui/tab_control.h"

#include <QtTest>

using namespace spirelle;
using namespace spirelle::testing;

namespace {

// The inputs of each page with valid texts, and the button.
struct Page {
    std::string_view button;
    std::vector<std::pair<std::string_view, const char *>> inputs;
};

const Page kPages[] = {
    {control::kCoilButton, {{control::kDiameter, "1"}, {control::kTurns, "20"}}},
    {control::kFrequencyButton, {{control::kInductance, "240"}, {control::kCapacitance, "100"}}},
    {control::kLooseButton,
     {{control::kLooseDiameter, "2"}, {control::kLooseTurns, "10"}, {control::kLooseLength, "1.1"}}},
};

// Every result box, and whether it is one of the six lengths.
std::vector<std::pair<std::string_view, bool>> Outputs()
{
    std::vector<std::pair<std::string_view, bool>> out;
    for (const control::GaugeRow &row : control::kGaugeRows)
        out.insert(out.end(), {{row.lengthField, true}, {row.inductanceField, false}});
    for (const std::string_view box : {control::kWireFeet, control::kFrequency, control::kLooseInductance})
        out.emplace_back(box, false);
    return out;
}

const QString kEmpty = QStringLiteral("Type mismatch: a field is empty, and a number is needed there.");
const QString kOverflow = QStringLiteral("Overflow: a number is too large to compute with.");
QString Mismatch(const QString &shown)
{
    return QStringLiteral("Type mismatch: \u201C%1\u201D is not a number.").arg(shown);
}

} // namespace

class BadInputTest : public QObject {
    Q_OBJECT

private:
    AboutDialogRef m_about;
    std::unique_ptr<MainWindow> m_window;

private slots:
    void initTestCase()
    {
        QuietOffscreenWarnings();
        QLocale::setDefault(QLocale::c());
        m_window = std::make_unique<MainWindow>(m_about);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void badTextInEveryField_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        const std::vector<std::tuple<const char *, QString, QString>> texts = {
            {"empty", QString(), kEmpty},
            {"blanks", QStringLiteral("   "), kEmpty},
            {"letters", QStringLiteral("abc"), Mismatch(QStringLiteral("abc"))},
            {"1e999", QStringLiteral("1e999"), kOverflow},
            {"-1e999", QStringLiteral("-1e999"), kOverflow},
            {"1,2,3", QStringLiteral("1,2,3"), Mismatch(QStringLiteral("1,2,3"))},
            {"..5", QStringLiteral("..5"), Mismatch(QStringLiteral("..5"))},
            {"1e", QStringLiteral("1e"), Mismatch(QStringLiteral("1e"))},
            {"+-1", QStringLiteral("+-1"), Mismatch(QStringLiteral("+-1"))},
            {"arabic digit", QStringLiteral("\u0663"), Mismatch(QStringLiteral("\u0663"))},
            {"devanagari digits", QStringLiteral("\u0967\u0968"), Mismatch(QStringLiteral("\u0967\u0968"))},
            {"100000 x", QString(100000, QLatin1Char('x')), Mismatch(QString(39, QLatin1Char('x')) + QChar(0x2026))},
            {"100000 nines", QString(100000, QLatin1Char('9')), kOverflow},
            {"NUL", QStringLiteral("1") + QChar(0) + QStringLiteral("2"), Mismatch(QStringLiteral("1\uFFFD2"))},
        };
        for (int page = 0; page < 3; ++page)
            for (const auto &[box, valid] : kPages[page].inputs)
                for (const auto &[name, text, message] : texts)
                    QTest::addRow("%s %s", box.data(), name) << page << ToQString(box) << text << message;
    }

    void badTextInEveryField()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QWidget *w = m_window.get();
        Child<TabControl>(w, control::kTabs)->setCurrentIndex(page);
        for (const auto &[output, isLength] : Outputs())
            Child<QLineEdit>(w, output)->setText(QStringLiteral("old"));
        for (const auto &[input, valid] : kPages[page].inputs)
            Child<QLineEdit>(w, input)->setText(ToQString(input) == box ? text : QLatin1String(valid));

        QCOMPARE(ClickForMessage(w, kPages[page].button), message);

        QCOMPARE(TextOf(w, box.toStdString()), text); // nothing typed is lost
        // Only the inductance page writes before it fails: its six lengths, when the diameter is bad.
        for (const auto &[output, isLength] : Outputs()) {
            const bool written = box == ToQString(control::kDiameter) && isLength;
            QVERIFY2((TextOf(w, output) == QLatin1String("old")) != written, output.data());
        }
    }
};

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
