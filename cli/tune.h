#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <string>

// The question builders ask: will my coil and capacitor cover the band? The
// answer is calculated by calc/band.h; this is how the command prints it.
namespace spirelle::cli {

// Arguments, in order: diameter (in), CMIN, CMAX, stray (pF), band low, band
// high (kHz). The table format tells each combination in words, then lists
// the gauges; CSV and JSON give one flat row per combination and gauge. A
// combination that fails says why in place of what it could not work out.
Outcome Tune(const Sweep &sweep, Format format, Sink &out);

} // namespace spirelle::cli
