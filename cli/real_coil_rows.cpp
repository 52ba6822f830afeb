#include "cli/real_coil_rows.h"

#include "calc/quote.h"
#include "cli/arguments.h"
#include "pages/coil_columns.h"

#include <variant>

namespace spirelle::cli {
namespace {

// One length option's value: a single number above 0.
double OneLength(std::string_view name, std::string_view text, const Lengths &lengths)
{
    const std::vector<double> values = ParseValues(name, text);
    if (values.size() != 1)
        throw UsageError(std::string(name) + ": " + Quote(text, kArgumentQuote) + " is a range; give one number");
    if (!(values[0] > 0))
        throw UsageError(std::string(name) + ": a wire's diameter must be above 0");
    return lengths.inches(values[0]);
}

// The row's cells, a column's value or a gap where the row has no value for it.
void AppendCells(std::vector<Cell> &cells, const CoilRow &row, bool band, bool flat)
{
    for (const CoilColumn &column : flat ? FlatCoilColumns() : RealCoilColumns()) {
        if (column.needs == Needs::Band && !band)
            continue;
        if (row.has(column.needs))
            std::visit([&cells](auto value) { cells.emplace_back(value); }, column.value(row));
        else
            cells.emplace_back(Gap{});
    }
}

} // namespace

double Lengths::inches(double typed) const
{
    return millimetres ? typed / kMillimetresPerInch : typed;
}

std::vector<Wire> WiresFor(std::string_view wireText, std::string_view bareText, const Lengths &lengths)
{
    std::vector<Wire> wires = GaugeWires();
    if (wireText.empty())
        return wires;
    const double outside = OneLength("--wire", wireText, lengths);
    const double bare = bareText.empty() ? DefaultBareDiameter(outside) : OneLength("--bare", bareText, lengths);
    if (bare > outside)
        throw UsageError("--bare " + std::string(bareText) + " is above --wire " + std::string(wireText) +
                         "; the copper is inside the enamel");
    wires.push_back({"custom", outside, bare});
    return wires;
}

std::vector<Column> CoilColumns(const Lengths &lengths, bool band, bool flat)
{
    std::vector<Column> columns;
    for (const CoilColumn &column : flat ? FlatCoilColumns() : RealCoilColumns())
        if (band || column.needs != Needs::Band)
            columns.push_back({column.key.in(lengths.millimetres), column.title.in(lengths.millimetres),
                               column.rounding, column.priority});
    if (band)
        columns.push_back({"note", "note", {}, kWords});
    return columns;
}

void AppendCoilCells(std::vector<Cell> &cells, const BandDesign &design, const Lengths &lengths, bool flat)
{
    const TunedCoil *tuned = design.tuned ? &*design.tuned : nullptr;
    AppendCells(cells, {design.wire, tuned ? &tuned->coil : nullptr, tuned, lengths.millimetres}, true, flat);
    // The note: why the wire has no coil.
    cells.emplace_back(tuned ? Cell(Gap{}) : Cell(std::string_view(design.reason)));
}

void AppendCoilCells(std::vector<Cell> &cells, const Wire &wire, const RealCoil &coil, const Lengths &lengths,
                     bool flat)
{
    AppendCells(cells, {wire, &coil, nullptr, lengths.millimetres}, false, flat);
}

} // namespace spirelle::cli
