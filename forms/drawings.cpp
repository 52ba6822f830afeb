#include "forms/drawings.h"

#include "calc/number_format.h"
#include "forms/svg.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace spirelle::forms {
namespace {

constexpr double kPage = 10;        // mm of paper round the drawing
constexpr double kMinWidth = 170;   // mm inside the page margins: room for a rule and its words
constexpr double kLine = 6;         // mm from one line of text to the next
constexpr double kRuleHeight = 1;   // mm, the bar of a check rule
constexpr double kRulesHeight = 22; // mm, both rules and their ticks

// A number as the drawing's words write it: 4 significant digits.
std::string N(double value)
{
    return FormatNumber(value, {.significant = 4, .plainUpTo = 14});
}

// A length in inches in both units: 1 -> "1 in (25.4 mm)".
std::string Length(double inches)
{
    return N(inches) + " in (" + N(inches * kMillimetresPerInch) + " mm)";
}

std::string Tuning(double inductance, const std::optional<Band> &band)
{
    std::string words = "Inductance " + N(inductance) + " uH";
    if (band)
        words += ", for the band " + N(band->low) + "-" + N(band->high) + " kHz";
    return words;
}

// The point `radius` mm from `centre` at `degrees` clockwise from straight up,
// moved `aside` mm square to that direction (clockwise positive).
Point Polar(Point centre, double radius, double degrees, double aside = 0)
{
    const double a = degrees * std::numbers::pi / 180;
    return {centre.x + radius * std::sin(a) + aside * std::cos(a),
            centre.y - radius * std::cos(a) + aside * std::sin(a)};
}

// The 100 mm and 4 in rules from `top`, each a bar with ticks under it and its words beside it.
void Rules(Svg &svg, double left, double top)
{
    struct Rule {
        const char *id;
        double length; // mm
        double tick;   // mm between ticks
        int longEvery; // every so many ticks a long one
        const char *words;
    };
    constexpr Rule kRules[] = {
        {"rule-100mm", 100, 10, 5, "should measure 100 mm"},
        {"rule-4in", 4 * kMillimetresPerInch, kMillimetresPerInch / 4, 4, "should measure 4 in"}};
    double y = top;
    for (const Rule &rule : kRules) {
        svg.rect("rule", {left, y}, rule.length, kRuleHeight, rule.id);
        const int ticks = int(std::lround(rule.length / rule.tick));
        for (int i = 0; i <= ticks; ++i) {
            const double x = left + i * rule.tick;
            svg.line("tick", {x, y + kRuleHeight}, {x, y + kRuleHeight + (i % rule.longEvery == 0 ? 3 : 1.5)});
        }
        svg.text("text", {left + rule.length + 4, y + 2.5}, rule.words);
        y += 11;
    }
}

// Lines of text from `top`, one under another; returns the y below the last.
double Lines(Svg &svg, double left, double top, const std::vector<std::string> &lines)
{
    double y = top;
    for (const std::string &words : lines) {
        y += kLine;
        svg.text("text", {left, y}, words);
    }
    return y;
}

} // namespace

std::string FlatFormSvg(const FlatCoil &coil, const std::optional<Band> &band)
{
    const double hub = coil.innerDiameter * kMillimetresPerInch / 2;
    const double winding = coil.outerDiameter * kMillimetresPerInch / 2;
    const double rim = winding + kRimMargin;
    const double width = std::max(2 * rim, kMinWidth) + 2 * kPage;
    const std::vector<std::string> lines = {
        coil.spokes
            ? "Spiderweb form, " + std::to_string(coil.spokes) + " spokes on a hub of " + Length(coil.innerDiameter)
            : "Flat spiral form, the winding from an inside diameter of " + Length(coil.innerDiameter),
        std::to_string(coil.turns) + " turns of " + coil.wire + ", " + Length(coil.pitch) +
            " a turn, out to the dashed circle, " + Length(coil.outerDiameter),
        Tuning(coil.inductance, band),
        "Cut round the rim, " + N(kRimMargin) + " mm beyond the winding" +
            (coil.spokes ? ", and each slot down to the hub circle" : ""),
        "The wire starts at the hole in the hub and ends at the hole by the rim",
    };
    const double textTop = kPage + 2 * rim + 4;
    const double height = textTop + kLine * double(lines.size()) + 6 + kRulesHeight + kPage;
    Svg svg(width, height);
    const Point centre{width / 2, kPage + rim};

    svg.circle("rim", centre, rim);
    svg.circle("hub", centre, hub);
    svg.circle("winding", centre, winding);
    const int spokes = coil.spokes;
    if (spokes) {
        // Each slot a wire or more wide (3 mm at least, to thread), at most half the hub's share of a spoke.
        const double share = 360.0 / spokes;
        const double slot = std::min(std::max(3.0, 2 * coil.pitch * kMillimetresPerInch),
                                     std::numbers::pi * hub / spokes);
        for (int k = 0; k < spokes; ++k) {
            svg.line("spoke", Polar(centre, hub, k * share), Polar(centre, rim, k * share));
            const double middle = (k + 0.5) * share;
            // Past the rim by a millimetre, so the cut leaves no sliver.
            svg.polygon("slot",
                        {Polar(centre, hub, middle, -slot / 2), Polar(centre, rim + 1, middle, -slot / 2),
                         Polar(centre, rim + 1, middle, slot / 2), Polar(centre, hub, middle, slot / 2)});
        }
    }
    svg.line("centre", {centre.x - 3, centre.y}, {centre.x + 3, centre.y});
    svg.line("centre", {centre.x, centre.y - 3}, {centre.x, centre.y + 3});
    svg.circle("hole", Polar(centre, hub > 4 ? hub - 2 : hub / 2, 0), 0.75);
    svg.circle("hole", Polar(centre, winding + kRimMargin / 2, 0), 0.75);

    const double below = Lines(svg, kPage, textTop, lines);
    Rules(svg, kPage, below + 6);
    return svg.finish();
}

