#include "pages/design.h"

#include "calc/losses.h"

#include "calc/band.h"
#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/flat_coil.h"
#include "calc/litz.h"
#include "calc/number_format.h"
#include "calc/quote.h"
#include "calc/winding.h"
#include "forms/drawings.h"
#include "calc/wire.h"
#include "pages/coil_columns.h"

#include <cmath>
#include <iterator>
#include <optional>
#include <variant>

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
        if ((input.kind == Kind::Units || input.kind == Kind::Sizes) &&
            !(i > 0 && numberAt(i - 1) && kInputs[i - 1].unit == Unit::Length))
            return false;
    }
    return true;
}
static_assert(FormHolds());

// An input's example in the unit: a length's own in mm when it has one.
std::string Example(const Input &input, bool mm, std::string_view decimal)
{
    const bool length = input.unit == Unit::Length && mm;
    const double example = !length ? input.example
        : input.exampleMm > 0      ? input.exampleMm
                                   : input.example * kMillimetresPerInch;
    return FormatNumber(example, {.significant = 4, .decimal = decimal});
}

// A wire's name as calc/wire reads it (awg26, swg30, # 20, 0.25mm) rather than a plain number.
bool IsWireName(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(" \t"), last = text.find_last_not_of(" \t");
    if (first == std::string_view::npos)
        return false;
    const auto lower = [](char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c); };
    std::string t;
    for (const char c : text.substr(first, last - first + 1))
        t += lower(c);
    return t.starts_with("awg") || t.starts_with("swg") || t.starts_with("#") || t.ends_with("mm");
}

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
    const Separators &separators() const { return m_separators; }

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
        return "type " + std::string(input.what) + " in " + unitWords(input.unit) + ", such as " +
            Example(input, m_mm, m_separators.decimal) + ".";
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

    // A custom wire's field holding a wire's name: the wire (lengths in inches); a name
    // calc/wire refuses throws Bad; nullopt for a number or an empty field.
    std::optional<Wire> named(const Input &input) const
    {
        const std::string text = m_fields.text(input.control);
        if (!IsWireName(text))
            return std::nullopt;
        try {
            return ParseWire(text, LengthUnit::Inches, m_separators.decimal);
        } catch (const WireError &error) {
            throw Bad{input.control, std::string(input.name) + ": " + error.what() + "; " + hint(input)};
        }
    }

    // A length as the user gave it, for the inputs' line: "40 mm", or a wire's name as typed.
    std::string given(std::string_view control) const
    {
        std::string text = m_fields.text(control);
        text.erase(0, text.find_first_not_of(" \t"));
        text.erase(text.find_last_not_of(" \t") + 1);
        return IsWireName(text) ? text : text + " " + std::string(UnitText(Unit::Length, m_mm));
    }

    // The Litz wire the field names (calc/litz.h), nullopt when it names none.
    std::optional<Wire> litz(const Input &input) const
    {
        try {
            return ParseLitz(m_fields.text(input.control), m_mm ? kMillimetresPerInch : 1.0, m_separators.decimal);
        } catch (const WireError &error) {
            throw Bad{input.control, std::string(input.name) + ": " + error.what()};
        }
    }

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
    std::string wireNote;         // said in the custom wire's tip: its outside diameter estimated
    double leads = 0;             // inches of wire for each lead
    double capacitorQ = kDefaultCapacitorQ;
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

bool Positive(double v)
{
    return v > 0 && std::isfinite(v);
}

// "0.25mm": a metric wire, named by its copper's diameter.
bool EndsInMm(std::string_view name)
{
    return name.size() > 2 && (name[name.size() - 2] | 0x20) == 'm' && (name.back() | 0x20) == 'm';
}

// A custom wire's diameter in inches: the named wire's (for the bare field a
// gauge's copper, or the diameter "0.25mm" names), else the number in the unit.
std::optional<double> WireDiameter(const Reader &r, const Input &input, const std::optional<Wire> &named, bool bare)
{
    if (named)
        return bare && !EndsInMm(named->name) ? named->bareDiameter : named->outsideDiameter;
    const std::optional<double> value = r.read(input, true);
    Require(!value || Positive(*value), r, input, "must be above 0");
    return value ? std::optional(r.inches(*value)) : std::nullopt;
}

