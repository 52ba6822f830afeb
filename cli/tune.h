#pragma once

#include "calc/winding.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/real_coil_rows.h"

#include <vector>

// The questions builders ask: will my capacitor cover the band, and how many
// turns of which wire does my form take for it (or for an inductance)? The
// answers are calculated by calc/band.h and calc/winding.h; this is how the
// commands print them. A wire whose coil cannot be worked out is a row that
// says why in its error; the other rows are all printed.
namespace spirelle::cli {

// Arguments, in order: diameter (in `lengths`' unit), CMIN, CMAX, stray (pF),
// band low, band high (kHz). The table format tells each combination's
// capacitor and band in words, then lists a row per wire; CSV and JSON give
// one flat row per combination and wire.
Outcome Tune(const Sweep &sweep, const std::vector<Wire> &wires, const Lengths &lengths, Format format, Sink &out);

// Arguments: inductance (uH), diameter. A row per combination and wire: the
// whole turns nearest the inductance.
Outcome Wind(const Sweep &sweep, const std::vector<Wire> &wires, const Lengths &lengths, Format format, Sink &out);

} // namespace spirelle::cli
