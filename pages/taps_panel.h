#pragma once

#include "pages/design.h"

#include <string>
#include <string_view>
#include <vector>

// The design's taps panel without the window: for the selected row's coil,
// where to tap it for the antenna and the detector and how selective the set
// then is (calc/taps.h), from the panel's fields, as plain strings that the
// window (ui/taps_panel.cpp) and the web page (web/design.js) draw.
namespace spirelle::design {

namespace control {
inline constexpr std::string_view kTapsGroup = "designTapsGroup";
inline constexpr std::string_view kTapsTitle = "designTapsTitle";     // whose taps, or what to select
inline constexpr std::string_view kTapsMessage = "designTapsMessage"; // what is wrong with a field
inline constexpr std::string_view kTapsTable = "designTapsTable";
inline constexpr std::string_view kAntennaOhm = "designAntennaOhm";
inline constexpr std::string_view kAntennaPf = "designAntennaPf";
inline constexpr std::string_view kDetectorOhm = "designDetectorOhm";
inline constexpr std::string_view kBandwidth = "designBandwidth";
inline constexpr std::string_view kAntennaTap = "designAntennaTap";
inline constexpr std::string_view kDetectorTap = "designDetectorTap";
} // namespace control

// A field of the panel, in the order the panel lays them out and the keyboard goes.
struct TapsInput {
    std::string_view control;
    std::string_view caption; // with its mnemonic, as kInputs' captions
    std::string_view spoken;  // the accessible name
    std::string_view unit;    // beside the field
    std::string_view initial; // C notation; "" empty
    std::string_view name;    // in a message, starting a sentence
    std::string_view what;    // what to type there
    double example = 0;
};

// clang-format off
inline constexpr TapsInput kTapsInputs[] = {
    {control::kAntennaOhm, "&Antenna R", "Antenna resistance, ohms", "Ω", "25", "The antenna's resistance",
     "the antenna's resistance with its ground, in ohms", 25},
    {control::kAntennaPf, "A&ntenna C", "Antenna capacitance, pF", "pF", "200", "The antenna's capacitance",
     "the antenna's capacitance in pF", 200},
    {control::kDetectorOhm, "Detector R", "Detector resistance, ohms", "Ω", "10000", "The detector's resistance",
     "the detector's resistance with its headphones, in ohms", 10000},
    {control::kBandwidth, "Band&width", "Widest bandwidth at the band's middle, kHz", "kHz", "10",
     "The bandwidth", "the widest bandwidth wanted at the band's middle, in kHz", 10},
    {control::kAntennaTap, "Antenna tap", "Antenna tap, turns from ground", "turn", "", "The antenna tap",
     "the turn the antenna is tapped at, or leave both taps empty to have them chosen", 12},
    {control::kDetectorTap, "Detector tap", "Detector tap, turns from ground", "turn", "", "The detector tap",
     "the turn the detector is tapped at, or leave both taps empty to have them chosen", 30},
};
// clang-format on

// The most turns whose taps the panel chooses as the user types (every pair
// is worked out); a longer coil's taps are typed.
inline constexpr int kMostChosenTurns = 400;

// What the panel shows.
struct TapsView {
    std::string title;                          // the coil, or what to select to see one
    std::string badField;                       // the field to mark; "" when none
    std::string message;                        // what is wrong and what to type; "" when nothing is
    std::vector<std::string> headers;           // always there
    std::vector<std::vector<std::string>> rows; // a row per choice and band point; none without a coil
    // The coil's winding card with the taps shown marked (the typed ones, else
    // within the bandwidth's, else most power's); "" when none are shown.
    std::string drawing;
};

// The panel for the table's row `row` (-1: none selected). Never throws a CalcError.
TapsView DesignTaps(const FieldAccess &fields, const Separators &separators, int row);

} // namespace spirelle::design
