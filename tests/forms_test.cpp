// The printed drawings measured, not trusted: the SVG's geometry read back in
// its own units, and the window's PDF rendered by poppler's pdftoppm at
// 300 dpi with its 100 mm rule counted in pixels (100 / 25.4 x 300 = 1181.1).
#include "calc/flat_coil.h"
#include "calc/solenoid.h"
#include "calc/wire.h"
#include "forms/drawings.h"
#include "ui/print_drawing.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <numbers>

using namespace spirelle;

namespace {

using Element = QXmlStreamAttributes;

// Every element of class `part`, in document order.
QList<Element> Parts(const std::string &svg, const QString &part)
{
    QList<Element> found;
    QXmlStreamReader xml(QByteArray::fromStdString(svg));
    while (!xml.atEnd())
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.attributes().value("class") == part)
            found << xml.attributes();
    return found;
}

double Number(const Element &element, const char *name)
{
    return element.value(QLatin1String(name)).toDouble();
}

// The rule's bar by its id.
Element Rule(const std::string &svg, const QString &id)
{
    for (const Element &rule : Parts(svg, "rule"))
        if (rule.value("id") == id)
            return rule;
    return {};
}

// The lengths of the horizontal runs of dark pixels, 1000 long or more, in a binary PGM (P5).
QList<int> LongRuns(const QByteArray &pgm, QSize &size)
{
    QList<QByteArray> head = pgm.left(64).split('\n');
    const QList<QByteArray> wh = head.value(1).split(' ');
    size = QSize(wh.value(0).toInt(), wh.value(1).toInt());
    const qsizetype start = head.value(0).size() + head.value(1).size() + head.value(2).size() + 3;
    QList<int> runs;
    for (int y = 0; y < size.height(); ++y) {
        int run = 0;
        for (int x = 0; x <= size.width(); ++x) {
            const bool dark = x < size.width() && quint8(pgm[start + qsizetype(y) * size.width() + x]) < 128;
            if (dark) {
                ++run;
                continue;
            }
            if (run >= 1000 && !runs.contains(run))
                runs << run;
            run = 0;
        }
    }
    return runs;
}

} // namespace

class FormsTest : public QObject {
    Q_OBJECT
private slots:
    void flatForm_data();
    void flatForm();
    void card_data();
    void card();
    void pdfAtFullSize_data();
    void pdfAtFullSize();
};

void FormsTest::flatForm_data()
{
    QTest::addColumn<int>("spokes");
    QTest::addColumn<double>("hubInches");
    QTest::addColumn<int>("turns");
    QTest::addColumn<double>("pitchMm");
    QTest::addColumn<double>("hubRadius");     // mm
    QTest::addColumn<double>("windingRadius"); // mm: hub + (N - 1) p + OD, the wire 0.5 mm
    QTest::newRow("9 spokes") << 9 << 1.0 << 20 << 0.5 << 12.7 << 22.7;
    QTest::newRow("7 spokes") << 7 << 2.0 << 40 << 0.5 << 25.4 << 45.4;
    QTest::newRow("13 spokes") << 13 << 1.5 << 10 << 0.5 << 19.05 << 24.05;
    QTest::newRow("spiral") << 0 << 1.0 << 20 << 1.0 << 12.7 << 32.2;
}

void FormsTest::flatForm()
{
    QFETCH(int, spokes);
    QFETCH(double, hubInches);
    QFETCH(int, turns);
    QFETCH(double, pitchMm);
    QFETCH(double, hubRadius);
    QFETCH(double, windingRadius);
    const std::optional<double> pitch = spokes ? std::nullopt : std::optional(pitchMm / 25.4);
    const FlatCoil coil = MakeFlatCoil({hubInches, spokes, pitch}, ParseWire("0.5mm"), turns);
    const std::string svg = forms::FlatFormSvg(coil, Band{530, 1700});

    const QList<Element> hub = Parts(svg, "hub");
    QCOMPARE(hub.size(), 1);
    QCOMPARE(Number(hub[0], "r"), hubRadius);
    QCOMPARE(Number(Parts(svg, "winding").value(0), "r"), windingRadius);
    const double cx = Number(hub[0], "cx"), cy = Number(hub[0], "cy");
    const QList<Element> lines = Parts(svg, "spoke");
    QCOMPARE(lines.size(), spokes);
    QCOMPARE(Parts(svg, "slot").size(), spokes);
    for (int k = 0; k < spokes; ++k) {
        // Each spoke from the hub outward, k x 360/S degrees clockwise from straight up.
        const double x = Number(lines[k], "x1") - cx, y = Number(lines[k], "y1") - cy;
        QVERIFY(std::abs(std::hypot(x, y) - hubRadius) < 0.002);
        const double degrees = std::fmod(std::atan2(x, -y) * 180 / std::numbers::pi + 360, 360);
        QVERIFY2(std::abs(degrees - k * 360.0 / spokes) < 0.01, qPrintable(QString::number(degrees)));
    }
    QCOMPARE(Number(Rule(svg, "rule-100mm"), "width"), 100.0);
    QCOMPARE(Number(Rule(svg, "rule-4in"), "width"), 101.6);
    QVERIFY(QString::fromStdString(svg).contains(QStringLiteral("width=\"190mm\"")));
}

