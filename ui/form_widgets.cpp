#include "ui/form_widgets.h"

#include "ui/result_box.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPalette>
#include <QPushButton>

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <limits>
#include <map>
#include <tuple>
#include <vector>

namespace spirelle {
namespace {

constexpr QPalette::ColorGroup kGroups[] = {QPalette::Active, QPalette::Inactive, QPalette::Disabled};

// The least contrast of text against its background that reads well, and of
// a mark that is not text (a focus ring) against what is beside it (WCAG 2, level AA).
constexpr double kReadable = 4.5;
constexpr double kNonText = 3;

// The texts a result box can show (any one character of a number, the unit,
// the first placeholder) as drawn in one font: each in a band of its own,
// its own text's width and the font's height with 2 pixels all round.
struct TextSheet {
    explicit TextSheet(const QFont &font) : font(font)
    {
        const QFontMetrics metrics(font);
        band = metrics.height() + 4;
        ascent = metrics.ascent();
        texts = QStringLiteral("0 1 2 3 4 5 6 7 8 9 . , - + E # \u2026 uH lenth_of_coil").split(QLatin1Char(' '));
        for (QString &text : texts) {
            text.replace(QLatin1Char('_'), QLatin1Char(' '));
            widths.push_back(metrics.horizontalAdvance(text) + 4);
        }
    }

    QFont font;
    QStringList texts;
    std::vector<int> widths;
    int band = 0;
    int ascent = 0;
};

// An sRGB channel (0 to 1) in linear light (WCAG 2).
double LinearChannel(double c)
{
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The relative luminance of an 8-bit colour, as RelativeLuminance computes
// it: LinearChannel of each channel looked up instead of raised to a power,
// for each pixel of a drawn text.
double PixelLuminance(int red, int green, int blue)
{
    static const auto linear = [] {
        std::array<double, 256> table{};
        for (int v = 0; v < 256; ++v)
            table[v] = LinearChannel(QColor(v, 0, 0).redF());
        return table;
    }();
    return 0.2126 * linear[red] + 0.7152 * linear[green] + 0.0722 * linear[blue];
}

// The sheet's texts drawn in `colour` on `ground` into one image, each
// clipped to its band as an image of its own would clip it; `visit(i, image,
// band)` sees each text's band once it is drawn and returns whether to go on.
template <typename Visit>
void DrawSheet(const QColor &colour, const QColor &ground, const TextSheet &sheet, Visit visit)
{
    QImage image(*std::max_element(sheet.widths.begin(), sheet.widths.end()), sheet.band * int(sheet.texts.size()),
                 QImage::Format_RGB32);
    image.fill(ground);
    QPainter painter(&image);
    painter.setFont(sheet.font);
    painter.setPen(colour);
    for (int i = 0; i < int(sheet.texts.size()); ++i) {
        const QRect area(0, i * sheet.band, sheet.widths[std::size_t(i)], sheet.band);
        painter.setClipRect(area);
        painter.drawText(2, area.top() + 2 + sheet.ascent, sheet.texts[i]);
        if (!visit(i, image, area))
            return;
    }
}

// The contrast of a pixel of luminance `l` with a ground of luminance `ground`.
double Contrast(double l, double ground)
{
    return (std::max(l, ground) + 0.05) / (std::min(l, ground) + 0.05);
}

// Whether a text in `colour` reads on `ground` as drawn: for each text of
// the sheet, the strongest contrast any of its pixels reaches must be 4.5:1.
// Smoothed glyphs at 8.25 points rarely reach their colour, round ones ("0",
// "#") least, so the colour alone promises too much. The first text that
// does not read ends the test.
bool ReadsAsDrawn(const QColor &colour, const QColor &ground, const TextSheet &sheet)
{
    const double groundLuminance = RelativeLuminance(ground);
    const QRgb groundPixel = ground.rgb();
    bool reads = true;
    DrawSheet(colour, ground, sheet, [&](int, const QImage &image, const QRect &area) {
        // Only the text's own pixels: the ground's contrast with itself is 1.
        double strongest = 1;
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < area.width(); ++x) {
                if (line[x] == groundPixel)
                    continue;
                strongest = std::max(
                    strongest,
                    Contrast(PixelLuminance(qRed(line[x]), qGreen(line[x]), qBlue(line[x])), groundLuminance));
            }
        }
        reads = strongest >= kReadable;
        return reads;
    });
    return reads;
}

// For each text of the sheet, how far its most covered pixel goes from the
// ground towards the colour the text is drawn in (0 to 1): read off the
// sheet drawn once in `colour`, on the channel where the two differ most.
std::vector<double> StrongestCoverage(const QColor &colour, const QColor &ground, const TextSheet &sheet)
{
    const int channels[3][2] = {
        {colour.red(), ground.red()}, {colour.green(), ground.green()}, {colour.blue(), ground.blue()}};
    int widest = 0;
    for (int c = 1; c < 3; ++c)
        if (std::abs(channels[c][0] - channels[c][1]) > std::abs(channels[widest][0] - channels[widest][1]))
            widest = c;
    const auto channel = [widest](QRgb pixel) {
        return widest == 0 ? qRed(pixel) : widest == 1 ? qGreen(pixel) : qBlue(pixel);
    };
    const double span = channels[widest][0] - channels[widest][1];
    std::vector<double> coverage(sheet.texts.size(), 0.0);
    DrawSheet(colour, ground, sheet, [&](int i, const QImage &image, const QRect &area) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
            for (int x = 0; x < area.width(); ++x)
                coverage[std::size_t(i)] = std::max(coverage[std::size_t(i)],
                                                    (channel(line[x]) - channels[widest][1]) / span);
        }
        return true;
    });
    return coverage;
}

