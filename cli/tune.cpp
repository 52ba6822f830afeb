#include "cli/tune.h"

#include "calc/checked.h"
#include "calc/coil.h"
#include "calc/number_text.h"
#include "calc/tuned_circuit.h"
#include "calc/wire_gauges.h"

#include <array>
#include <optional>

namespace spirelle::cli {
namespace {

constexpr std::size_t kGauges = std::size(kWireGauges);

struct Winding {
    std::string_view gauge;
    double wheelerTurns = 0;
    double length = 0; // inches, close-wound with Wheeler's turns
    std::optional<double> sheetTurns;
    double feet = 0;
};

// One combination worked out. Capacitances in pF, frequencies in kHz.
struct Design {
    double diameter = 0, cmin = 0, cmax = 0, stray = 0, low = 0, high = 0;
    double cLow = 0, cHigh = 0;   // the capacitor's ends with the stray added
    double neededRatio = 0;       // (high / low)^2
    double capacitorRatio = 0;    // cHigh / cLow
    double inductance = 0;        // uH: the band's top at cLow
    double lowest = 0;            // what that inductance reaches at cHigh
    bool covered = false;
    double cmaxToCover = 0;       // the smallest CMAX that reaches the band's low end
    std::array<Winding, kGauges> windings;
};

Design Work(std::span<const double> in)
{
    Design d;
    d.diameter = in[0];
    d.cmin = in[1];
    d.cmax = in[2];
    d.stray = in[3];
    d.low = in[4];
    d.high = in[5];
    d.cLow = CheckedStep(Fp(d.cmin) + d.stray);
    d.cHigh = CheckedStep(Fp(d.cmax) + d.stray);
    d.neededRatio = CheckedStep(Fp(d.high) / d.low * (Fp(d.high) / d.low));
    d.capacitorRatio = CheckedStep(Fp(d.cHigh) / d.cLow);
    d.inductance = InductanceForResonance(CheckedStep(Fp(d.high) / 1000.0), d.cLow);
    d.lowest = CheckedStep(Fp(ResonantFrequency(d.inductance, d.cHigh)) * 1000.0);
    d.covered = d.lowest <= d.low * (1 + kCoverSlack);
    d.cmaxToCover = CheckedStep(Fp(d.cLow) * d.neededRatio - d.stray);
    for (std::size_t g = 0; g < kGauges; ++g) {
        Winding &w = d.windings[g];
        const double inchesPerTurn = ParseNumber(kWireGauges[g].inchesPerTurn);
        w.gauge = kWireGauges[g].name;
        w.wheelerTurns = WheelerTurns(d.diameter, inchesPerTurn, d.inductance);
        w.length = CloseWoundLength(inchesPerTurn, w.wheelerTurns);
        w.sheetTurns = CurrentSheetTurns(d.diameter, inchesPerTurn, d.inductance);
        w.feet = WireFeet(d.diameter, w.wheelerTurns);
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
std::string Story(const Design &d)
{
    const auto n = NumberText;
    std::string out;
    out += "band        " + n(d.low) + "-" + n(d.high) + " kHz needs a tuning ratio of " + n(d.neededRatio) +
           " ((HIGH/LOW)^2)\n";
    out += "capacitor   " + n(d.cmin) + "-" + n(d.cmax) + " pF + " + n(d.stray) + " pF stray = " + n(d.cLow) + "-" +
           n(d.cHigh) + " pF gives a ratio of " + n(d.capacitorRatio) + "\n";
    out += "inductance  " + n(d.inductance) + " uH tunes " + n(d.high) + " kHz at " + n(d.cLow) + " pF\n";
    out += "lowest      " + n(d.lowest) + " kHz at " + n(d.cHigh) + " pF\n";
    if (d.covered)
        out += "verdict     covered: the whole band tunes\n";
    else
        out += "verdict     falls short by " + n(d.lowest - d.low) + " kHz at the low end; a CMAX of " +
               n(d.cmaxToCover) + " pF would cover the band\n";
    out += "\nclose-wound on a " + n(d.diameter) + " in form:\n";
    const auto gauges = MakeWriter(Format::Table, kGaugeColumns);
    for (const Winding &w : d.windings) {
        const Cell row[] = {w.gauge, w.wheelerTurns, w.length, Optional(w.sheetTurns), w.feet};
        gauges->row(row);
    }
    return out + gauges->finish();
}

} // namespace

std::string Tune(const Sweep &sweep, Format format)
{
    if (format == Format::Table) {
        std::string out;
        sweep.forEach([&](std::span<const double> in) {
            out += out.empty() ? "" : "\n";
            out += Story(Work(in));
        });
        return out;
    }
    const auto writer = MakeWriter(format, kFlatColumns);
    sweep.forEach([&](std::span<const double> in) {
        const Design d = Work(in);
        for (const Winding &w : d.windings) {
            const Cell row[] = {d.diameter,   d.cmin,           d.cmax,          d.stray,     d.low,
                                d.high,       d.neededRatio,    d.capacitorRatio, d.inductance, d.lowest,
                                d.covered,    d.cmaxToCover,    w.gauge,         w.wheelerTurns, w.length,
                                Optional(w.sheetTurns), w.feet};
            writer->row(row);
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
