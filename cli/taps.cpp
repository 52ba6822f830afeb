#include "cli/taps.h"

#include "calc/calc_error.h"
#include "cli/drawing.h"
#include "pages/coil_columns.h"

#include <string>
#include <vector>

namespace spirelle::cli {
namespace {

constexpr Column kTapColumns[] = {
    {"choice", "choice"},
    {"antenna_tap", "antenna tap", kAsTyped, 9},
    {"detector_tap", "detector tap", kAsTyped, 9},
    {"frequency_kHz", "kHz", kFourDigits, 9},
    {"loaded_q", "loaded Q", kFourDigits, 8},
    {"bandwidth_kHz", "bandwidth kHz", kFourDigits, 8},
    {"power_dB", "power dB", {.significant = 3, .plainUpTo = 14}, 8},
    {"note", "note"},
};

void ChoiceRows(Writer &writer, const TapChoice &choice)
{
    std::vector<Cell> cells;
    if (!choice.taps) {
        cells = {std::string_view(choice.choice), Gap{}, Gap{}, Gap{}, Gap{}, Gap{}, Gap{},
                 std::string_view(choice.note)};
        writer.row(cells);
        return;
    }
    for (const LoadedPoint &point : choice.points) {
        cells = {std::string_view(choice.choice), static_cast<double>(choice.taps->antenna),
                 static_cast<double>(choice.taps->detector), point.frequencyKHz};
        if (point.reached)
            cells.insert(cells.end(), {point.loadedQ, point.bandwidthKHz, point.powerDb});
        else
            cells.insert(cells.end(), {Gap{}, Gap{}, Gap{}});
        cells.emplace_back(std::string_view(point.note));
        writer.row(cells);
    }
}

std::string Story(const TapSolver &solver, const TapsCase &one, int digits)
{
    const auto n = [digits](double value) { return NumberText(value, digits); };
    const TappedCircuit &c = one.circuit;
    const Loads &loads = c.loads;
    std::string out = std::to_string(c.turns) + " turns of " + c.wire.name + ", " +
        n(RoundWireInductance(c.formDiameter, c.wire, c.turns, PitchOf(c.wire, c.pitch))) + " uH, " +
        n(solver.selfCapacitance()) + " pF of its own; AC resistance " + n(solver.resistance(0)) + ", " +
        n(solver.resistance(1)) + ", " + n(solver.resistance(2)) + " ohm at " + n(solver.points()[0]) + ", " +
        n(solver.points()[1]) + ", " + n(solver.points()[2]) + " kHz\n";
    out += "antenna " + n(loads.antennaOhm) + " ohm and " + n(loads.antennaPf) + " pF, detector " +
        n(loads.detectorOhm) + " ohm, capacitor Q " + n(c.capacitorQ) +
        "; power against the antenna's available V^2/(4 R_a)\n\n";
    return out;
}

} // namespace

Outcome Taps(const TapsCase &one, Format format, Sink &out)
{
    std::optional<TapSolver> solver;
    const auto writer = [&] { return MakeWriter(format, kTapColumns, out); };
    try {
        solver.emplace(one.circuit, one.band, CoilAcResistance(one.circuit));
    } catch (const CalcError &error) {
        const auto table = writer();
        const std::vector<Cell> none;
        table->failed(none, error.what());
        Outcome outcome = table->finish();
        if (!one.svg.empty())
            throw OutputError("--svg " + one.svg + ": no drawing: " + error.what());
        return outcome;
    }
    if (format.kind == Format::Table)
        out.write(Story(*solver, one, format.digits));
    const auto table = writer();
    std::optional<spirelle::Taps> marked = one.given;
    if (one.given) {
        ChoiceRows(*table, GivenTaps(*solver, *one.given));
    } else {
        // The card marks the last pair there is: within_bandwidth's, else most_power's.
        for (const TapChoice &choice : ChooseTaps(*solver, one.bandwidthKHz)) {
            ChoiceRows(*table, choice);
            if (choice.taps)
                marked = choice.taps;
        }
    }
    Outcome outcome = table->finish();
    if (!one.svg.empty()) {
        const TappedCircuit &c = one.circuit;
        DrawSolenoid(one.svg, c.formDiameter, c.wire, c.turns, PitchOf(c.wire, c.pitch), marked);
    }
    return outcome;
}

} // namespace spirelle::cli