// The palette's dimmed text, moved towards its ordinary text just far enough
// that the text as drawn in `font` reads at 4.5:1 on a disabled box: as dim as
// it can be and still readable, dark on a light desktop and light on a dark one.
QColor ReadableDimmedText(const QPalette &palette, const QFont &font)
{
    const QColor background = palette.color(QPalette::Disabled, QPalette::Base);
    const QColor dimmed = palette.color(QPalette::Disabled, QPalette::Text);
    QColor full = palette.color(QPalette::Active, QPalette::Text);
    if (ContrastRatio(full, background) < kReadable) { // a palette whose own text is faint there
        const QColor black(Qt::black), white(Qt::white);
        full = ContrastRatio(black, background) > ContrastRatio(white, background) ? black : white;
    }
    const auto mixed = [&](int step) {
        const double t = step / 255.0;
        const auto mix = [t](int from, int to) { return static_cast<int>(std::lround(from + t * (to - from))); };
        return QColor(mix(dimmed.red(), full.red()), mix(dimmed.green(), full.green()),
                      mix(dimmed.blue(), full.blue()));
    };
    // Every disabled box shares its colours and font: measured once for them all.
    static std::map<std::tuple<QRgb, QRgb, QRgb, QString>, QColor> measured;
    const auto key = std::make_tuple(background.rgb(), dimmed.rgb(), full.rgb(), font.key());
    if (const auto found = measured.find(key); found != measured.end())
        return found->second;
    // The first step towards the full text that reads as drawn; contrast grows
    // with each step. Where it lies is foreseen from how far each text's
    // pixels go towards the full colour: the step at which the weakest text,
    // blended that far onto the ground, would read. Drawing that step and the
    // one below it as they are drawn settles it when the forecast holds, in
    // three drawings of the sheet instead of eight; where it does not, the
    // search goes on from there, halving what is left.
    const TextSheet sheet(font);
    const std::vector<double> coverage = StrongestCoverage(full, background, sheet);
    const double weakest = *std::min_element(coverage.begin(), coverage.end());
    const double groundLuminance = RelativeLuminance(background);
    int foreseen = 0;
    for (; foreseen < 255; ++foreseen) {
        const QColor c = mixed(foreseen);
        const auto blend = [weakest](int text, int ground) {
            return static_cast<int>(std::lround(ground + weakest * (text - ground)));
        };
        const double l = PixelLuminance(blend(c.red(), background.red()), blend(c.green(), background.green()),
                                        blend(c.blue(), background.blue()));
        if (Contrast(l, groundLuminance) >= kReadable)
            break;
    }
    return measured[key] = mixed(
               LeastPassingStep(foreseen, [&](int step) { return ReadsAsDrawn(mixed(step), background, sheet); }));
}

