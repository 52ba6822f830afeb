#include "cli/tune.h"

#include "calc/band.h"

namespace spirelle::cli {
namespace {

// One combination: its arguments and what they give. Capacitances in pF, frequencies in kHz.
struct Design {
    double diameter = 0, cmin = 0, cmax = 0, stray = 0, low = 0, high = 0;
    BandCoverage band;
    std::vector<BandDesign> wires;
};

Design Work(std::span<const double> in, const std::vector<Wire> &wires, const Lengths &lengths)
{
    Design d{in[0], in[1], in[2], in[3], in[4], in[5], {}, {}};
    d.band = CoverBand(d.cmin, d.cmax, d.stray, d.low, d.high);
    d.wires = DesignForBand(lengths.inches(d.diameter), wires, {d.cmin, d.cmax, d.stray}, {d.low, d.high});
    return d;
}

// The capacitor and the band alone; each wire's own answer is in its row.
constexpr Column kDesignColumns[] = {
    {"cmin_pF", ""},          {"cmax_pF", ""},           {"stray_pF", ""},
    {"band_low_kHz", ""},     {"band_high_kHz", ""},     {"needed_ratio", ""},
    {"capacitor_ratio", ""},  {"needed_inductance_uH", ""}, {"capacitor_lowest_kHz", ""},
    {"capacitor_covers", ""}, {"cmax_to_cover_pF", ""},
};

// The capacitor and the band in words, then a row per wire.
std::string Story(const Design &d, const Lengths &lengths)
{
    const auto n = NumberText;
    const BandCoverage &b = d.band;
    std::string out;
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
    out += "\nwhole turns close-wound on a " + n(d.diameter) + " " + std::string(lengths.unit()) +
           " form, the coil's own capacitance added:\n";
    const std::vector<Column> columns = CoilColumns(lengths, true);
    const auto table = MakeWriter(Format::Table, columns);
    std::vector<Cell> cells;
    for (const BandDesign &wire : d.wires) {
        cells.clear();
        AppendCoilCells(cells, wire, lengths);
        table->row(cells);
    }
    return out + table->finish();
}

} // namespace

std::string Tune(const Sweep &sweep, const std::vector<Wire> &wires, const Lengths &lengths, Format format)
{
    if (format == Format::Table) {
        std::string out;
        sweep.forEach([&](std::span<const double> in) {
            out += out.empty() ? "" : "\n";
            out += Story(Work(in, wires, lengths), lengths);
        });
        return out;
    }
    std::vector<Column> columns = {lengths.millimetres ? Column{"diameter_mm", ""} : Column{"diameter_in", ""}};
    columns.insert(columns.end(), std::begin(kDesignColumns), std::end(kDesignColumns));
    const std::vector<Column> coil = CoilColumns(lengths, true);
    columns.insert(columns.end(), coil.begin(), coil.end());
    const auto writer = MakeWriter(format, columns);
    std::vector<Cell> cells;
    sweep.forEach([&](std::span<const double> in) {
        const Design d = Work(in, wires, lengths);
        const BandCoverage &b = d.band;
        for (const BandDesign &wire : d.wires) {
            cells = {d.diameter,   d.cmin,           d.cmax,       d.stray,    d.low,     d.high,
                     b.neededRatio, b.capacitorRatio, b.inductance, b.lowest, b.covered, b.cmaxToCover};
            AppendCoilCells(cells, wire, lengths);
            writer->row(cells);
        }
    });
    return writer->finish();
}

std::string Wind(const Sweep &sweep, const std::vector<Wire> &wires, const Lengths &lengths, Format format)
{
    std::vector<Column> columns = {{"wanted_uH", "wanted uH"},
                                   lengths.millimetres ? Column{"diameter_mm", "form mm"}
                                                       : Column{"diameter_in", "form in"}};
    const std::vector<Column> coil = CoilColumns(lengths, false);
    columns.insert(columns.end(), coil.begin(), coil.end());
    const auto writer = MakeWriter(format, columns);
    std::vector<Cell> cells;
    sweep.forEach([&](std::span<const double> in) {
        for (const Wire &wire : wires) {
            cells = {in[0], in[1]};
            AppendCoilCells(cells, wire, spirelle::Wind(in[0], lengths.inches(in[1]), wire), lengths);
            writer->row(cells);
        }
    });
    return writer->finish();
}

} // namespace spirelle::cli
