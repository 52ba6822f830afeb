#include "pages/design.h"

#include "calc/band.h"
#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/flat_coil.h"
#include "calc/number_format.h"
#include "calc/quote.h"
#include "calc/winding.h"
#include "pages/coil_columns.h"

#include <cmath>
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

// A field's text in a message, whole up to 40 characters, as typed.
constexpr QuoteStyle kFieldQuote{.control = "", .decode = false, .limit = kQuotedTextLimit, .ellipsisWithin = false};

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

    std::string number(double value) const { return FormatNumber(value, m_separators.decimal); }

    std::string unitWords(Unit unit) const
    {
        switch (unit) {
        case Unit::None:
            return "";
        case Unit::Length:
            return m_mm ? "millimetres" : "inches";
        case Unit::Picofarad:
            return "pF";
        case Unit::Kilohertz:
            return "kHz";
        }
        return {};
    }

    std::string hint(const Input &input) const
    {
        const double example = input.unit == Unit::Length && m_mm ? input.example * kMillimetresPerInch : input.example;
        return "type " + std::string(input.what) + " in " + unitWords(input.unit) + ", such as " +
            FormatNumber(example, {.significant = 4, .decimal = m_separators.decimal}) + ".";
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
            if (error.ambiguousGrouping())
                throw Bad{input.control, std::string(input.name) + ": " + std::string(error.detail())};
            const std::string quoted = Quote(text, kFieldQuote);
            if (error.kind() == ErrorKind::ArithmeticError)
                throw bad(input, "is " + quoted + ", too large a number");
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
    std::optional<double> pitch;  // inches; nullopt: close-wound
    std::optional<FlatForm> flat; // a spiderweb or a flat spiral, from the diameter outward
};

// The coil kind chosen, and a spiderweb's spokes: an odd whole number, 5 or more.
std::optional<FlatForm> ReadKind(const FieldAccess &fields, const Reader &r)
{
    const std::string kind = fields.text(control::kCoilKind);
    if (kind == kFlatSpiral)
        return FlatForm{};
    if (kind != kSpiderweb)
        return std::nullopt;
    const Input &spokes = InputNamed(control::kSpokes);
    const double n = *r.read(spokes);
    Require(n >= 5 && n <= 1001 && n == std::floor(n) && std::fmod(n, 2.0) != 0, r, spokes,
            "must be odd, 5 or more, for the wire to weave over and under them");
    return FlatForm{0, int(n), std::nullopt};
}

