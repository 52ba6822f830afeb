#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <string>

// The window's three pages as commands. Each runs once for every combination
// of its arguments' values (in the order given) and writes its rows to `out`
// as they are made; a combination that fails gives a row that says why, and
// the rest go on. Each returns how many rows it wrote and how many failed.
namespace spirelle::cli {

// The inductance page: for each of the six gauges, the length of the
// close-wound coil, its Wheeler and current-sheet inductance, how far Wheeler
// is off, and the feet of wire. Arguments: diameter, turns.
Outcome Coil(const Sweep &sweep, Format format, Sink &out);

// The loose-coil page, with the current sheet beside Wheeler. Arguments:
// diameter, turns, length.
Outcome Loose(const Sweep &sweep, Format format, Sink &out);

// The frequency page. Arguments: inductance (uH), capacitance (pF).
Outcome Lc(const Sweep &sweep, Format format, Sink &out);

} // namespace spirelle::cli
