#include "cli/commands.h"

#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/number_parse.h"
#include "calc/wire_gauges.h"
#include "pages/coil_columns.h"

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

// Each column's rounding for reading and its priority: what a narrow table
// keeps longest (the arguments, the gauge, the length and the inductance)
// above what it leaves out first (Wheeler's deviation, the inches per turn).
constexpr Column kCoilColumns[] = {
    {"diameter_in", "diameter in", kAsTyped, 9},
    {"turns", "turns", kTurns, 9},
    {"gauge", "gauge", {}, 10},
    {"inches_per_turn", "in/turn", kFourDecimals, 3},
    {"length_in", "length in", kThreeDecimals, 8},
    {"wheeler_uH", "Wheeler uH", kFourDigits, 7},
    {"current_sheet_uH", "current sheet uH", kFourDigits, 6},
    {"wheeler_diff_percent", "Wheeler diff %", kFourDigits, 2},
    {"wire_ft", "wire ft", kWhole, 5}, // whole feet, as the window writes them
};

constexpr Column kLooseColumns[] = {
    {"diameter_in", "diameter in", kAsTyped, 9},
    {"turns", "turns", kTurns, 9},
    {"length_in", "length in", kAsTyped, 8},
    {"wheeler_uH", "Wheeler uH", kFourDigits, 7},
    {"current_sheet_uH", "current sheet uH", kFourDigits, 6},
    {"wheeler_diff_percent", "Wheeler diff %", kFourDigits, 2},
    {"length_over_diameter", "length/diameter", kFourDigits, 3},
};

constexpr Column kLcColumns[] = {
    {"inductance_uH", "inductance uH", kAsTyped, 9},
    {"capacitance_pF", "capacitance pF", kAsTyped, 9},
    {"frequency_MHz", "frequency MHz", kFourDigits, 9},
};

// Wheeler's deviation from the current sheet in percent; a gap where the sheet
// is undefined or zero.
Cell DeviationCell(double wheeler, const std::optional<double> &currentSheet)
{
    if (!currentSheet || *currentSheet == 0.0)
        return Gap{};
    return WheelerDeviationPercent(wheeler, *currentSheet);
}

// The gauges' inches per turn, read once.
const std::array<double, kGauges> &InchesPerTurn()
{
    static const std::array<double, kGauges> values = [] {
        std::array<double, kGauges> read{};
        for (std::size_t g = 0; g < kGauges; ++g)
            read[g] = ParseNumber(kWireGauges[g].inchesPerTurn);
        return read;
    }();
    return values;
}

} // namespace

Outcome Coil(const CaseSweep<CoilCase> &sweep, Format format, Sink &out)
{
    const auto writer = MakeWriter(format, kCoilColumns, out);
    sweep.forEach([&](const CoilCase &one, std::span<const double> in) {
        const auto [diameter, turns] = one;
        for (std::size_t g = 0; g < kGauges; ++g) {
            const double inchesPerTurn = InchesPerTurn()[g];
            const char *stage = "the coil's length";
            try {
                // The length as the window writes it and reads it back: 15 digits, not the raw product.
                const double length = CloseWoundLengthAsShown(inchesPerTurn, turns);
                stage = "the Wheeler inductance";
                const double wheeler = WheelerInductance(diameter, turns, length);
                stage = "the feet of wire";
                const double feet = WireFeet(diameter, turns);
                stage = "the current sheet";
                const auto sheet = CurrentSheetInductance(diameter, turns, length);
                const Cell row[] = {diameter, turns,           kWireGauges[g].name,           inchesPerTurn, length,
                                    wheeler,  Optional(sheet), DeviationCell(wheeler, sheet), feet};
                writer->row(row);
            } catch (const CalcError &error) {
                const Cell known[] = {diameter, turns, kWireGauges[g].name, inchesPerTurn};
                writer->failed(known, FailureText(error, stage, sweep.sweep(), in));
            }
        }
    });
    return writer->finish();
}

Outcome Loose(const CaseSweep<LooseCase> &sweep, Format format, Sink &out)
{
    const auto writer = MakeWriter(format, kLooseColumns, out);
    sweep.forEach([&](const LooseCase &one, std::span<const double> in) {
        const auto [diameter, turns, length] = one;
        try {
            const double wheeler = WheelerInductance(diameter, turns, length);
            const auto sheet = CurrentSheetInductance(diameter, turns, length);
            // A form of no diameter has no ratio: NaN, which the writers show as a gap.
            const double ratio = diameter > 0 ? length / diameter : NAN;
            const Cell row[] = {diameter, turns, length, wheeler, Optional(sheet), DeviationCell(wheeler, sheet),
                                ratio};
            writer->row(row);
        } catch (const CalcError &error) {
            const Cell known[] = {diameter, turns, length};
            writer->failed(known, FailureText(error, "the Wheeler inductance", sweep.sweep(), in));
        }
    });
    return writer->finish();
}

Outcome Lc(const CaseSweep<LcCase> &sweep, Format format, Sink &out)
{
    const auto writer = MakeWriter(format, kLcColumns, out);
    sweep.forEach([&](const LcCase &one, std::span<const double> in) {
        try {
            const Cell row[] = {one.inductance, one.capacitance, ResonantFrequency(one.inductance, one.capacitance)};
            writer->row(row);
        } catch (const CalcError &error) {
            const Cell known[] = {one.inductance, one.capacitance};
            writer->failed(known, FailureText(error, "the frequency", sweep.sweep(), in));
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