Inputs ReadInputs(const FieldAccess &fields, const Reader &r)
{
    const Input &diameter = InputNamed(control::kDiameter), &cmin = InputNamed(control::kCmin),
                &cmax = InputNamed(control::kCmax), &stray = InputNamed(control::kStray),
                &low = InputNamed(control::kBandLow), &high = InputNamed(control::kBandHigh),
                &outside = InputNamed(control::kWireOd), &bareInput = InputNamed(control::kWireBare),
                &pitch = InputNamed(control::kPitch);
    Inputs in;
    const auto positive = [](double v) { return v > 0 && std::isfinite(v); };
    in.diameter = *r.read(diameter);
    Require(positive(in.diameter), r, diameter, "must be above 0");
    in.diameter = r.inches(in.diameter);
    in.flat = ReadKind(fields, r);
    if (in.flat)
        in.flat->innerDiameter = in.diameter;
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
    in.pitch = r.read(pitch, true);
    Require(!in.pitch || positive(*in.pitch), r, pitch, "must be above 0");
    if (in.pitch)
        in.pitch = r.inches(*in.pitch);
    Require(!in.pitch || !in.flat || !in.flat->spokes, r, pitch,
            "is a spiderweb's own, a wire from turn to turn; leave it empty");
    if (in.flat)
        in.flat->pitch = in.pitch;
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

std::span<const CoilColumn> ColumnsFor(bool flat)
{
    return flat ? FlatCoilColumns() : RealCoilColumns();
}

std::vector<std::string> Headers(const Reader &r, bool flat)
{
    std::vector<std::string> headers;
    for (const CoilColumn &column : ColumnsFor(flat))
        if (Shows(Face::Design, column))
            headers.emplace_back(column.header.in(r.mm()));
    return headers;
}

// A wire's cells: its tuned coil, each tip ending with the coil's note when
// it has one, or the wire and, in every other cell's tip, why it has none.
std::vector<Cell> Row(const Reader &r, const BandDesign &design, const Band &band, std::string_view decimal, bool flat)
{
    const TunedCoil *tuned = design.tuned ? &*design.tuned : nullptr;
    const CoilRow row{design.wire, tuned ? &tuned->coil : nullptr, tuned, r.mm(), band.low};
    const std::string note = tuned && !tuned->coil.note.empty() ? "\n" + tuned->coil.note : "";
    std::vector<Cell> cells;
    for (const CoilColumn &column : ColumnsFor(flat)) {
        if (!Shows(Face::Design, column))
            continue;
        if (!row.has(column.needs))
            cells.push_back({std::string(column.noCoil), design.reason});
        else
            cells.push_back({ReadingText(column, row, decimal), WholeText(column, row, decimal) + note});
    }
    return cells;
}

// The capacitor and the band alone (the window's resonance formula): the
// inductance that puts the band's top at CMIN + stray, and where CMAX + stray takes it.
std::vector<std::string> Verdict(const Inputs &in, std::string_view decimal)
{
    // Four digits as in the table, without the trailing zeros a column needs: 15.00 -> "15".
    const auto n = [decimal](double value) {
        return FormatNumber(value, {.significant = 4, .plainUpTo = 14, .decimal = decimal});
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
        const BandCoverage cover = CoverBand(c, in.band);
        if (cover.covered)
            lines.emplace_back("Covered: with the right coil this capacitor tunes the whole band.");
        else
            lines.push_back("Short by " + n(cover.lowest - in.band.low) + " kHz at the low end: a CMAX of " +
                            n(cover.cmaxToCover) + " pF would cover the band.");
    } catch (const CalcError &error) {
        lines.push_back(std::string("The capacitor's reach cannot be worked out: ") + error.what());
    }
    if (in.flat)
        lines.push_back(
            "Each row: the most whole turns of that wire whose top, with the stray alone (a flat coil's own "
            "capacitance is not estimated), reaches " +
            plain(in.band.high) + " kHz.");
    else
        lines.push_back(
            "Each row: the most whole turns of that wire whose top, with the coil's own capacitance, "
            "reaches " +
            plain(in.band.high) + " kHz.");
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
    case Unit::None:
        return "";
    case Unit::Length:
        return mm ? "mm" : "in";
    case Unit::Picofarad:
        return "pF";
    case Unit::Kilohertz:
        return "kHz";
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
        texts.emplace_back(input.control,
                           number ? FormatNumber(ParseNumber(input.initial), separators.decimal)
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
    const std::string kind = fields.text(control::kCoilKind);
    view.headers = Headers(reader, kind == kSpiderweb || kind == kFlatSpiral);
    Inputs in;
    try {
        in = ReadInputs(fields, reader);
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
            design = in.flat ? DesignFlatForBand(*in.flat, wire, in.capacitor, in.band)
                             : DesignForBand(in.diameter, wire, in.capacitor, in.band, in.pitch);
        } catch (const CalcError &error) { // this wire on this form: an answer for its row
            design.reason = error.what();
        }
        view.rows.push_back(Row(reader, design, in.band, separators.decimal, in.flat.has_value()));
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

std::optional<RowCoil> CoilOfRow(const FieldAccess &fields, const Separators &separators, int row)
{
    const Reader reader(fields, separators);
    Inputs in;
    try {
        in = ReadInputs(fields, reader);
    } catch (const Bad &) {
        return std::nullopt;
    }
    std::vector<Wire> wires = GaugeWires();
    if (in.custom)
        wires.push_back(*in.custom);
    if (in.flat || row < 0 || row >= static_cast<int>(wires.size()))
        return std::nullopt;
    const Wire &wire = wires[static_cast<std::size_t>(row)];
    try {
        const BandDesign design = DesignForBand(in.diameter, wire, in.capacitor, in.band, in.pitch);
        if (!design.tuned)
            return std::nullopt;
        return RowCoil{in.diameter, wire, design.tuned->coil.turns, in.pitch, in.capacitor, in.band};
    } catch (const CalcError &) {
        return std::nullopt;
    }
}

} // namespace spirelle::design
