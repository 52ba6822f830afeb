#include "cli/tune.h"

#include "calc/band.h"
#include "calc/calc_error.h"

#include <array>
#include <optional>

namespace spirelle::cli {
namespace {

// One combination worked out as far as it goes. Capacitances in pF, frequencies in kHz.
struct Design {
    double diameter = 0, cmin = 0, cmax = 0, stray = 0, low = 0, high = 0;
    std::optional<BandCoverage> band;
    std::optional<std::array<Winding, kGaugeCount>> windings;
    std::string error; // why it stopped, when it did
};

Design Work(const Sweep &sweep, std::span<const double> in)
{
    Design d{in[0], in[1], in[2], in[3], in[4], in[5], {}, {}, {}};
    try {
        d.band = CoverBand(d.cmin, d.cmax, d.stray, d.low, d.high);
        d.windings = CloseWoundWindings(d.diameter, d.band->inductance);
    } catch (const CalcError &error) {
        d.error = FailureText(error, d.band ? "the turns for each gauge" : "the inductance for the band", sweep, in);
    }
    return d;
}

constexpr Column kGaugeColumns[] = {
    {"gauge", "gauge"},
    {"wheeler_turns", "Wheeler turns"},
    {"length_in", "length in"},
    {"current_sheet_turns", "current-sheet turns"},
    {"wire_ft", "wire ft"},
};

constexpr Column kFlatColumns[] = {
    {"diameter_in", ""},    {"cmin_pF", ""},       {"cmax_pF", ""},         {"stray_pF", ""},
    {"band_low_kHz", ""},   {"band_high_kHz", ""}, {"needed_ratio", ""},    {"capacitor_ratio", ""},
    {"inductance_uH", ""},  {"lowest_kHz", ""},    {"covered", ""},         {"cmax_to_cover_pF", ""},
    {"gauge", ""},          {"wheeler_turns", ""}, {"length_in", ""},       {"current_sheet_turns", ""},
    {"wire_ft", ""},
};

Cell Optional(const std::optional<double> &value)
{
    return value ? Cell(*value) : Cell(Gap{});
}

// One combination in words, then its gauges as a table.
Outcome Story(const Design &d, Sink &sink)
{
    const auto n = NumberText;
    std::string out;
    Outcome outcome;
    if (!d.band) {
        out += "band        " + n(d.low) + "-" + n(d.high) + " kHz with a capacitor of " + n(d.cmin) + "-" +
               n(d.cmax) + " pF + " + n(d.stray) + " pF stray\n";
        out += "error       " + d.error + "\n";
        sink.write(out);
        outcome.rows = outcome.failed = 1;
        outcome.firstError = d.error;
        return outcome;
    }
    const BandCoverage &b = *d.band;
    out += "band        " + n(d.low) + "-" + n(d.high) + " kHz needs a tuning ratio of " + n(b.neededRatio) +
           " ((HIGH/LOW)^2)\n";
    out += "capacitor   " + n(d.cmin) + "-" + n(d.cmax) + " pF + " + n(d.stray) + " pF stray = " + n(b.cLow) + "-" +
           n(b.cHigh) + " pF gives a ratio of " + n(b.capacitorRatio) + "\n";
    out += "inductance  " + n(b.inductance) + " uH tunes " + n(d.high) + " kHz at " + n(b.cLow) + " pF\n";
    out += "lowest      " + n(b.lowest) + " kHz at " + n(b.cHigh) + " pF\n";
    if (b.covered)
        out += "verdict     covered: the whole band tunes\n";
    else
        out += "verdict     falls short by " + n(b.lowest - d.low) + " kHz at the low end; a CMAX of " +
               n(b.cmaxToCover) + " pF would cover the band\n";
    out += "\nclose-wound on a " + n(d.diameter) + " in form:\n";
    if (!d.windings) {
        out += "error       " + d.error + "\n";
        sink.write(out);
        outcome.rows = outcome.failed = 1;
        outcome.firstError = d.error;
        return outcome;
    }
    sink.write(out);
    const auto gauges = MakeWriter(Format::Table, kGaugeColumns, sink, ErrorColumn::No);
    for (const Winding &w : *d.windings) {
        const Cell row[] = {w.gauge, w.wheelerTurns, w.length, Optional(w.sheetTurns), w.feet};
        gauges->row(row);
    }
    return gauges->finish();
}

} // namespace

Outcome Tune(const Sweep &sweep, Format format, Sink &out)
{
    if (format == Format::Table) {
        Outcome outcome;
        sweep.forEach([&](std::span<const double> in) {
            if (outcome.rows > 0)
                out.write("\n");
            outcome.add(Story(Work(sweep, in), out));
        });
        return outcome;
    }
    const auto writer = MakeWriter(format, kFlatColumns, out);
    sweep.forEach([&](std::span<const double> in) {
        const Design d = Work(sweep, in);
        if (!d.band) {
            const Cell known[] = {d.diameter, d.cmin, d.cmax, d.stray, d.low, d.high};
            writer->failed(known, d.error);
            return;
        }
        const BandCoverage &b = *d.band;
        if (!d.windings) {
            const Cell known[] = {d.diameter,      d.cmin,       d.cmax,   d.stray,   d.low,         d.high,
                                  b.neededRatio,   b.capacitorRatio, b.inductance, b.lowest, b.covered, b.cmaxToCover};
            writer->failed(known, d.error);
            return;
        }
        for (const Winding &w : *d.windings) {
            const Cell row[] = {d.diameter,       d.cmin,         d.cmax,      d.stray,    d.low,
                                d.high,           b.neededRatio,  b.capacitorRatio, b.inductance, b.lowest,
                                b.covered,        b.cmaxToCover,  w.gauge,     w.wheelerTurns, w.length,
                                Optional(w.sheetTurns), w.feet};
            writer->row(row);
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