void FormsTest::card_data()
{
    QTest::addColumn<double>("turns");
    QTest::addColumn<double>("pitchMm");
    QTest::addColumn<double>("length"); // mm, turns x pitch
    QTest::addColumn<int>("tap");       // turns from the start
    QTest::addColumn<double>("tapMm");  // tap x pitch
    QTest::newRow("close-wound") << 100.0 << 0.5 << 50.0 << 56 << 28.0;
    QTest::newRow("spaced") << 60.0 << 1.5 << 90.0 << 36 << 54.0;
    QTest::newRow("long") << 250.0 << 0.8 << 200.0 << 250 << 200.0;
}

void FormsTest::card()
{
    QFETCH(double, turns);
    QFETCH(double, pitchMm);
    QFETCH(double, length);
    QFETCH(int, tap);
    QFETCH(double, tapMm);
    forms::Card card = forms::CardOf(MakeSolenoid(2, ParseWire("0.5mm"), turns, pitchMm / 25.4), 2, Band{530, 1700});
    card.taps = {{1, "antenna tap, turn 1"}, {tap, "detector tap"}};
    const std::string svg = forms::WindingCardSvg(card);
    const Element winding = Parts(svg, "winding").value(0);
    QCOMPARE(Number(winding, "width"), length);
    QCOMPARE(Number(winding, "height"), 50.8);
    const QList<Element> ends = Parts(svg, "end");
    QCOMPARE(ends.size(), 2);
    QCOMPARE(Number(ends[1], "x1") - Number(ends[0], "x1"), length);
    const QList<Element> taps = Parts(svg, "tap");
    QCOMPARE(taps.size(), 2);
    QCOMPARE(Number(taps[1], "x1") - Number(ends[0], "x1"), pitchMm);
    QCOMPARE(Number(taps[0], "x1") - Number(ends[0], "x1"), tapMm);
    QCOMPARE(Number(Rule(svg, "rule-100mm"), "width"), 100.0);
}

void FormsTest::pdfAtFullSize_data()
{
    QTest::addColumn<std::string>("svg");
    QTest::addColumn<int>("page");
    QTest::addColumn<QSize>("pixels"); // the sheet at 300 dpi
    const std::string form = forms::FlatFormSvg(MakeFlatCoil({1, 9, {}}, ParseWire("awg24"), 20), std::nullopt);
    const std::string card = forms::WindingCardSvg(forms::CardOf(MakeSolenoid(2, ParseWire("awg20"), 100), 2));
    // A4 210 x 297 mm, Letter 8.5 x 11 in; a card too wide for A4 upright turns it.
    const std::string wide = forms::WindingCardSvg(forms::CardOf(MakeSolenoid(2, ParseWire("awg20"), 250), 2));
    QTest::newRow("form on A4") << form << int(QPageSize::A4) << QSize(2480, 3508);
    QTest::newRow("card on Letter") << card << int(QPageSize::Letter) << QSize(2550, 3300);
    QTest::newRow("wide card on A4") << wide << int(QPageSize::A4) << QSize(3508, 2480);
}

void FormsTest::pdfAtFullSize()
{
    QFETCH(std::string, svg);
    QFETCH(int, page);
    QFETCH(QSize, pixels);
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    QVERIFY2(!pdftoppm.isEmpty(), "pdftoppm (poppler-utils, scripts/deps.sh) is needed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("drawing.pdf"));
    QCOMPARE(WritePrintPdf(QByteArray::fromStdString(svg), pdf, QPageSize::PageSizeId(page)), QString());
    QProcess render;
    render.start(pdftoppm, {"-r", "300", "-gray", "-singlefile", pdf, dir.filePath(QStringLiteral("page"))});
    QVERIFY(render.waitForFinished(60000));
    QCOMPARE(render.exitCode(), 0);
    QFile image(dir.filePath(QStringLiteral("page.pgm")));
    QVERIFY(image.open(QIODevice::ReadOnly));
    QSize size;
    const QList<int> runs = LongRuns(image.readAll(), size);
    // Qt writes the sheet in whole points (A4 842 pt high), a third of a pixel over.
    QVERIFY2(std::abs(size.width() - pixels.width()) <= 1 && std::abs(size.height() - pixels.height()) <= 1,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));
    // The two rules' bars, 100 mm and 4 in: 1181.1 and 1200 pixels, each within one.
    const auto near = [&runs](double want) {
        return std::any_of(runs.begin(), runs.end(), [want](int run) { return std::abs(run - want) <= 1; });
    };
    QVERIFY2(near(100 / 25.4 * 300), qPrintable(QString::number(runs.size())));
    QVERIFY(near(4 * 300));
}

QTEST_MAIN(FormsTest)
#include "forms_test.moc"