// A control's own colours, derived from the palette the desktop gives it. Only
// the roles set here are the control's; the others follow the desktop.
QPalette ControlPalette(const layout::Control &control, const QPalette &desktop, const QFont &font)
{
    QPalette own = desktop;
    own.setResolveMask(0);
    if (control.has(layout::Red)) {
        for (const auto group : kGroups)
            own.setColor(group, QPalette::WindowText, QColor(255, 0, 0));
    }
    if (control.has(layout::ActiveBorder)) {
        // Qt has no active-border role; the 3D face colour is what that border shows on classic desktops.
        for (const auto group : kGroups)
            own.setColor(group, QPalette::Base, desktop.color(QPalette::Active, QPalette::Button));
    }
    if (control.has(layout::Disabled))
        own.setColor(QPalette::Disabled, QPalette::Text, ReadableDimmedText(own, font));
    return own;
}

// Derives a control's colours again whenever its palette changes, as when the
// desktop switches to a dark theme: dimmed text stays readable on the new boxes.
class PaletteFollower : public QObject {
public:
    PaletteFollower(const layout::Control &control, QWidget *widget) : QObject(widget), m_control(control)
    {
        apply(widget);
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::PaletteChange)
            apply(static_cast<QWidget *>(watched)); // setting the same palette again sends no further event
        return false;
    }

private:
    void apply(QWidget *widget) const
    {
        widget->setPalette(ControlPalette(m_control, QApplication::palette(widget), widget->font()));
    }

    const layout::Control &m_control;
};

} // namespace

double RelativeLuminance(const QColor &colour)
{
    return 0.2126 * LinearChannel(colour.redF()) + 0.7152 * LinearChannel(colour.greenF()) +
        0.0722 * LinearChannel(colour.blueF());
}

int LeastPassingStep(int forecast, const std::function<bool(int)> &passes)
{
    int low = 0, high = 255; // the step sought lies in [low, high]
    const auto narrow = [&](int step) {
        if (passes(step))
            high = step;
        else
            low = step + 1;
    };
    const int first = std::clamp(forecast, 0, 255);
    narrow(first);
    if (low < high) // the step beside it: below where it passed, above where it did not
        narrow(high == first ? first - 1 : low);
    while (low < high)
        narrow((low + high) / 2);
    return std::min(low, 255);
}

double ContrastRatio(const QColor &a, const QColor &b)
{
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return Contrast(la, lb);
}

QColor MarkColour(const QPalette &palette)
{
    // The grounds: pages, boxes, buttons, and the unselected tabs a shade below the face.
    const QColor grounds[] = {palette.color(QPalette::Window), palette.color(QPalette::Button),
                              palette.color(QPalette::Base), palette.color(QPalette::Light),
                              palette.color(QPalette::Button).darker(110)};
    // Fusion rings a focused box or button in the highlight, darkened, or
    // lightened to a lightness of 160 where darkening left it bright.
    const auto outline = [](QColor c) {
        c = c.darker(125);
        if (c.value() > 160)
            c.setHsl(c.hue(), c.saturation(), 160);
        return c;
    };
    const auto standsOut = [&](const QColor &c) {
        return std::all_of(std::begin(grounds), std::end(grounds), [&](const QColor &ground) {
            return ContrastRatio(c, ground) >= kNonText && ContrastRatio(outline(c), ground) >= kNonText;
        });
    };
    const QColor from = palette.color(QPalette::Highlight);
    const QColor to = palette.color(QPalette::WindowText);
    constexpr int kSteps = 32;
    for (int step = 0; step <= kSteps; ++step) {
        const double t = step / double(kSteps);
        const auto mix = [t](float a, float b) { return float(a + t * (b - a)); };
        const QColor mixed = QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                                              mix(from.blueF(), to.blueF()));
        if (standsOut(mixed))
            return mixed;
    }
    return to;
}

