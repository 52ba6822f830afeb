#include "pages/design.h"

#include "calc/calc_error.h"
#include "calc/band.h"
#include "calc/coil.h"
#include "calc/utf8.h"
#include "calc/winding.h"

#include <array>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <optional>

namespace spirelle::design {
namespace {

// The form's rules, checked as it compiles: a preset list is followed by the
// two number fields it fills, and the unit list follows a length of its group,
// beside which it sits.
constexpr bool FormHolds()
{
    const std::size_t rows = std::size(kInputs);
    for (std::size_t i = 0; i < rows; ++i) {
        const Input &input = kInputs[i];
        const auto numberAt = [&](std::size_t j) {
            return j < rows && kInputs[j].kind == Kind::Number && kInputs[j].group == input.group;
        };
        if (input.kind == Kind::Presets && !(numberAt(i + 1) && numberAt(i + 2)))
            return false;
        if (input.kind == Kind::Units && !(i > 0 && numberAt(i - 1) && kInputs[i - 1].unit == Unit::Length))
            return false;
    }
    return true;
}
static_assert(FormHolds());

// A message for the user: which field, and what to type there.
struct Bad {
    std::string_view control;
    std::string message;
};

class Reader {
public:
    Reader(const FieldAccess &fields, const Separators &separators) : m_fields(fields), m_separators(separators)
    {
        m_mm = fields.text(control::kUnits) == kMillimetre;
    }

    bool mm() const { return m_mm; }
    std::string_view lengthUnit() const { return m_mm ? "mm" : "in"; }

    std::string number(double value) const { return FormatNumber(value, m_separators.decimal); }

    std::string unitWords(Unit unit) const
    {
        switch (unit) {
        case Unit::None: return "";
        case Unit::Length: return m_mm ? "millimetres" : "inches";
        case Unit::Picofarad: return "pF";
        case Unit::Kilohertz: return "kHz";
        }
        return {};
    }

    std::string hint(const Input &input) const
    {
        const double example = input.unit == Unit::Length && m_mm ? input.example * kMillimetresPerInch : input.example;
        return "type " + std::string(input.what) + " in " + unitWords(input.unit) + ", such as " +
               FormatSignificant(example, 4, m_separators.decimal) + ".";
    }

    Bad bad(const Input &input, const std::string &why) const
    {
        return {input.control, std::string(input.name) + " " + why + ": " + hint(input)};
    }

    // The field's text as a number in the field's unit; nullopt for an empty
    // text when `optional`. A text that is not a number throws Bad.
    std::optional<double> read(const Input &input, bool optional = false) const
    {
        const std::string text = m_fields.text(input.control);
        if (text.find_first_not_of(" \t") == std::string::npos) {
            if (optional)
                return std::nullopt;
            throw bad(input, "is empty");
        }
        try {
            return ParseNumber(text, m_separators.decimal, m_separators.group);
        } catch (const CalcError &error) {
            const std::string quoted = "“" + utf8::Prefix(text, kQuotedTextLimit) +
                                       (utf8::Length(text) > kQuotedTextLimit ? "…”" : "”");
            if (error.kind() == ErrorKind::ArithmeticError)
                throw bad(input, "is " + quoted + ", too large a number");
            std::string why = error.what();
            if (const std::string prefix = "Type mismatch: "; why.starts_with(prefix) && why.find(" two ways") != std::string::npos)
                throw Bad{input.control, std::string(input.name) + ": " + why.substr(prefix.size())};
            throw bad(input, "is " + quoted + ", not a number");
        }
    }

