#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <string>

// The window's three pages as commands. Each runs once for every combination
// of its arguments' values (in the order given) and returns what it prints;
// a CalcError from any combination ends the command, and nothing is printed.
namespace spirelle::cli {

// The inductance page: for each of the six gauges, the length of the
// close-wound coil, its Wheeler and current-sheet inductance, how far Wheeler
// is off, and the feet of wire. Arguments: diameter, turns.
std::string Coil(const Sweep &sweep, Format format);

// The loose-coil page, with the current sheet beside Wheeler. Arguments:
// diameter, turns, length.
std::string Loose(const Sweep &sweep, Format format);

// The frequency page. Arguments: inductance (uH), capacitance (pF).
std::string Lc(const Sweep &sweep, Format format);

} // namespace spirelle::cli