// The custom wire: either diameter, or both, each a number in the unit or a
// wire's name; a Litz wire's name in the outside field. Nothing given: no custom wire.
void ReadCustomWire(const Reader &r, Inputs &in)
{
    const Input &outside = InputNamed(control::kWireOd), &bareInput = InputNamed(control::kWireBare);
    if (std::optional<Wire> litz = r.litz(outside)) {
        Require(!r.read(bareInput, true), r, bareInput, "must be empty for a Litz wire: its copper is its strands'");
        in.custom = std::move(litz);
        return;
    }
    const std::optional<Wire> odWire = r.named(outside), bareWire = r.named(bareInput);
    const std::optional<double> od = WireDiameter(r, outside, odWire, false);
    const std::optional<double> bare = WireDiameter(r, bareInput, bareWire, true);
    if (!od && !bare)
        return;
    Require(!od || !bare || *bare <= *od, r, bareInput, "must not be above the outside diameter");
    const std::string name = odWire ? odWire->name : bareWire ? bareWire->name : "custom";
    const bool metric = bareWire && EndsInMm(bareWire->name);
    if (od) { // enamel takes about 4 % of the diameter on each side
        in.custom = Wire{name, *od, bare ? *bare : odWire ? odWire->bareDiameter : DefaultBareDiameter(*od)};
    } else if (bareWire && !metric) {
        in.custom = Wire{name, bareWire->outsideDiameter, *bare}; // the gauge's own enamel
    } else {
        in.custom = Wire{name, *bare / kBareOfOutside, *bare};
        in.wireNote = "the outside diameter estimated as the bare / " + r.number(kBareOfOutside);
    }
}

Inputs ReadInputs(const FieldAccess &fields, const Reader &r)
{
    const Input &diameter = InputNamed(control::kDiameter), &cmin = InputNamed(control::kCmin),
                &cmax = InputNamed(control::kCmax), &stray = InputNamed(control::kStray),
                &low = InputNamed(control::kBandLow), &high = InputNamed(control::kBandHigh),
                &pitch = InputNamed(control::kPitch);
    Inputs in;
    in.diameter = *r.read(diameter);
    Require(Positive(in.diameter), r, diameter, "must be above 0");
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
    const Input &capacitorQ = InputNamed(control::kCapacitorQ);
    in.capacitorQ = *r.read(capacitorQ);
    Require(Positive(in.capacitorQ), r, capacitorQ, "must be above 0");
    in.band.low = *r.read(low);
    Require(Positive(in.band.low), r, low, "must be above 0");
    in.band.high = *r.read(high);
    Require(in.band.high > in.band.low && std::isfinite(in.band.high), r, high,
            "must be above the low end (" + r.number(in.band.low) + " kHz)");
    in.pitch = r.read(pitch, true);
    Require(!in.pitch || Positive(*in.pitch), r, pitch, "must be above 0");
    if (in.pitch)
        in.pitch = r.inches(*in.pitch);
    Require(!in.pitch || !in.flat || !in.flat->spokes, r, pitch,
            "is a spiderweb's own, a wire from turn to turn; leave it empty");
    if (in.flat)
        in.flat->pitch = in.pitch;
    const Input &leads = InputNamed(control::kLeads);
    in.leads = r.read(leads, true).value_or(0);
    Require(in.leads >= 0 && std::isfinite(in.leads), r, leads, "must not be below 0");
    in.leads = r.inches(in.leads);
    ReadCustomWire(r, in);
    return in;
}

// The wire length column: here the wire to buy, with the leads.
constexpr std::string_view kWireLengthKey = "wire_ft";

std::span<const CoilColumn> ColumnsFor(bool flat)
{
    return flat ? FlatCoilColumns() : RealCoilColumns();
}