    // A length in inches, as the calculation wants it.
    double inches(double value) const { return m_mm ? value / kMillimetresPerInch : value; }

private:
    const FieldAccess &m_fields;
    const Separators &m_separators;
    bool m_mm = false;
};

void Require(bool holds, const Reader &reader, const Input &input, const std::string &why)
{
    if (!holds)
        throw reader.bad(input, why);
}

struct Inputs {
    double diameter = 0; // inches
    Capacitor capacitor;
    Band band;
    std::optional<Wire> custom;
};

Inputs ReadInputs(const Reader &r)
{
    const Input &diameter = InputNamed(control::kDiameter), &cmin = InputNamed(control::kCmin),
                &cmax = InputNamed(control::kCmax), &stray = InputNamed(control::kStray),
                &low = InputNamed(control::kBandLow), &high = InputNamed(control::kBandHigh),
                &outside = InputNamed(control::kWireOd), &bareInput = InputNamed(control::kWireBare);
    Inputs in;
    const auto positive = [](double v) { return v > 0 && std::isfinite(v); };
    in.diameter = *r.read(diameter);
    Require(positive(in.diameter), r, diameter, "must be above 0");
    in.diameter = r.inches(in.diameter);
    in.capacitor.cmin = *r.read(cmin);
    Require(in.capacitor.cmin >= 0, r, cmin, "must not be below 0");
    in.capacitor.cmax = *r.read(cmax);
    Require(in.capacitor.cmax > in.capacitor.cmin && std::isfinite(in.capacitor.cmax), r, cmax,
            "must be above CMIN (" + r.number(in.capacitor.cmin) + " pF)");
    in.capacitor.stray = *r.read(stray);
    Require(in.capacitor.stray >= 0, r, stray, "must not be below 0");
    Require(in.capacitor.cmin + in.capacitor.stray > 0, r, stray, "must be above 0 when CMIN is 0");
    in.band.low = *r.read(low);
    Require(positive(in.band.low), r, low, "must be above 0");
    in.band.high = *r.read(high);
    Require(in.band.high > in.band.low && std::isfinite(in.band.high), r, high,
            "must be above the low end (" + r.number(in.band.low) + " kHz)");
    const std::optional<double> od = r.read(outside, true);
    const std::optional<double> bare = r.read(bareInput, true);
    if (!od) {
        Require(!bare, r, outside, "is empty while a bare diameter is given");
        return in;
    }
    Require(positive(*od), r, outside, "must be above 0");
    Require(!bare || positive(*bare), r, bareInput, "must be above 0");
    Require(!bare || *bare <= *od, r, bareInput, "must not be above the outside diameter");
    // Enamel takes about 4 % of the diameter on each side.
    in.custom = Wire{"custom", r.inches(*od), bare ? r.inches(*bare) : DefaultBareDiameter(r.inches(*od))};
    return in;
}

// Number texts for reading, in the locale's notation. printf rounds
// correctly in glibc and in musl (std::to_chars with a precision is not in
// every C++ library); its decimal point is the C locale's, whatever that is
// set to, so every character that is not a digit or a sign is the point.
std::string Printed(const char *format, int precision, double value, std::string_view decimal)
{
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), format, precision, value);
    std::string out;
    for (const char c : std::string_view(buffer.data(), std::size_t(std::clamp(length, 0, int(buffer.size()) - 1))))
        out += (c >= '0' && c <= '9') || c == '-' || c == '+' || c == 'e' ? std::string(1, c) : std::string(decimal);
    return out;
}

//   (4.416, 3) -> "4.416"   (3.26, 3) -> "3.260"
std::string Fixed(double value, int decimals, std::string_view decimal)
{
    if (!std::isfinite(value) || std::abs(value) >= 1e15)
        return FormatSignificant(value, 7, decimal);
    return Printed("%.*f", decimals, value, decimal);
}

// Four significant digits, trailing zeros kept so that a column reads alike:
//   315.262 -> "315.3"   318.0 -> "318.0"   1705.53 -> "1706"   2.62345 -> "2.623"   12345.6 -> "12350"
std::string FourDigits(double value, std::string_view decimal)
{
    if (value == 0 || !std::isfinite(value))
        return FormatSignificant(value, 4, decimal);
    const std::string scientific = Printed("%.*e", 3, value, decimal); // [-]d,ddde±x
    const std::size_t e = scientific.find('e');
    int exponent = 0;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1),
                    scientific.data() + scientific.size(), exponent);
    if (exponent < -4 || exponent > 14)
        return FormatSignificant(value, 4, decimal);
    std::string digits;
    for (const char c : scientific.substr(0, e))
        if (c >= '0' && c <= '9')
            digits += c;
    std::string out = value < 0 ? "-" : "";
    if (exponent < 0)
        return out + "0" + std::string(decimal) + std::string(std::size_t(-exponent - 1), '0') + digits;
    const auto integer = std::size_t(exponent) + 1;
    if (integer >= digits.size())
        return out + digits + std::string(integer - digits.size(), '0');
    return out + digits.substr(0, integer) + std::string(decimal) + digits.substr(integer);
}

std::vector<std::string> Headers(const Reader &r)
{
    const std::string unit = std::string(r.lengthUnit());
    return {"Wire", "Turns", "Coil diameter (" + unit + ")", "Winding length (" + unit + ")", "L (µH)",
            "Wheeler L (µH)", "C_self (pF)", "Tunes high (kHz)", "Tunes low (kHz)", "Covered",
            std::string(r.mm() ? "Wire length (m)" : "Wire length (ft)")};
}