void KeepFocusVisible(QWidget *window)
{
    // Derived again from the desktop's palette whenever it changes.
    class Follower : public QObject {
    public:
        explicit Follower(QWidget *window) : QObject(window)
        {
            apply(window);
            window->installEventFilter(this);
        }

    protected:
        bool eventFilter(QObject *watched, QEvent *event) override
        {
            if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ApplicationPaletteChange)
                apply(static_cast<QWidget *>(watched)); // setting the same palette again sends no further event
            return false;
        }

    private:
        static void apply(QWidget *window)
        {
            const QPalette desktop = QApplication::palette(window);
            QPalette own = window->palette();
            const QColor mark = MarkColour(desktop);
            const QColor black(Qt::black), white(Qt::white);
            const QColor onMark = ContrastRatio(black, mark) > ContrastRatio(white, mark) ? black : white;
            for (const auto group : {QPalette::Active, QPalette::Inactive}) {
                own.setColor(group, QPalette::Highlight, mark);
                own.setColor(group, QPalette::HighlightedText, onMark);
            }
            if (own != window->palette())
                window->setPalette(own);
        }
    };
    new Follower(window);
}

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToPixels(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / double(layout::kTwipsPerPixel))); };
    return {px(left), px(top), px(width), px(height)};
}

QFont FormFont(double pointSize, bool bold)
{
    QFont font;
    // Liberation Sans has Arial's metrics, close to MS Sans Serif's at this size.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Captions and numbers are Latin text that needs no shaping: glyphs are
    // placed by their advances (and the font's kerning), as the classic
    // desktop placed them, without a pass through HarfBuzz for every text laid
    // out. Text in a script that needs shaping is still shaped.
    font.setStyleStrategy(QFont::PreferNoShaping);
    // The form is laid out in whole pixels, and at 8.25 points the classic
    // desktop drew its text snapped to them: hinted fully, each glyph has
    // whole-pixel stems and advances and is rendered once, not once for each
    // fraction of a pixel it may start at.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QWidget *CreateControl(const layout::Control &control, QWidget *parent)
{
    using layout::Flag;
    const QString text = ToQString(control.text);
    QWidget *widget = nullptr;
    switch (control.kind) {
    case layout::Kind::Label:
        widget = new QLabel(text, parent);
        // A caption is drawn from the top of its place, so captions that share a Top line up.
        static_cast<QLabel *>(widget)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    case layout::Kind::TextBox: {
        auto *box = layout::IsResultBox(control) ? new ResultBox(parent) : new QLineEdit(parent);
        // A box without a stated limit takes any text, even a pasted one of
        // megabytes; Qt's own default would cut it at 32767 characters.
        box->setMaxLength(control.maxLength > 0 ? control.maxLength : std::numeric_limits<int>::max());
        box->setText(text);
        box->setCursorPosition(0);
        widget = box;
        break;
    }
    case layout::Kind::Button:
        widget = new QPushButton(text, parent);
        break;
    case layout::Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // an etched rectangle
        widget = frame;
        break;
    }
    }
    widget->setObjectName(ToQString(control.name));
    widget->setGeometry(ToPixels(control.left, control.top, control.width, control.height));
    widget->setFont(FormFont(control.pointSize > 0 ? control.pointSize : 8.25, control.has(Flag::Bold)));
    widget->setEnabled(!control.has(Flag::Disabled));
    const QString spoken = ToQString(layout::SpokenName(control));
    if (spoken != text)
        widget->setAccessibleName(spoken);
    if (control.kind == layout::Kind::Button) // its name is its caption; the plain words describe it
        widget->setAccessibleDescription(ToQString(control.accessibleName));
    if (control.has(Flag::Red) || control.has(Flag::ActiveBorder) || control.has(Flag::Disabled))
        new PaletteFollower(control, widget);
    return widget;
}

} // namespace spirelle
