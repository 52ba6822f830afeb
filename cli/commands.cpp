#include "cli/commands.h"

#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/number_parse.h"
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
                const Cell row[] = {diameter, turns,           kWireGauges[g].name, inchesPerTurn, length,
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