std::vector<Cell> Row(const Reader &r, const BandDesign &design, const Band &band, std::string_view decimal)
{
    const auto whole = [&](double value, std::string_view unit) { return r.number(value) + " " + std::string(unit); };
    const double toUnit = r.mm() ? kMillimetresPerInch : 1.0;
    const std::string lengthUnit(r.lengthUnit());
    const Wire &wire = design.wire;
    std::vector<Cell> row{{wire.name, wire.name + ": outside diameter " + whole(wire.outsideDiameter * toUnit, lengthUnit) +
                                          ", bare " + whole(wire.bareDiameter * toUnit, lengthUnit)}};
    if (!design.tuned) {
        // The reason is long: the row says "no coil", each cell's tip says why.
        for (int column = 1; column < 9; ++column)
            row.push_back({"", design.reason});
        row.push_back({"no coil", design.reason});
        row.push_back({"", design.reason});
        return row;
    }
    const TunedCoil &t = *design.tuned;
    const RealCoil &c = t.coil;
    const double wireLength = r.mm() ? c.wireLength * kMillimetresPerInch / 1000.0 : c.wireLength / 12.0;
    const std::string covered = t.covered ? "yes: it tunes down to " + whole(t.lowKHz, "kHz") + ", at or below " +
                                                whole(band.low, "kHz")
                                          : "no: it tunes down only to " + whole(t.lowKHz, "kHz") + ", above " +
                                                whole(band.low, "kHz");
    row.push_back({std::to_string(c.turns), std::to_string(c.turns) + (c.turns == 1 ? " turn" : " turns")});
    row.push_back({Fixed(c.coilDiameter * toUnit, 3, decimal), whole(c.coilDiameter * toUnit, lengthUnit)});
    row.push_back({Fixed(c.windingLength * toUnit, 3, decimal), whole(c.windingLength * toUnit, lengthUnit)});
    row.push_back({FourDigits(c.inductance, decimal), whole(c.inductance, "µH")});
    row.push_back({FourDigits(c.wheelerInductance, decimal), whole(c.wheelerInductance, "µH")});
    row.push_back({FourDigits(c.selfCapacitance, decimal), whole(c.selfCapacitance, "pF")});
    row.push_back({FourDigits(t.highKHz, decimal), whole(t.highKHz, "kHz")});
    row.push_back({FourDigits(t.lowKHz, decimal), whole(t.lowKHz, "kHz")});
    row.push_back({t.covered ? "yes" : "no", covered});
    row.push_back({Fixed(wireLength, 3, decimal), whole(wireLength, r.mm() ? "m" : "ft")});
    return row;
}

// The capacitor and the band alone (the window's resonance formula): the
// inductance that puts the band's top at CMIN + stray, and where CMAX + stray takes it.
std::vector<std::string> Verdict(const Inputs &in, std::string_view decimal)
{
    // Four digits as in the table, without the trailing zeros a column needs: 15.00 -> "15".
    const auto n = [decimal](double value) {
        std::string text = FourDigits(value, decimal);
        if (text.find(decimal) != std::string::npos && text.find('E') == std::string::npos) {
            text.erase(text.find_last_not_of('0') + 1);
            if (text.ends_with(decimal))
                text.erase(text.size() - decimal.size());
        }
        return text;
    };
    const auto plain = [decimal](double value) { return FormatNumber(value, decimal); };
    const Capacitor &c = in.capacitor;
    const double cLow = c.cmin + c.stray;
    const double cHigh = c.cmax + c.stray;
    const double needed = (in.band.high / in.band.low) * (in.band.high / in.band.low);
    std::vector<std::string> lines{"The band " + plain(in.band.low) + "–" + plain(in.band.high) +
                                   " kHz needs a tuning ratio of " + n(needed) + "; the capacitor with its stray, " +
                                   plain(cLow) + "–" + plain(cHigh) + " pF, gives " + n(cHigh / cLow) + "."};
    try {
        const BandCoverage cover = CoverBand(c.cmin, c.cmax, c.stray, in.band.low, in.band.high);
        if (cover.covered)
            lines.push_back("Covered: with the right coil this capacitor tunes the whole band.");
        else
            lines.push_back("Short by " + n(cover.lowest - in.band.low) + " kHz at the low end: a CMAX of " +
                            n(cover.cmaxToCover) + " pF would cover the band.");
    } catch (const CalcError &error) {
        lines.push_back(std::string("The capacitor's reach cannot be worked out: ") + error.what());
    }
    lines.push_back("Each row: the most whole turns of that wire whose top, with the coil's own capacitance, "
                    "reaches " + plain(in.band.high) + " kHz.");
    return lines;
}

} // namespace

