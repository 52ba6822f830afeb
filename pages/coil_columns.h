#pragma once

#include "calc/losses.h"
#include "calc/number_format.h"
#include "calc/solenoid.h"
#include "calc/winding.h"

#include <span>
#include <string>
#include <string_view>
#include <variant>

// A real coil's columns, written once: the design window's table
// (pages/design.h), the web page that draws it, and the command line's
// table, CSV and JSON (cli/real_coil_rows.h) all read this list. A new
// quantity is one row of the list in coil_columns.cpp.
namespace spirelle {

// The roundings for reading that every table uses (the design window's, the
// command line's): turns whole, lengths to 3 decimals (7 digits beyond 1e15),
// a wire's diameter and pitch to 4 decimals in inches (3 in mm: kThreeDecimals),
// uH, pF, kHz, MHz, ohms and Q to 4 significant digits with their trailing
// zeros, so that a column reads alike, and an argument echoed back (15 pF,
// a 2 in form) to 4 significant digits as typed.
inline constexpr NumberFormat kWhole{.decimals = 0};
inline constexpr NumberFormat kTurns{.decimals = 2, .wholeBare = true}; // 2 decimals when not whole
inline constexpr NumberFormat kThreeDecimals{.significant = 7, .decimals = 3};
inline constexpr NumberFormat kFourDecimals{.significant = 7, .decimals = 4};
inline constexpr NumberFormat kFourDigits{.significant = 4, .plainUpTo = 14, .keepTrailingZeros = true};
inline constexpr NumberFormat kAsTyped{.significant = 4, .plainUpTo = 14};

// What a column's value comes from.
enum class Needs {
    Wire,        // the wire alone: every row has it, even one whose wire has no coil
    Coil,        // the coil
    Band,        // the coil tuned over a band: only `tune` and the design window show it
    Forward,     // the coil worked forward from its turns and pitch: only `solenoid` shows it
    AtFrequency, // the coil at a frequency: `solenoid` and `wind` with --freq
    Tank,        // the coil's Q in its tuned circuit at the band's ends: `tune`'s CSV and JSON, the design window
    TankMiddle,  // the same in the band's middle: `tune` (the window's tool tip has it)
    TankDetail,  // the bandwidths and resistance: `tune`'s CSV and JSON (the window's tool tip has them)
};

// Where a real coil's table is shown.
// TuneTable is tune's table, which leaves all of the tank but the middle's Q to its CSV and JSON (Tune).
enum class Face { Tune, TuneTable, Wind, Solenoid, Design };

// What a row is made from: a wire, its coil unless it has none, and where
// the coil tunes when it is designed for a band.
struct CoilRow {
    const Wire &wire;
    const RealCoil *coil = nullptr;
    const TunedCoil *tuned = nullptr;
    bool millimetres = false;                     // lengths in mm and the wire in m, else inches and feet
    double bandLow = 0;                           // kHz, the band's low end, for the verdict's tip
    const Solenoid *solenoid = nullptr;           // the coil forward, with `coil` holding the same coil
    const CoilAtFrequency *atFrequency = nullptr; // the coil at a frequency (--freq)
    const TankAcrossBand *tank = nullptr;         // the tuned circuit over the band

    // Whether the row has a value for a column that needs this.
    bool has(Needs needs) const
    {
        switch (needs) {
        case Needs::Wire:
            return true;
        case Needs::Coil:
            return coil != nullptr;
        case Needs::Band:
            return tuned != nullptr;
        case Needs::Forward:
            return solenoid != nullptr;
        case Needs::AtFrequency:
            return atFrequency != nullptr;
        case Needs::Tank:
        case Needs::TankMiddle:
        case Needs::TankDetail:
            return tank != nullptr;
        }
        return false;
    }
};

// A column's value, in its unit: a number, a text or yes/no.
using CoilValue = std::variant<double, std::string_view, bool>;

// Words that name the unit of lengths: the inch one, and the millimetre one
// when it differs.
struct InUnits {
    std::string_view inches;
    std::string_view millimetres = {};
    std::string_view in(bool mm) const { return mm && !millimetres.empty() ? millimetres : inches; }
};

struct CoilColumn {
    InUnits key;    // the CSV heading and the JSON name: "coil_diameter_in", "coil_diameter_mm"
    InUnits title;  // the command line's table heading: "coil dia in"
    InUnits header; // the design window's heading: "Coil diameter (in)"
    InUnits unit;   // after the whole value in the window's tool tip: "in"
    NumberFormat
        rounding; // the window's and the command line's table, rounded for reading; CSV and JSON have 15 digits
    int priority; // a narrow table drops the columns of the lowest first
    Needs needs;
    std::string_view noCoil; // the window's text when the wire has no coil
    std::string_view widest; // the widest text it usually holds, for the window to make room
    CoilValue (*value)(const CoilRow &row);
    // The window's tool tip when not the whole value and the unit; null for that.
    std::string (*tip)(const CoilRow &row, std::string_view decimal) = nullptr;

    // The rounding in a table's unit: what has 4 decimals in inches (a wire's
    // diameter, a pitch) has 3 in millimetres.
    constexpr NumberFormat roundingIn(bool millimetres) const
    {
        return millimetres && rounding.decimals == kFourDecimals.decimals ? kThreeDecimals : rounding;
    }
};

// wire, turns, pitch, coil diameter, winding length, L, Wheeler L, current
// sheet L, C self, self-resonance, high, low, covered, wire length, DC
// resistance: the order every table shows.
std::span<const CoilColumn> RealCoilColumns();

// A flat coil's (calc/flat_coil.h, as AsRealCoil gives it): wire, turns, inner
// and outer diameter, pitch, L, Wheeler L, C self (not estimated: NaN, "–"),
// high, low, covered, wire length, DC resistance.
std::span<const CoilColumn> FlatCoilColumns();

// Whether `face` shows the column: the band's in tune and the design window,
// the forward coil's (pitch, current sheet, self-resonance, DC resistance)
// only in solenoid, the tank's Q in the band's middle in tune, at its ends
// in tune's CSV and JSON and the design window, its bandwidths in tune's CSV and JSON, a coil at a frequency in
// solenoid and wind when `atFrequency`, the others everywhere.
bool Shows(Face face, const CoilColumn &column, bool atFrequency = false);

// The coil of a Solenoid as a RealCoil, for the columns both have (its turns
// rounded down; the turns column reads the Solenoid's own).
RealCoil CoilOf(const Solenoid &solenoid);

// The window's cell text, rounded for reading, in the locale's notation:
//   turns 128 -> "128"   L 315.262 uH -> "315.3"   coil diameter 3.26 -> "3.260"   covered -> "yes"
std::string ReadingText(const CoilColumn &column, const CoilRow &row, std::string_view decimal);

// The window's tool tip, the whole value with its unit: "315.262072934 µH", "128 turns".
std::string WholeText(const CoilColumn &column, const CoilRow &row, std::string_view decimal);

} // namespace spirelle