std::vector<std::string> Headers(const Reader &r, bool flat)
{
    std::vector<std::string> headers;
    for (const CoilColumn &column : ColumnsFor(flat))
        if (Shows(Face::Design, column))
            headers.emplace_back(column.key.inches == kWireLengthKey ? (r.mm() ? "Wire to buy (m)" : "Wire to buy (ft)")
                                                                     : column.header.in(r.mm()));
    headers.emplace_back("Note");
    return headers;
}

// Why a tuned coil cannot be wound as designed: too long for its form; "" when it can.
std::string TooLong(const Reader &r, const Inputs &in, const RealCoil &coil)
{
    const double mm = kMillimetresPerInch;
    const auto length = [&r, mm](double inches) {
        return FormatNumber(r.mm() ? inches * mm : inches, {.significant = 4, .decimal = r.separators().decimal}) +
            " " + std::string(UnitText(Unit::Length, r.mm()));
    };
    if (in.flat)
        return coil.coilDiameter * mm > kLongestMm
            ? "Too wide to wind: " + length(coil.coilDiameter) + " across, more than 300 mm."
            : "";
    if (coil.windingLength <= kLongestRatio * in.diameter && coil.windingLength * mm <= kLongestMm)
        return "";
    return "Too long to wind: " + length(coil.windingLength) + " of winding on a " + length(in.diameter) +
        " form, more than 8 diameters or 300 mm.";
}

// The wire to buy's tip: what it allows for the two leads.
std::string LeadsTip(const Reader &r, double leadInches)
{
    if (!(leadInches > 0))
        return "\nwith nothing for the leads";
    return "\nwith 2 × " + r.number(r.mm() ? leadInches * kMillimetresPerInch : leadInches) + " " +
        std::string(UnitText(Unit::Length, r.mm())) + " for the leads";
}

// What a cell sorts by: its number, a yes as 1, a text as 0.
double SortKey(const CoilValue &value)
{
    if (const double *number = std::get_if<double>(&value))
        return *number;
    if (const bool *yes = std::get_if<bool>(&value))
        return double(*yes);
    return 0;
}

// A row's last cell: a coil too long (too wide) to wind, a self-capacitance
// outside Medhurst's measurements; `buildable` set when this coil covers the band and can be wound.
Cell NoteCell(const Reader &r, const Inputs &in, const TunedCoil *tuned, bool &buildable)
{
    const std::string tooLong = tuned ? TooLong(r, in, tuned->coil) : "";
    std::vector<std::string> texts, tips;
    if (!tooLong.empty()) {
        texts.emplace_back(in.flat ? "too wide" : "too long");
        tips.push_back(tooLong);
    }
    if (tuned && !tuned->coil.note.empty()) {
        texts.emplace_back("C self a guess");
        tips.push_back("Its own capacitance is a guess: " + tuned->coil.note + ".");
    }
    const auto join = [](const std::vector<std::string> &parts, std::string_view between) {
        std::string out;
        for (const std::string &part : parts)
            out += (out.empty() ? "" : std::string(between)) + part;
        return out;
    };
    buildable = buildable || (tuned && tuned->covered && tooLong.empty());
    return {join(texts, "; "), join(tips, "\n")};
}

// A wire's cells: its tuned coil, each tip ending with the coil's note when
// it has one, or the wire and, in every other cell's tip, why it has none;
// the wire to buy with the two leads; last, the row's note, when it has one.
std::vector<Cell> Row(const Reader &r, const BandDesign &design, const Inputs &in, const TankAcrossBand *tank,
                      bool &buildable)
{
    const std::string_view decimal = r.separators().decimal;
    const bool flat = in.flat.has_value();
    const TunedCoil *tuned = design.tuned ? &*design.tuned : nullptr;
    CoilRow row{design.wire, tuned ? &tuned->coil : nullptr, tuned, r.mm(), in.band.low};
    row.tank = tank;
    const std::string note = tuned && !tuned->coil.note.empty() ? "\n" + tuned->coil.note : "";
    RealCoil withLeads = tuned ? tuned->coil : RealCoil{};
    withLeads.wireLength += 2 * in.leads;
    CoilRow leadRow{design.wire, &withLeads, tuned, r.mm(), in.band.low};
    leadRow.tank = tank;
    const std::string leadsTip = LeadsTip(r, in.leads);
    std::vector<Cell> cells;
    for (const CoilColumn &column : ColumnsFor(flat)) {
        if (!Shows(Face::Design, column))
            continue;
        if (!row.has(column.needs)) {
            cells.push_back({std::string(column.noCoil), design.reason, -1});
            continue;
        }
        const bool wireLength = column.key.inches == kWireLengthKey;
        const CoilRow &shown = wireLength ? leadRow : row;
        std::string tip = WholeText(column, shown, decimal);
        if (wireLength)
            tip += leadsTip;
        else if (column.key.inches == "wire" && !in.wireNote.empty() && design.wire.name == in.custom->name)
            tip += "; " + in.wireNote;
        else
            tip += note;
        cells.push_back({ReadingText(column, shown, decimal), std::move(tip), SortKey(column.value(shown))});
    }
    cells.push_back(NoteCell(r, in, tuned, buildable));
    return cells;
}

