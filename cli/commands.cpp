#include "cli/commands.h"

#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/number_text.h"
#include "calc/wire_gauges.h"

#include <array>
#include <cmath>
#include <optional>

namespace spirelle::cli {
namespace {

constexpr std::size_t kGauges = std::size(kWireGauges);

Cell Optional(const std::optional<double> &value)
{
    return value ? Cell(*value) : Cell(Gap{});
}

constexpr Column kCoilColumns[] = {
    {"diameter_in", "diameter in"},
    {"turns", "turns"},
    {"gauge", "gauge"},
    {"inches_per_turn", "in/turn"},
    {"length_in", "length in"},
    {"wheeler_uH", "Wheeler uH"},
    {"current_sheet_uH", "current sheet uH"},
    {"wheeler_diff_percent", "Wheeler diff %"},
    {"wire_ft", "wire ft"},
};

constexpr Column kLooseColumns[] = {
    {"diameter_in", "diameter in"},
    {"turns", "turns"},
    {"length_in", "length in"},
    {"wheeler_uH", "Wheeler uH"},
    {"current_sheet_uH", "current sheet uH"},
    {"wheeler_diff_percent", "Wheeler diff %"},
    {"length_over_diameter", "length/diameter"},
};

constexpr Column kLcColumns[] = {
    {"inductance_uH", "inductance uH"},
    {"capacitance_pF", "capacitance pF"},
    {"frequency_MHz", "frequency MHz"},
};

// Wheeler's deviation from the current sheet in percent; a gap where the sheet
// is undefined or zero.
Cell DeviationCell(double wheeler, const std::optional<double> &currentSheet)
{
    if (!currentSheet || *currentSheet == 0.0)
        return Gap{};
    return WheelerDeviationPercent(wheeler, *currentSheet);
}

} // namespace

std::string Coil(const Sweep &sweep, Format format)
{
    const auto writer = MakeWriter(format, kCoilColumns);
    sweep.forEach([&](std::span<const double> in) {
        const double diameter = in[0];
        const double turns = in[1];
        // In the window's order: all six lengths, then the inductances, then the wire.
        std::array<double, kGauges> inchesPerTurn{};
        std::array<double, kGauges> length{};
        for (std::size_t g = 0; g < kGauges; ++g) {
            inchesPerTurn[g] = ParseNumber(kWireGauges[g].inchesPerTurn);
            // The length as the window writes it and reads it back: 15 digits, not the raw product.
            length[g] = CloseWoundLengthAsShown(inchesPerTurn[g], turns);
        }
        std::array<double, kGauges> wheeler{};
        for (std::size_t g = 0; g < kGauges; ++g)
            wheeler[g] = WheelerInductance(diameter, turns, length[g]);
        const double feet = WireFeet(diameter, turns);
        for (std::size_t g = 0; g < kGauges; ++g) {
            const auto sheet = CurrentSheetInductance(diameter, turns, length[g]);
            const Cell row[] = {diameter,  turns,          kWireGauges[g].name,
                                inchesPerTurn[g], length[g], wheeler[g],
                                Optional(sheet),  DeviationCell(wheeler[g], sheet), feet};
            writer->row(row);
        }
    });
    return writer->finish();
}

std::string Loose(const Sweep &sweep, Format format)
{
    const auto writer = MakeWriter(format, kLooseColumns);
    sweep.forEach([&](std::span<const double> in) {
        const double diameter = in[0];
        const double turns = in[1];
        const double length = in[2];
        const double wheeler = WheelerInductance(diameter, turns, length);
        const auto sheet = CurrentSheetInductance(diameter, turns, length);
        // A form of no diameter has no ratio: NaN, which the writers show as a gap.
        const double ratio = diameter > 0 ? length / diameter : NAN;
        const Cell row[] = {diameter, turns, length, wheeler, Optional(sheet), DeviationCell(wheeler, sheet), ratio};
        writer->row(row);
    });
    return writer->finish();
}

std::string Lc(const Sweep &sweep, Format format)
{
    const auto writer = MakeWriter(format, kLcColumns);
    sweep.forEach([&](std::span<const double> in) {
        const Cell row[] = {in[0], in[1], ResonantFrequency(in[0], in[1])};
        writer->row(row);
    });
    return writer->finish();
}

} // namespace spirelle::cli
