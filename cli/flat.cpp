#include "cli/flat.h"

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/quote.h"
#include "calc/wire.h"

#include <cmath>

namespace spirelle::cli {
namespace {

// One value of an option: a number, not a range.
double OneValue(std::string_view name, std::string_view text)
{
    const std::vector<double> values = ParseValues(name, text);
    if (values.size() != 1)
        throw UsageError(std::string(name) + ": " + Quote(text, kArgumentQuote) + " is a range; give one number");
    return values[0];
}

} // namespace

std::vector<Wire> NamedWires(std::string_view wireText, std::string_view bareText, const Lengths &lengths)
{
    if (wireText.empty())
        return GaugeWires();
    Wire wire;
    try {
        wire = ParseWire(wireText, lengths.millimetres ? LengthUnit::Millimetres : LengthUnit::Inches);
    } catch (const WireError &error) {
        throw UsageError("--wire: " + Quote(wireText, kArgumentQuote) +
                         " is not a wire; give a gauge (awg24, swg22), a diameter in mm (0.5mm) or one in " +
                         (lengths.millimetres ? "millimetres" : "inches"));
    }
    if (!bareText.empty()) {
        const double bare = OneValue("--bare", bareText);
        if (!(bare > 0))
            throw UsageError("--bare: a wire's diameter must be above 0");
        wire.bareDiameter = lengths.inches(bare);
        if (wire.bareDiameter > wire.outsideDiameter)
            throw UsageError("--bare " + std::string(bareText) +
                             " is above the wire's outside diameter; the copper "
                             "is inside the enamel");
    }
    return {wire};
}

int ReadSpokes(std::string_view text)
{
    if (text.empty())
        return kDefaultSpokes;
    const double spokes = OneValue("--spokes", text);
    if (spokes != std::floor(spokes) || spokes < 5 || spokes > 1001 || std::fmod(spokes, 2.0) == 0)
        throw UsageError("--spokes: " + Quote(text, kArgumentQuote) +
                         " is not an odd whole number of spokes, 5 or more (the wire weaves over and under them)");
    return int(spokes);
}

std::optional<double> ReadPitch(std::string_view text, const Lengths &lengths)
{
    if (text.empty())
        return std::nullopt;
    const double pitch = OneValue("--pitch", text);
    if (!(pitch > 0))
        throw UsageError("--pitch: the pitch must be above 0");
    return lengths.inches(pitch);
}

std::optional<FlatForm> ReadKind(std::string_view kind, int spokes, std::optional<double> pitch)
{
    if (kind == "solenoid")
        return std::nullopt;
    if (kind == "spiral")
        return FlatForm{0, 0, pitch};
    if (kind == "spider")
        return FlatForm{0, spokes, std::nullopt};
    throw UsageError("--kind: " + Quote(kind, kArgumentQuote) + " is not a coil kind; give solenoid, spider or spiral");
}

void CheckFlatForms(std::span<const double> diameters, std::string_view diameterName, FlatForm form,
                    const std::vector<Wire> &wires, const Lengths &lengths)
{
    for (const double diameter : diameters) {
        form.innerDiameter = lengths.inches(diameter);
        for (const Wire &wire : wires) {
            try {
                CheckFlatForm(form, wire);
            } catch (const CalcError &error) {
                const std::string detail(error.detail());
                if (error.text() == "pitch")
                    throw UsageError("--pitch with the wire " + wire.name + ": " + detail);
                throw UsageError(std::string(diameterName) + " " + FormatNumber(diameter) + " with the wire " +
                                 wire.name + ": " + detail);
            }
        }
    }
}

void CheckFlatTurns(std::span<const double> turns)
{
    for (const double n : turns)
        if (n != std::floor(n) || n < 1 || n > kMostFlatTurns)
            throw UsageError("TURNS " + FormatNumber(n) + " is not a whole number of turns from 1 to " +
                             std::to_string(kMostFlatTurns));
}

Outcome Flat(const CaseSweep<FlatCase> &sweep, const FlatForm &form, const std::vector<Wire> &wires,
             const Lengths &lengths, Format format, Sink &out)
{
    std::vector<Column> columns;
    if (form.spokes)
        columns.push_back({"spokes", "spokes", {.decimals = 0}, 9});
    const std::vector<Column> coil = CoilColumns(lengths, false, true);
    columns.insert(columns.end(), coil.begin(), coil.end());
    columns.push_back({"note", "note", {}, kWords});
    const auto writer = MakeWriter(format, columns, out);
    std::vector<Cell> cells;
    sweep.forEach([&](const FlatCase &one, std::span<const double> in) {
        FlatForm shape = form;
        shape.innerDiameter = lengths.inches(one.inner);
        for (const Wire &wire : wires) {
            cells.clear();
            if (form.spokes)
                cells.emplace_back(double(form.spokes));
            try {
                const FlatCoil flat = MakeFlatCoil(shape, wire, int(one.turns));
                AppendCoilCells(cells, wire, AsRealCoil(flat), lengths, true);
                cells.emplace_back(std::string_view(flat.note));
                writer->row(cells);
            } catch (const CalcError &error) {
                cells.emplace_back(std::string_view(wire.name));
                writer->failed(cells, FailureText(error, "the flat coil of the wire " + wire.name, sweep.sweep(), in));
            }
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