// The capacitor and the band alone (the window's resonance formula): the
// inductance that puts the band's top at CMIN + stray, and where CMAX + stray takes it.
std::vector<std::string> Verdict(const Inputs &in, std::string_view decimal, bool buildable)
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
    if (!buildable)
        lines.emplace_back(
            "No wire here gives a coil that both tunes the whole band and can be wound: try a larger "
            "form, a larger CMAX or a thinner wire.");
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

// The inputs in one line, as typed: what a copied table was designed for.
std::string InputsLine(const FieldAccess &fields, const Reader &r, const Inputs &in)
{
    const auto text = [&fields](std::string_view control) {
        std::string t = fields.text(control);
        t.erase(0, t.find_first_not_of(" \t"));
        t.erase(t.find_last_not_of(" \t") + 1);
        return t;
    };
    std::string line = text(control::kCoilKind);
    if (in.flat && in.flat->spokes)
        line += " of " + text(control::kSpokes) + " spokes";
    line += ", form diameter " + r.given(control::kDiameter) + "; capacitor " + text(control::kCmin) + "–" +
        text(control::kCmax) + " pF, stray " + text(control::kStray) + " pF; band " + text(control::kBandLow) + "–" +
        text(control::kBandHigh) + " kHz";
    if (in.custom) {
        line += "; custom wire";
        if (!text(control::kWireOd).empty())
            line += " outside " + r.given(control::kWireOd);
        if (!text(control::kWireBare).empty())
            line += " bare " + r.given(control::kWireBare);
    }
    line += in.pitch ? "; pitch " + r.given(control::kPitch) : "; close-wound";
    if (in.leads > 0)
        line += "; leads 2 × " + r.given(control::kLeads);
    return line;
}

} // namespace

bool StartsInMillimetres(std::string_view region)
{
    return region != "US" && region != "LR" && region != "MM";
}

std::string Placeholder(const Input &input, bool mm, const Separators &separators)
{
    if (input.kind != Kind::Number || !input.initial.empty() || input.example <= 0)
        return {};
    return "e.g. " + Example(input, mm, separators.decimal);
}

std::string MetricWireName(double mm, const Separators &separators)
{
    const int decimals = std::lround(mm * 1000) % 10 != 0 ? 3 : 2; // as IEC 60317 writes them: 0,10 0,112 1,00
    return FormatNumber(mm, {.decimals = decimals, .keepTrailingZeros = true, .decimal = separators.decimal}) + "mm";
}

std::vector<std::string> MetricWireLabels(const Separators &separators)
{
    std::vector<std::string> labels;
    for (const double mm : kMetricWires) {
        std::string name = MetricWireName(mm, separators);
        labels.push_back(name.insert(name.size() - 2, " "));
    }
    return labels;
}

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

