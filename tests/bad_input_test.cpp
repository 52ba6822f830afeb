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

struct Input {
    int page;
    const char *box;
};

// The inputs of each page with valid texts, and the button.
struct Page {
    const char *button;
    std::vector<std::pair<const char *, const char *>> inputs;
};

const Page kPages[] = {
    {"Command2", {{"Text16", "1"}, {"Text15", "20"}}},
    {"Command1", {{"Text9", "240"}, {"Text10", "100"}}},
    {"Command3", {{"Text19", "2"}, {"Text20", "10"}, {"Text21", "1.1"}}},
};

const char *const kOutputs[] = {"Text14", "Text13", "Text12", "Text11", "Text5", "Text4", "Text1", "Text2",
                                "Text3",  "Text6",  "Text7",  "Text8",  "Text18", "Text17", "Text22"};

const QString kEmpty = QStringLiteral("Type mismatch: a field is empty, and a number is needed there.");
const QString kOverflow = QStringLiteral("Overflow: a number is too large to compute with.");
QString Mismatch(const QString &shown) { return QStringLiteral("Type mismatch: \u201C%1\u201D is not a number.").arg(shown); }

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
            {"100000 x", QString(100000, QLatin1Char('x')),
             Mismatch(QString(39, QLatin1Char('x')) + QChar(0x2026))},
            {"100000 nines", QString(100000, QLatin1Char('9')), kOverflow},
            {"NUL", QStringLiteral("1") + QChar(0) + QStringLiteral("2"), Mismatch(QStringLiteral("1\uFFFD2"))},
        };
        for (int page = 0; page < 3; ++page)
            for (const auto &[box, valid] : kPages[page].inputs)
                for (const auto &[name, text, message] : texts)
                    QTest::addRow("%s %s", box, name) << page << QString::fromLatin1(box) << text << message;
    }

    void badTextInEveryField()
    {
        QFETCH(int, page);
        QFETCH(QString, box);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QWidget *w = m_window.get();
        Child<TabControl>(w, "SSTab1")->setCurrentIndex(page);
        for (const char *output : kOutputs)
            Child<QLineEdit>(w, output)->setText(QStringLiteral("old"));
        for (const auto &[input, valid] : kPages[page].inputs)
            Child<QLineEdit>(w, input)->setText(QLatin1String(input) == box ? text : QLatin1String(valid));

        QCOMPARE(ClickForMessage(w, kPages[page].button), message);

        QCOMPARE(TextOf(w, box.toLatin1().constData()), text); // nothing typed is lost
        // Only the inductance page writes before it fails: its six lengths, when the diameter is bad.
        const QStringList lengths = {"Text14", "Text13", "Text12", "Text11", "Text5", "Text4"};
        for (const char *output : kOutputs) {
            const bool written = box == QLatin1String("Text16") && lengths.contains(QLatin1String(output));
            QVERIFY2((TextOf(w, output) == QLatin1String("old")) != written, output);
        }
    }
};

QTEST_MAIN(BadInputTest)
#include "bad_input_test.moc"
