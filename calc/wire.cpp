#include "calc/wire.h"

#include "calc/calc_error.h"
#include "calc/litz.h"
#include "calc/number_parse.h"
#include "calc/quote.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace spirelle {
namespace {

constexpr int kAwgFirst = -3; // 0000
constexpr int kAwgLast = 46;
constexpr int kSwgFirst = -6; // 7/0
constexpr int kSwgLast = 50;

// NEMA MW 1000, heavy build: the least film increment in mils for AWG 6 to 40.
constexpr int kIncrementFirstGauge = 6;
constexpr std::array<double, 35> kHeavyIncrementMils = {
    3.5, 3.4, 3.3, 3.2, 3.1, 3.0, 2.9, 2.8,                               // 6 .. 13
    3.2, 3.0, 2.9, 2.8, 2.6, 2.5, 2.3, 2.2, 2.1, 2.0, 1.9, 1.8, 1.7,      // 14 .. 26
    1.6, 1.6, 1.5, 1.4, 1.3, 1.2, 1.1, 1.0, 0.9, 0.8, 0.8, 0.7, 0.6, 0.6, // 27 .. 40
};

// BS 3737 (the Imperial Standard Wire Gauge), inches, 7/0 to 50.
constexpr std::array<double, kSwgLast - kSwgFirst + 1> kSwgInches = {
    0.500,  0.464,  0.432,  0.400,  0.372,  0.348,  0.324,                          // 7/0 .. 0
    0.300,  0.276,  0.252,  0.232,  0.212,  0.192,  0.176,  0.160,  0.144,  0.128,  // 1 .. 10
    0.116,  0.104,  0.092,  0.080,  0.072,  0.064,  0.056,  0.048,  0.040,  0.036,  // 11 .. 20
    0.032,  0.028,  0.024,  0.022,  0.020,  0.018,  0.0164, 0.0148, 0.0136, 0.0124, // 21 .. 30
    0.0116, 0.0108, 0.0100, 0.0092, 0.0084, 0.0076, 0.0068, 0.0060, 0.0052, 0.0048, // 31 .. 40
    0.0044, 0.0040, 0.0036, 0.0032, 0.0028, 0.0024, 0.0020, 0.0016, 0.0012, 0.0010, // 41 .. 50
};

[[noreturn]] void NotAWire(std::string_view text)
{
    throw WireError(WireErrorKind::NotAWire, std::string(text),
                    Quote(text) +
                        " is not a wire: write a gauge (awg22, #22, swg22), an outside diameter in "
                        "millimetres (0.5mm) or a plain outside diameter");
}

std::string_view Trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
        std::equal(prefix.begin(), prefix.end(), text.begin(),
                   [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "20" -> 20, "0" -> 0, "00" -> -1, "0000" -> -3, "4/0" -> -3; nullopt for
// anything else ("020", "x", "").
std::optional<int> GaugeNumber(std::string_view digits)
{
    if (digits.size() == 3 && digits.substr(1) == "/0" && digits[0] >= '1' && digits[0] <= '9')
        return 1 - (digits[0] - '0');
    if (!AllDigits(digits) || digits.size() > 9)
        return std::nullopt;
    if (digits.find_first_not_of('0') == std::string_view::npos)
        return 1 - static_cast<int>(digits.size());
    if (digits[0] == '0')
        return std::nullopt;
    return std::stoi(std::string(digits));
}

Wire Gauge(std::string_view text, std::string_view digits, bool swg)
{
    const std::optional<int> gauge = GaugeNumber(Trim(digits));
    if (!gauge)
        NotAWire(text);
    const int first = swg ? kSwgFirst : kAwgFirst, last = swg ? kSwgLast : kAwgLast;
    if (*gauge < first || *gauge > last)
        throw WireError(WireErrorKind::NoSuchGauge, std::string(text),
                        Quote(text) +
                            " is not a wire gauge: " + (swg ? "SWG runs from 7/0 to 50" : "AWG runs from 0000 to 46"));
    const double bare = swg ? *SwgBareDiameter(*gauge) : AwgBareDiameter(*gauge);
    return {std::string(text), bare + HeavyBuildIncrement(bare), bare};
}

Wire OutsideDiameter(std::string_view text, std::string_view number, double unitsPerInch, std::string name,
                     std::string_view decimalSeparator)
{
    double value = 0;
    try {
        value = ParseNumber(Trim(number), decimalSeparator);
    } catch (const CalcError &) {
        NotAWire(text);
    }
    if (!(value > 0))
        throw WireError(WireErrorKind::NotAboveZero, std::string(text),
                        Quote(text) + " is not a wire: its outside diameter must be above 0");
    const double outside = value / unitsPerInch;
    return {std::move(name), outside, DefaultBareDiameter(outside)};
}

} // namespace

WireError::WireError(WireErrorKind kind, std::string text, const std::string &message)
    : std::runtime_error(message), m_kind(kind), m_text(std::move(text))
{
}

std::optional<double> SwgBareDiameter(int gauge)
{
    if (gauge < kSwgFirst || gauge > kSwgLast)
        return std::nullopt;
    return kSwgInches[static_cast<std::size_t>(gauge - kSwgFirst)];
}

double HeavyBuildIncrement(double bareDiameter)
{
    // Rows by decreasing bare diameter: AWG 6 first.
    const auto bareOf = [](std::size_t row) { return AwgBareDiameter(kIncrementFirstGauge + static_cast<int>(row)); };
    const auto increment = [](std::size_t row) { return kHeavyIncrementMils[row] / 1000.0; };
    const std::size_t last = kHeavyIncrementMils.size() - 1;
    if (bareDiameter >= bareOf(0))
        return increment(0);
    if (bareDiameter <= bareOf(last))
        return increment(last) * bareDiameter / bareOf(last);
    std::size_t row = 0;
    while (bareOf(row + 1) > bareDiameter)
        ++row;
    const double t = (bareOf(row) - bareDiameter) / (bareOf(row) - bareOf(row + 1));
    return increment(row) + t * (increment(row + 1) - increment(row));
}

Wire ParseWire(std::string_view text, LengthUnit unit, std::string_view decimalSeparator)
{
    const std::string_view trimmed = Trim(text);
    if (std::optional<Wire> litz = ParseLitz(trimmed, unit == LengthUnit::Millimetres ? kMillimetresPerInch : 1.0,
                                             decimalSeparator))
        return std::move(*litz);
    if (StartsWithNoCase(trimmed, "awg"))
        return Gauge(trimmed, trimmed.substr(3), false);
    if (StartsWithNoCase(trimmed, "swg"))
        return Gauge(trimmed, trimmed.substr(3), true);
    if (StartsWithNoCase(trimmed, "#"))
        return Gauge(trimmed, trimmed.substr(1), false);
    if (trimmed.size() > 2 && StartsWithNoCase(trimmed.substr(trimmed.size() - 2), "mm"))
        return OutsideDiameter(trimmed, trimmed.substr(0, trimmed.size() - 2), kMillimetresPerInch,
                               std::string(trimmed), decimalSeparator);
    return OutsideDiameter(trimmed, trimmed, unit == LengthUnit::Millimetres ? kMillimetresPerInch : 1.0, "custom",
                           decimalSeparator);
}

std::optional<std::string> GaugeSuggestion(double plainNumber)
{
    if (!(plainNumber >= 0 && plainNumber <= kAwgLast) || plainNumber != std::floor(plainNumber))
        return std::nullopt;
    return "awg" + std::to_string(static_cast<int>(plainNumber));
}

} // namespace spirelle
