#include "cli/tune.h"

#include "calc/band.h"
#include "calc/calc_error.h"
#include "calc/losses.h"
#include "calc/solenoid.h"
#include "pages/coil_columns.h"

#include <optional>

namespace spirelle::cli {
namespace {

// The capacitor and the band alone; each wire's own answer is in its row.
// In CSV and JSON only: the table's story says them in words.
constexpr Column kDesignColumns[] = {
    {"cmin_pF", "", kAsTyped, 8},
    {"cmax_pF", "", kAsTyped, 8},
    {"stray_pF", "", kAsTyped, 8},
    {"band_low_kHz", "", kAsTyped, 8},
    {"band_high_kHz", "", kAsTyped, 8},
    {"needed_ratio", "", kFourDigits, 3},
    {"capacitor_ratio", "", kFourDigits, 3},
    {"needed_inductance_uH", "", kFourDigits, 7},
    {"capacitor_lowest_kHz", "", kFourDigits, 7},
    {"capacitor_covers", "", {}, 9},
    {"cmax_to_cover_pF", "", kFourDigits, 6},
};

// The columns before a coil's: the arguments, named in the unit of lengths.
std::vector<Column> Columns(std::span<const Column> before, const Lengths &lengths, Face face, bool flat)
{
    std::vector<Column> columns(before.begin(), before.end());
    const std::vector<Column> coil = CoilColumns(lengths, face, flat);
    columns.insert(columns.end(), coil.begin(), coil.end());
    return columns;
}

// The flat form of a case: `flat` with the case's diameter as its inner one, and the pitch.
std::optional<FlatForm> FormOf(const std::optional<FlatForm> &flat, double inches, std::optional<double> pitch)
{
    std::optional<FlatForm> form = flat;
    if (form) {
        form->innerDiameter = inches;
        if (!form->spokes)
            form->pitch = pitch;
    }
    return form;
}

// One wire's answer for a case: its design and its tank over the band, or why it has none.
struct WireAnswer {
    std::optional<BandDesign> design;
    std::optional<TankAcrossBand> tank; // a solenoid's, tuned
    std::string failure;                // the row's error when there is no design
};

std::vector<WireAnswer> Answers(const Sweep &sweep, const TuneCase &one, std::span<const double> in,
                                const Winding &winding, const Lengths &lengths, const std::optional<FlatForm> &flat,
                                double capacitorQ)
{
    const double form = lengths.inches(one.diameter);
    const std::optional<FlatForm> shape = FormOf(flat, form, winding.pitch);
    std::vector<WireAnswer> answers(winding.wires.size());
    for (std::size_t i = 0; i < winding.wires.size(); ++i) {
        const Wire &wire = winding.wires[i];
        WireAnswer &answer = answers[i];
        answer.failure = winding.misfit(i, form, lengths);
        if (!answer.failure.empty())
            continue;
        try {
            answer.design = shape ? DesignFlatForBand(*shape, wire, one.capacitor(), one.band())
                                  : DesignForBand(form, wire, one.capacitor(), one.band(), winding.pitch);
            if (!shape && answer.design->tuned)
                answer.tank = TankOver(SolenoidOf(answer.design->tuned->coil, wire), one.band(), capacitorQ);
        } catch (const CalcError &error) {
            answer.design.reset();
            answer.failure = FailureText(error, "the turns of the wire " + wire.name, sweep, in);
        }
    }
    return answers;
}

// Each wire's row after `known`, the cells before the coil's: its design, or why it has none.
void WireRows(Writer &writer, std::vector<Cell> known, const std::vector<WireAnswer> &answers, const Winding &winding,
              double form, const Lengths &lengths, bool flat, Face face)
{
    const std::size_t before = known.size();
    std::string note;
    for (std::size_t i = 0; i < answers.size(); ++i) {
        const WireAnswer &answer = answers[i];
        known.resize(before);
        if (!answer.design) {
            known.emplace_back(std::string_view(winding.wires[i].name));
            writer.failed(known, answer.failure);
            continue;
        }
        AppendCoilCells(known, note, *answer.design, form, lengths, flat, answer.tank ? &*answer.tank : nullptr, face);
        writer.row(known);
    }
}

// The line naming the covered row of the highest Q in the band's middle; "" when none is covered.
std::string BestWire(const std::vector<WireAnswer> &answers, const Format &format)
{
    const WireAnswer *best = nullptr;
    for (const WireAnswer &answer : answers)
        if (answer.tank && answer.design->tuned->covered &&
            (!best || answer.tank->coilQ[TankAcrossBand::Middle] > best->tank->coilQ[TankAcrossBand::Middle]))
            best = &answer;
    if (!best)
        return {};
    const TankAcrossBand &t = *best->tank;
    return "best wire   " + best->design->wire.name +
        ", the covered coil of the highest Q: " + NumberText(t.coilQ[TankAcrossBand::Middle], format.digits) + " at " +
        NumberText(t.frequencyKHz[TankAcrossBand::Middle], format.digits) + " kHz, " +
        NumberText(t.bandwidthKHz[TankAcrossBand::Middle], format.digits) + " kHz wide\n";
}

// One combination: the capacitor and the band in words, then a row per wire.
Outcome Story(const Sweep &sweep, const TuneCase &one, std::span<const double> in, const Winding &winding,
              const Lengths &lengths, const std::optional<FlatForm> &flat, double capacitorQ, Format format, Sink &sink)
{
    const auto n = [&format](double value) { return NumberText(value, format.digits); };
    const auto [diameter, cmin, cmax, stray, low, high] = one;
    std::string out;
    std::optional<BandCoverage> coverage;
    try {
        coverage = CoverBand(one.capacitor(), one.band());
    } catch (const CalcError &error) {
        const std::string why = FailureText(error, "the inductance for the band", sweep, in);
        sink.write("band        " + n(low) + "-" + n(high) + " kHz with a capacitor of " + n(cmin) + "-" + n(cmax) +
                   " pF + " + n(stray) + " pF stray\nerror       " + why + "\n");
        return {1, 1, why};
    }
    const BandCoverage &b = *coverage;
    out += "band        " + n(low) + "-" + n(high) + " kHz needs a tuning ratio of " + n(b.neededRatio) +
        " ((HIGH/LOW)^2)\n";
    out += "capacitor   " + n(cmin) + "-" + n(cmax) + " pF + " + n(stray) + " pF stray = " + n(b.cLow) + "-" +
        n(b.cHigh) + " pF gives a ratio of " + n(b.capacitorRatio) + "\n";
    out += "inductance  " + n(b.inductance) + " uH tunes " + n(high) + " kHz at " + n(b.cLow) + " pF\n";
    out += "lowest      " + n(b.lowest) + " kHz at " + n(b.cHigh) + " pF\n";
    if (b.covered)
        out += "verdict     covered: the whole band tunes\n";
    else
        out += "verdict     falls short by " + n(b.lowest - low) + " kHz at the low end; a CMAX of " +
            n(b.cmaxToCover) + " pF would cover the band\n";
    const std::string unit(lengths.unit());
    const std::string wound = winding.pitch ? "wound at " +
            n(lengths.millimetres ? *winding.pitch * kMillimetresPerInch : *winding.pitch) + " " + unit + " a turn"
                                            : "close-wound";
    const std::string on = n(diameter) + " " + unit;
    if (!flat)
        out += "\nwhole turns " + wound + " on a " + on + " form, the coil's own capacitance added:\n";
    else if (flat->spokes)
        out += "\nwhole turns of a spiderweb of " + std::to_string(flat->spokes) + " spokes on a " + on +
            " hub, with the stray alone (its self-capacitance is not estimated):\n";
    else
        out += "\nwhole turns of a flat spiral " + (winding.pitch ? wound : std::string("close-wound")) + " from a " +
            on + " inside diameter, with the stray alone (its self-capacitance is not estimated):\n";
    const std::vector<WireAnswer> answers = Answers(sweep, one, in, winding, lengths, flat, capacitorQ);
    if (!flat)
        out += BestWire(answers, format);
    sink.write(out);
    const std::vector<Column> columns = CoilColumns(lengths, Face::TuneTable, flat.has_value());
    const auto table = MakeWriter(format, columns, sink);
    WireRows(*table, {}, answers, winding, lengths.inches(one.diameter), lengths, flat.has_value(), Face::TuneTable);
    return table->finish();
}

} // namespace

Outcome Tune(const CaseSweep<TuneCase> &sweep, const Winding &winding, const Lengths &lengths,
             const std::optional<FlatForm> &flat, double capacitorQ, Format format, Sink &out)
{
    if (format.kind == Format::Table) {
        Outcome outcome;
        sweep.forEach([&](const TuneCase &one, std::span<const double> in) {
            if (outcome.rows > 0)
                out.write("\n");
            outcome.add(Story(sweep.sweep(), one, in, winding, lengths, flat, capacitorQ, format, out));
        });
        return outcome;
    }
    std::vector<Column> before = {{lengths.millimetres ? "diameter_mm" : "diameter_in", "", kAsTyped, 9}};
    before.insert(before.end(), std::begin(kDesignColumns), std::end(kDesignColumns));
    const std::vector<Column> columns = Columns(before, lengths, Face::Tune, flat.has_value());
    const auto writer = MakeWriter(format, columns, out);
    sweep.forEach([&](const TuneCase &one, std::span<const double> in) {
        std::vector<Cell> known = {one.diameter, one.cmin, one.cmax, one.stray, one.low, one.high};
        try {
            const BandCoverage b = CoverBand(one.capacitor(), one.band());
            known.insert(known.end(),
                         {b.neededRatio, b.capacitorRatio, b.inductance, b.lowest, b.covered, b.cmaxToCover});
        } catch (const CalcError &error) {
            writer->failed(known, FailureText(error, "the inductance for the band", sweep.sweep(), in));
            return;
        }
        WireRows(*writer, std::move(known), Answers(sweep.sweep(), one, in, winding, lengths, flat, capacitorQ),
                 winding, lengths.inches(one.diameter), lengths, flat.has_value(), Face::Tune);
    });
    return writer->finish();
}

Outcome Wind(const CaseSweep<WindCase> &sweep, const Winding &winding, const Lengths &lengths,
             const std::optional<FlatForm> &flat, std::span<const double> frequencies, Format format, Sink &out)
{
    const bool atFrequency = !frequencies.empty() && !flat;
    const Column form = lengths.millimetres ? Column{"diameter_mm", "form mm", kAsTyped, 9}
                                            : Column{"diameter_in", "form in", kAsTyped, 9};
    const Column before[] = {{"wanted_uH", "wanted uH", kAsTyped, 9}, form};
    std::vector<Column> columns(std::begin(before), std::end(before));
    const std::vector<Column> coilColumns = CoilColumns(lengths, Face::Wind, flat.has_value(), atFrequency);
    columns.insert(columns.end(), coilColumns.begin(), coilColumns.end());
    const auto writer = MakeWriter(format, columns, out);
    std::vector<Cell> cells;
    std::string note;
    sweep.forEach([&](const WindCase &one, std::span<const double> in) {
        const double diameter = lengths.inches(one.diameter);
        const std::optional<FlatForm> shape = FormOf(flat, diameter, winding.pitch);
        for (std::size_t i = 0; i < winding.wires.size(); ++i) {
            const Wire &wire = winding.wires[i];
            cells = {one.inductance, one.diameter};
            const std::string misfit = winding.misfit(i, diameter, lengths);
            try {
                if (!misfit.empty()) {
                    cells.emplace_back(std::string_view(wire.name));
                    writer->failed(cells, misfit);
                } else if (winding.pitch && *winding.pitch < wire.outsideDiameter) {
                    const std::string why = PitchNote(wire, *winding.pitch, lengths);
                    AppendCoilCells(cells, note, wire, nullptr, why, diameter, lengths, shape.has_value(), nullptr,
                                    atFrequency);
                    writer->row(cells);
                } else {
                    const RealCoil coil = shape ? WindFlat(one.inductance, *shape, wire)
                                                : spirelle::Wind(one.inductance, diameter, wire, winding.pitch);
                    if (!atFrequency) {
                        AppendCoilCells(cells, note, wire, &coil, "", diameter, lengths, shape.has_value());
                        writer->row(cells);
                    }
                    const spirelle::Solenoid solenoid = SolenoidOf(coil, wire);
                    for (const double kHz : atFrequency ? frequencies : std::span<const double>{}) {
                        const CoilAtFrequency at = CoilAt(solenoid, kHz);
                        cells.resize(2);
                        AppendCoilCells(cells, note, wire, &coil, "", diameter, lengths, false, &at, true);
                        writer->row(cells);
                    }
                }
            } catch (const CalcError &error) {
                cells = {one.inductance, one.diameter, std::string_view(wire.name)};
                writer->failed(cells, FailureText(error, "the turns of the wire " + wire.name, sweep.sweep(), in));
            }
        }
    });
    return writer->finish();
}

Outcome Solenoid(const CaseSweep<SolenoidCase> &sweep, const Winding &winding, std::optional<double> length,
                 const Lengths &lengths, std::span<const double> frequencies, Format format, Sink &out)
{
    const bool atFrequency = !frequencies.empty();
    const std::vector<Column> columns = CoilColumns(lengths, Face::Solenoid, false, atFrequency);
    const auto writer = MakeWriter(format, columns, out);
    std::vector<Cell> cells;
    std::string note;
    sweep.forEach([&](const SolenoidCase &one, std::span<const double> in) {
        const double diameter = lengths.inches(one.diameter);
        for (std::size_t i = 0; i < winding.wires.size(); ++i) {
            const Wire &wire = winding.wires[i];
            cells = {std::string_view(wire.name), one.turns};
            try {
                if (const std::string misfit = winding.misfit(i, diameter, lengths); !misfit.empty()) {
                    writer->failed(cells, misfit);
                    continue;
                }
                const double pitch = length ? PitchForLength(*length, one.turns) : PitchOf(wire, winding.pitch);
                if (pitch < wire.outsideDiameter) {
                    const std::string why = PitchNote(wire, pitch, lengths);
                    if (winding.isGiven(i)) {
                        writer->failed(cells, "--length: " + why);
                        continue;
                    }
                    cells.clear();
                    AppendSolenoidCells(cells, note, wire, nullptr, why, diameter, lengths, nullptr, atFrequency);
                    cells[1] = one.turns; // the turns asked for, though there is no coil
                    writer->row(cells);
                } else {
                    const spirelle::Solenoid coil = MakeSolenoid(diameter, wire, one.turns, pitch);
                    if (!atFrequency) {
                        cells.clear();
                        AppendSolenoidCells(cells, note, wire, &coil, "", diameter, lengths);
                        writer->row(cells);
                    }
                    for (const double kHz : frequencies) {
                        const CoilAtFrequency at = CoilAt(coil, kHz);
                        cells.clear();
                        AppendSolenoidCells(cells, note, wire, &coil, "", diameter, lengths, &at, true);
                        writer->row(cells);
                    }
                }
            } catch (const CalcError &error) {
                cells = {std::string_view(wire.name), one.turns};
                writer->failed(cells, FailureText(error, "the coil of the wire " + wire.name, sweep.sweep(), in));
            }
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
