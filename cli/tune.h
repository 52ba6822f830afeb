#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <string>

// The question builders ask: will my coil and capacitor cover the band? For a
// variable capacitor CMIN..CMAX plus the stray capacitance of wiring and
// aerial, the inductance that puts the top of the band at the smallest
// capacitance, how low that inductance then tunes, and the turns it takes on
// the form with each of the six gauges.
namespace spirelle::cli {

// Arguments, in order: diameter (in), CMIN, CMAX, stray (pF), band low, band
// high (kHz). The table format tells each combination in words, then lists
// the gauges; CSV and JSON give one flat row per combination and gauge.
std::string Tune(const Sweep &sweep, Format format);

// A capacitor range covers the band when its lowest frequency is not above
// the band's low end; this much relative slack absorbs rounding when a
// capacitor is exactly wide enough.
inline constexpr double kCoverSlack = 1e-12;

} // namespace spirelle::cli
