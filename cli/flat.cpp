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

std::optional<FlatForm> ReadKind(std::string_view kind, int spokes)
{
    if (kind == "solenoid")
        return std::nullopt;
    if (kind == "spiral")
        return FlatForm{0, 0, std::nullopt};
    if (kind == "spider")
        return FlatForm{0, spokes, std::nullopt};
    throw UsageError("--kind: " + Quote(kind, kArgumentQuote) + " is not a coil kind; give solenoid, spider or spiral");
}

void CheckFlatForms(std::span<const double> diameters, std::string_view diameterName, FlatForm form,
                    const std::vector<Wire> &wires, const Lengths &lengths)
{
    form.pitch = std::nullopt;
    for (const double diameter : diameters) {
        form.innerDiameter = lengths.inches(diameter);
        for (const Wire &wire : wires) {
            try {
                CheckFlatForm(form, wire);
            } catch (const CalcError &error) {
                const std::string detail(error.detail());
                if (error.text() == "spokes")
                    throw UsageError("--spokes: " + detail);
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

Outcome Flat(const CaseSweep<FlatCase> &sweep, FlatForm form, const Winding &winding, const Lengths &lengths,
             Format format, Sink &out)
{
    if (!form.spokes)
        form.pitch = winding.pitch;
    std::vector<Column> columns;
    if (form.spokes)
        columns.push_back({"spokes", "spokes", {.decimals = 0}, 9});
    const std::vector<Column> coil = CoilColumns(lengths, Face::Wind, true); // the note last
    columns.insert(columns.end(), coil.begin(), coil.end());
    const auto writer = MakeWriter(format, columns, out);
    std::vector<Cell> cells;
    std::string note;
    sweep.forEach([&](const FlatCase &one, std::span<const double> in) {
        FlatForm shape = form;
        shape.innerDiameter = lengths.inches(one.inner);
        for (std::size_t i = 0; i < winding.wires.size(); ++i) {
            const Wire &wire = winding.wires[i];
            cells.clear();
            if (form.spokes)
                cells.emplace_back(double(form.spokes));
            try {
                if (const std::string misfit = winding.misfit(i, shape.innerDiameter, lengths); !misfit.empty()) {
                    cells.emplace_back(std::string_view(wire.name));
                    writer->failed(cells, misfit);
                    continue;
                }
                const RealCoil coil = AsRealCoil(MakeFlatCoil(shape, wire, int(one.turns)));
                AppendCoilCells(cells, note, wire, &coil, "", shape.innerDiameter, lengths, true);
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