const Input &InputNamed(std::string_view control)
{
    for (const Input &input : kInputs)
        if (input.control == control)
            return input;
    throw ControlError("No design input named " + std::string(control) + ".");
}

std::vector<const Input *> InputsOf(Group group)
{
    std::vector<const Input *> rows;
    for (const Input &input : kInputs)
        if (input.group == group)
            rows.push_back(&input);
    return rows;
}

std::pair<const Input *, const Input *> PresetFields(const Input &list)
{
    const std::size_t rows = std::size(kInputs);
    for (std::size_t i = 0; i + 2 < rows; ++i)
        if (&kInputs[i] == &list && list.kind == Kind::Presets)
            return {&kInputs[i + 1], &kInputs[i + 2]};
    throw ControlError("No two fields for the list " + std::string(list.control) + " to fill.");
}

std::string_view UnitText(Unit unit, bool mm)
{
    switch (unit) {
    case Unit::None: return "";
    case Unit::Length: return mm ? "mm" : "in";
    case Unit::Picofarad: return "pF";
    case Unit::Kilohertz: return "kHz";
    }
    return "";
}

std::string_view SpokenUnit(Unit unit, bool mm)
{
    return unit != Unit::Length ? "" : mm ? ", millimetres" : ", inches";
}

std::vector<std::pair<std::string_view, std::string>> InitialTexts(const Separators &separators)
{
    std::vector<std::pair<std::string_view, std::string>> texts;
    for (const Input &input : kInputs) {
        if (input.kind == Kind::Presets)
            continue; // a list shows the preset its two fields hold
        const bool number = input.kind == Kind::Number && !input.initial.empty();
        texts.emplace_back(input.control, number ? FormatNumber(ParseNumber(input.initial), separators.decimal)
                                                  : std::string(input.initial));
    }
    return texts;
}

std::pair<std::string, std::string> PresetTexts(const Preset &preset, const Separators &separators)
{
    return {FormatNumber(preset.low, separators.decimal), FormatNumber(preset.high, separators.decimal)};
}

int MatchingPreset(std::span<const Preset> presets, std::string_view lowText, std::string_view highText,
                   const Separators &separators)
{
    try {
        const double low = ParseNumber(lowText, separators.decimal, separators.group);
        const double high = ParseNumber(highText, separators.decimal, separators.group);
        for (std::size_t i = 0; i < presets.size(); ++i)
            if (presets[i].low == low && presets[i].high == high)
                return static_cast<int>(i);
    } catch (const CalcError &) {
    }
    return -1;
}

std::string ConvertLength(std::string_view text, bool toMillimetres, const Separators &separators)
{
    try {
        const double value = ParseNumber(text, separators.decimal, separators.group);
        return FormatNumber(toMillimetres ? value * kMillimetresPerInch : value / kMillimetresPerInch,
                            separators.decimal);
    } catch (const CalcError &) {
        return std::string(text);
    }
}

View Design(const FieldAccess &fields, const Separators &separators)
{
    const Reader reader(fields, separators);
    View view;
    view.headers = Headers(reader);
    Inputs in;
    try {
        in = ReadInputs(reader);
    } catch (const Bad &bad) {
        view.badField = bad.control;
        view.message = bad.message;
        return view;
    }
    std::vector<Wire> wires = GaugeWires();
    if (in.custom)
        wires.push_back(*in.custom);
    for (const Wire &wire : wires) {
        BandDesign design{wire, std::nullopt, {}};
        try {
            design = DesignForBand(in.diameter, wire, in.capacitor, in.band);
        } catch (const CalcError &error) { // this wire on this form: an answer for its row
            design.reason = error.what();
        }
        view.rows.push_back(Row(reader, design, in.band, separators.decimal));
    }
    view.verdict = Verdict(in, separators.decimal);
    view.good = true;
    return view;
}

std::string CopyText(const View &view)
{
    if (view.rows.empty())
        return {};
    const auto line = [](const auto &cells, auto text) {
        std::string out;
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "\t" : "") + text(cells[i]);
        return out + "\n";
    };
    std::string out = line(view.headers, [](const std::string &h) { return h; });
    for (const std::vector<Cell> &row : view.rows)
        out += line(row, [](const Cell &c) { return c.text; });
    return out;
}

} // namespace spirelle::design
