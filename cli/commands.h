#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <string>

// The window's three pages as commands. Each runs once for every combination
// of its arguments' values (in the order given) and writes its rows to `out`
// as they are made; a combination that fails gives a row that says why, and
// the rest go on. Each returns how many rows it wrote and how many failed.
namespace spirelle::cli {

// A combination of coil's arguments (inches, turns), and of loose's.
struct CoilCase {
    double diameter = 0;
    double turns = 0;
};
struct LooseCase {
    double diameter = 0;
    double turns = 0;
    double length = 0;
};
// A combination of lc's arguments: uH, pF.
struct LcCase {
    double inductance = 0;
    double capacitance = 0;
};

// The inductance page: for each of the six gauges, the length of the
// close-wound coil, its Wheeler and current-sheet inductance, how far Wheeler
// is off, and the feet of wire.
Outcome Coil(const CaseSweep<CoilCase> &sweep, Format format, Sink &out);

// The loose-coil page, with the current sheet beside Wheeler.
Outcome Loose(const CaseSweep<LooseCase> &sweep, Format format, Sink &out);

// The frequency page.
Outcome Lc(const CaseSweep<LcCase> &sweep, Format format, Sink &out);

} // namespace spirelle::cli