std::vector<std::pair<std::string_view, std::string>> InitialTexts(const Separators &separators, bool mm)
{
    std::vector<std::pair<std::string_view, std::string>> texts;
    for (const Input &input : kInputs) {
        if (input.kind == Kind::Presets || input.kind == Kind::Sizes)
            continue; // a list shows the preset its fields hold
        const std::string_view initial = input.kind == Kind::Units ? (mm ? kMillimetre : kInch)
            : mm && !input.initialMm.empty()                       ? input.initialMm
                                                                   : input.initial;
        const bool number = input.kind == Kind::Number && !initial.empty();
        texts.emplace_back(input.control,
                           number ? FormatNumber(ParseNumber(initial), separators.decimal) : std::string(initial));
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

// A row's drawing for printing: a flat coil's form or a solenoid's winding card
// (the Leads field's wire for each lead); "" with no coil.
std::string Drawing(const Inputs &in, const BandDesign &design)
{
    if (!design.tuned)
        return {};
    const RealCoil &coil = design.tuned->coil;
    try {
        if (in.flat)
            return forms::FlatFormSvg(MakeFlatCoil(*in.flat, design.wire, coil.turns), in.band);
        forms::Card card = forms::CardOf(coil, design.wire.name, in.diameter, in.band);
        card.leadAllowance = in.leads;
        return forms::WindingCardSvg(card);
    } catch (const CalcError &) { // the coil was designed; made again it holds
        return {};
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
    bool buildable = false;
    std::vector<Wire> wires = GaugeWires();
    if (in.custom)
        wires.push_back(*in.custom);
    double bestQ = 0;
    for (const Wire &wire : wires) {
        BandDesign design{wire, std::nullopt, {}};
        std::optional<TankAcrossBand> tank;
        try {
            design = in.flat ? DesignFlatForBand(*in.flat, wire, in.capacitor, in.band)
                             : DesignForBand(in.diameter, wire, in.capacitor, in.band, in.pitch);
            if (design.tuned && !in.flat)
                tank = TankOver(SolenoidOf(design.tuned->coil, wire), in.band, in.capacitorQ);
        } catch (const CalcError &error) { // this wire on this form: an answer for its row
            design.reason = error.what();
        }
        view.rows.push_back(Row(reader, design, in, tank ? &*tank : nullptr, buildable));
        view.drawings.push_back(Drawing(in, design));
        view.rows.back().front().sortKey = double(view.rows.size()); // the wires in their own order
        if (tank && design.tuned->covered && tank->coilQ[TankAcrossBand::Middle] > bestQ) {
            bestQ = tank->coilQ[TankAcrossBand::Middle];
            view.best = int(view.rows.size()) - 1;
        }
    }
    if (view.best >= 0) { // in words, for every reader: not by colour alone
        Cell &wire = view.rows[std::size_t(view.best)].front();
        wire.text += " (best Q)";
        wire.whole += "\nThe best of the covered coils: the highest Q in the band's middle, " +
            FormatNumber(bestQ, {.significant = 4, .plainUpTo = 14, .decimal = separators.decimal}) + ".";
    }
    view.verdict = Verdict(in, separators.decimal, buildable);
    view.inputs = InputsLine(fields, reader, in);
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
    std::string out = view.inputs + "\n" + line(view.headers, [](const std::string &h) { return h; });
    for (const std::vector<Cell> &row : view.rows)
        out += line(row, [](const Cell &c) { return c.text; });
    return out;
}

std::string CsvText(const View &view)
{
    if (view.rows.empty())
        return {};
    const auto field = [](const std::string &text) {
        if (text.find_first_of(",\"\r\n") == std::string::npos)
            return text;
        std::string quoted = "\"";
        for (const char c : text)
            quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
        return quoted + "\"";
    };
    const auto line = [&field](const auto &cells, auto text) {
        std::string out;
        for (std::size_t i = 0; i < cells.size(); ++i)
            out += (i ? "," : "") + field(text(cells[i]));
        return out + "\r\n";
    };
    std::string out = field(view.inputs) + "\r\n" + line(view.headers, [](const std::string &h) { return h; });
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
        forms::Card card = forms::CardOf(design.tuned->coil, wire.name, in.diameter, in.band);
        card.leadAllowance = in.leads;
        return RowCoil{in.diameter, wire, design.tuned->coil.turns, in.pitch, in.capacitor, in.capacitorQ,
                       in.band,     card};
    } catch (const CalcError &) {
        return std::nullopt;
    }
}

} // namespace spirelle::design