std::vector<CardTap> TapMarks(int antenna, int detector)
{
    return {{antenna, "antenna tap, turn " + std::to_string(antenna)},
            {detector, "detector tap, turn " + std::to_string(detector)}};
}

Card CardOf(const Solenoid &coil, double formDiameter, const std::optional<Band> &band)
{
    return {.wire = coil.wire,
            .turns = coil.turns,
            .formDiameter = formDiameter,
            .windingLength = coil.windingLength,
            .pitch = coil.pitch,
            .inductance = coil.inductance,
            .wireLength = coil.wireLength,
            .band = band};
}

Card CardOf(const RealCoil &coil, const std::string &wire, double formDiameter, const std::optional<Band> &band)
{
    return {.wire = wire,
            .turns = double(coil.turns),
            .formDiameter = formDiameter,
            .windingLength = coil.windingLength,
            .pitch = coil.pitch,
            .inductance = coil.inductance,
            .wireLength = coil.wireLength,
            .band = band};
}

std::string WindingCardSvg(const Card &card)
{
    const double length = card.windingLength * kMillimetresPerInch;
    const double form = card.formDiameter * kMillimetresPerInch;
    const double overhang = 10; // mm of form drawn past each end of the winding
    const double width = std::max(length + 2 * overhang, kMinWidth) + 2 * kPage;
    const double cut = card.wireLength + 2 * card.leadAllowance;
    const std::vector<std::string> lines = {
        "Winding " + Length(card.windingLength) + " long, drawn at 1:1 between the marks; " + Length(card.pitch) +
            " a turn",
        "Wire to cut " + N(cut / 12) + " ft (" + N(cut * kMillimetresPerInch / 1000) + " m): the coil's " +
            N(card.wireLength / 12) + " ft and " + N(card.leadAllowance) + " in for each lead",
        Tuning(card.inductance, card.band),
    };
    const double formTop = kPage + 16;
    // Each tap's words on a line of their own under the form, the first nearest.
    const double textTop = formTop + form + 6 + kLine * double(card.taps.size());
    const double height = textTop + kLine * double(lines.size()) + 6 + kRulesHeight + kPage;
    Svg svg(width, height);
    svg.text("text", {kPage, kPage + 4},
             "Winding card: " + N(card.turns) + " turns of " + card.wire + " on a form of " + Length(card.formDiameter),
             4.5);
    const double left = kPage;
    svg.rect("form", {left, formTop}, length + 2 * overhang, form);
    svg.rect("winding", {left + overhang, formTop}, length, form);
    for (const double x : {left + overhang, left + overhang + length}) {
        svg.line("end", {x, formTop - 4}, {x, formTop + form + 4});
    }
    svg.text("text", {left + overhang - 4, formTop - 5.5}, "start", 3);
    svg.text("text", {left + overhang + length - 3, formTop - 5.5}, "end", 3);
    // The highest turn's words nearest the form: no mark crosses another's words.
    std::vector<CardTap> taps = card.taps;
    std::sort(taps.begin(), taps.end(), [](const CardTap &a, const CardTap &b) { return a.turn > b.turn; });
    double below = formTop + form;
    for (const CardTap &tap : taps) {
        const double x = left + overhang + tap.turn * card.pitch * kMillimetresPerInch;
        below += kLine;
        svg.line("tap", {x, formTop - 2}, {x, below});
        // The words to the right of the mark, or ending at it when they would run off the card.
        const double words = 3 * 0.55 * double(tap.label.size()); // mm, about, at 3 mm high
        svg.text("text", {x + words + 1 > width - kPage ? x - words - 1 : x + 1, below - 0.5}, tap.label, 3);
    }

    below = Lines(svg, kPage, textTop, lines);
    Rules(svg, kPage, below + 6);
    return svg.finish();
}

} // namespace spirelle::forms
