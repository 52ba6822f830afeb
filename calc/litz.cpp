#include "calc/litz.h"

#include "calc/calc_error.h"
#include "calc/losses.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/quote.h"
#include "calc/solenoid.h"
#include "calc/wire.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numbers>
#include <string>

namespace spirelle {
namespace {

constexpr double kMetresPerInch = 0.0254;
// A diameter written to a few digits may round past the gauge's own: 0.255 mm for AWG 30.
constexpr double kRoundingSlack = 1.005;

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

[[noreturn]] void NotALitz(std::string_view text)
{
    throw WireError(WireErrorKind::NotAWire, std::string(text),
                    Quote(text) +
                        " is not a Litz wire: write its strands and their AWG (litz660x46) or their copper's "
                        "diameter (litz660x0.04mm)");
}

// A length for a message, in both units: 0.0527434 -> "1.34 mm (0.05274 in)".
std::string Millimetres(double inches)
{
    return FormatNumber(inches * kMillimetresPerInch, {.significant = 4}) + " mm (" +
        FormatNumber(inches, {.significant = 4}) + " in)";
}

} // namespace

Wire LitzWire(std::string_view name, int strands, double strandDiameter, std::optional<double> outside)
{
    const std::string text(name);
    if (strands < 1)
        throw WireError(WireErrorKind::NotAboveZero, text, Quote(name) + " is not a Litz wire: it has no strands");
    const double thickest = AwgBareDiameter(kLitzStrandAwgThickest) * kRoundingSlack;
    const double thinnest = AwgBareDiameter(kLitzStrandAwgThinnest) / kRoundingSlack;
    if (!(strandDiameter >= thinnest && strandDiameter <= thickest))
        throw WireError(WireErrorKind::NoSuchGauge, text,
                        Quote(name) + " is not a Litz wire: its strands' copper, " + Millimetres(strandDiameter) +
                            ", is outside AWG 50 to 30, 0.0250 to 0.255 mm");
    const double strandOutside = strandDiameter + HeavyBuildIncrement(strandDiameter);
    double bundle = strandOutside * std::sqrt(strands / kLitzPacking);
    if (outside) {
        // Even at the densest packing the strands need sqrt(n / 0.9069) strand diameters.
        bundle = *outside - kLitzServing;
        const double least = strandOutside * std::sqrt(strands / kHexagonalPacking) + kLitzServing;
        if (!(*outside >= least))
            throw WireError(WireErrorKind::NotAboveZero, text,
                            Quote(name) + " does not fit an outside diameter of " + Millimetres(*outside) +
                                ": its strands need at least " + Millimetres(least) + " with the serving");
    }
    Wire wire;
    wire.name = text;
    wire.outsideDiameter = bundle + kLitzServing;
    wire.bareDiameter = strandDiameter * std::sqrt(strands / kLitzLayFactor);
    wire.strands = strands;
    wire.strandDiameter = strandDiameter;
    return wire;
}

std::optional<Wire> ParseLitz(std::string_view text, double unitsPerInch, std::string_view decimalSeparator)
{
    const std::string_view trimmed = Trim(text);
    constexpr std::string_view kPrefix = "litz";
    if (trimmed.size() < kPrefix.size() ||
        !std::equal(kPrefix.begin(), kPrefix.end(), trimmed.begin(),
                    [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; }))
        return std::nullopt;
    const std::string_view rest = trimmed.substr(kPrefix.size());
    const auto x = rest.find_first_of("xX");
    if (x == std::string_view::npos)
        NotALitz(trimmed);
    const std::string_view count = Trim(rest.substr(0, x));
    std::string_view strand = Trim(rest.substr(x + 1));
    if (!AllDigits(count) || count.size() > 6 || strand.empty())
        NotALitz(trimmed);
    const int strands = std::stoi(std::string(count));
    double diameter = 0;
    if (AllDigits(strand)) {
        const int gauge = strand.size() > 3 ? 999 : std::stoi(std::string(strand));
        if (gauge < kLitzStrandAwgThickest || gauge > kLitzStrandAwgThinnest)
            throw WireError(WireErrorKind::NoSuchGauge, std::string(trimmed),
                            Quote(trimmed) + " is not a Litz wire: its strands' AWG runs from 30 to 50");
        diameter = AwgBareDiameter(gauge);
    } else {
        double perInch = unitsPerInch;
        if (strand.size() > 2 && std::tolower(static_cast<unsigned char>(strand.back())) == 'm' &&
            std::tolower(static_cast<unsigned char>(strand[strand.size() - 2])) == 'm') {
            strand = Trim(strand.substr(0, strand.size() - 2));
            perInch = kMillimetresPerInch;
        }
        try {
            diameter = ParseNumber(strand, decimalSeparator) / perInch;
        } catch (const CalcError &) {
            NotALitz(trimmed);
        }
    }
    return LitzWire(trimmed, strands, diameter);
}

double LitzBundleDiameter(const Wire &litz)
{
    return litz.outsideDiameter - kLitzServing;
}

double LitzCopperArea(const Wire &litz)
{
    return litz.strands * std::numbers::pi * litz.strandDiameter * litz.strandDiameter / 4;
}

double LitzResistanceRatio(int strands, double strandDiameter, double bundleDiameter, double frequencyHz,
                           double proximityFactor)
{
    const SkinProximity strand = ButterworthFunctions(
        ButterworthArgument(strandDiameter * kMetresPerInch, frequencyHz));
    const double fill = strands * strandDiameter / bundleDiameter;
    return 1 + strand.f + 2 * proximityFactor * fill * fill * strand.g;
}

} // namespace spirelle
