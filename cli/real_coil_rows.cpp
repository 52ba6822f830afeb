#include "cli/real_coil_rows.h"

#include "cli/arguments.h"

namespace spirelle::cli {
namespace {

// A column whose key and title name the unit.
struct LengthColumn {
    Column inches;
    Column millimetres;
};

constexpr LengthColumn kCoilDiameter{{"coil_diameter_in", "coil dia in"}, {"coil_diameter_mm", "coil dia mm"}};
constexpr LengthColumn kWindingLength{{"winding_length_in", "length in"}, {"winding_length_mm", "length mm"}};
constexpr LengthColumn kWireLength{{"wire_ft", "wire ft"}, {"wire_m", "wire m"}};

Column Of(const LengthColumn &column, const Lengths &lengths)
{
    return lengths.millimetres ? column.millimetres : column.inches;
}

// One length option's value: a single number above 0.
double OneLength(std::string_view name, std::string_view text, const Lengths &lengths)
{
    const std::vector<double> values = ParseValues(name, text);
    if (values.size() != 1)
        throw UsageError(std::string(name) + ": \"" + std::string(text) + "\" is a range; give one number");
    if (!(values[0] > 0))
        throw UsageError(std::string(name) + ": a wire's diameter must be above 0");
    return lengths.inches(values[0]);
}

void AppendCoil(std::vector<Cell> &cells, const RealCoil &coil, const Lengths &lengths)
{
    cells.insert(cells.end(), {double(coil.turns), lengths.shown(coil.coilDiameter),
                               lengths.shown(coil.windingLength), coil.inductance, coil.wheelerInductance,
                               coil.selfCapacitance});
}

} // namespace

double Lengths::inches(double typed) const
{
    return millimetres ? typed / kMillimetresPerInch : typed;
}

double Lengths::shown(double inches) const
{
    return millimetres ? inches * kMillimetresPerInch : inches;
}

double Lengths::wire(double inches) const
{
    return millimetres ? inches * kMillimetresPerInch / 1000.0 : inches / 12.0;
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

std::vector<Column> CoilColumns(const Lengths &lengths, bool band)
{
    std::vector<Column> columns = {{"wire", "wire"},
                                   {"turns", "turns"},
                                   Of(kCoilDiameter, lengths),
                                   Of(kWindingLength, lengths),
                                   {"inductance_uH", "L uH"},
                                   {"wheeler_uH", "Wheeler uH"},
                                   {"self_capacitance_pF", "C self pF"}};
    if (!band) {
        columns.push_back(Of(kWireLength, lengths));
        return columns;
    }
    columns.insert(columns.end(), {{"high_kHz", "high kHz"}, {"low_kHz", "low kHz"}, {"covered", "covered"},
                                   Of(kWireLength, lengths), {"note", "note"}});
    return columns;
}

void AppendCoilCells(std::vector<Cell> &cells, const BandDesign &design, const Lengths &lengths)
{
    cells.emplace_back(std::string_view(design.wire.name));
    if (!design.tuned) {
        // No coil: gaps for its ten values, then why.
        cells.insert(cells.end(), 10, Gap{});
        cells.emplace_back(std::string_view(design.reason));
        return;
    }
    const TunedCoil &tuned = *design.tuned;
    AppendCoil(cells, tuned.coil, lengths);
    cells.insert(cells.end(), {tuned.highKHz, tuned.lowKHz, tuned.covered, lengths.wire(tuned.coil.wireLength), Gap{}});
}

void AppendCoilCells(std::vector<Cell> &cells, const Wire &wire, const RealCoil &coil, const Lengths &lengths)
{
    cells.emplace_back(std::string_view(wire.name));
    AppendCoil(cells, coil, lengths);
    cells.emplace_back(lengths.wire(coil.wireLength));
}

} // namespace spirelle::cli
