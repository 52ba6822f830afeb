#pragma once

#include "calc/taps.h"
#include "cli/output.h"

#include <optional>
#include <string>

// Where to tap the coil for the antenna and the detector, and how selective
// the set then is (calc/taps.h): a row per choice and band point.
namespace spirelle::cli {

// The most turns taps are chosen among: every pair is worked out.
inline constexpr int kMostTappedTurns = 1000;

// Everything taps reads, checked: the circuit, the band, the width wanted at
// the band's middle (kHz) and the taps when both are given.
struct TapsCase {
    TappedCircuit circuit;
    Band band;
    double bandwidthKHz = 10;
    std::optional<Taps> given;
    std::string svg; // --svg FILE: the coil's winding card with the taps shown marked
};

// A table, CSV or JSON with the columns choice, antenna_tap, detector_tap,
// frequency_kHz, loaded_q, bandwidth_kHz, power_dB, note and error: the given
// taps' three band points, or most_power's and within_bandwidth's. The table
// says the coil and the loads in words above it. With `svg`, the card marks
// the given taps, else within_bandwidth's when there are some, else most_power's.
Outcome Taps(const TapsCase &one, Format format, Sink &out);

} // namespace spirelle::cli
