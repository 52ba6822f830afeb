#pragma once

#include "calc/winding.h"
#include "cli/output.h"
#include "pages/coil_columns.h"

#include <optional>

#include <span>
#include <string>
#include <string_view>
#include <vector>

// What `tune` and `wind` share: the wires they answer for (the six gauges and
// a custom one), lengths in inches or millimetres, and a real coil's columns
// and cells (calc/real_coil.h), so both print a coil under the same names.
namespace spirelle::cli {

// The unit of every length read and written: inches (wire in feet) or, with
// --mm, millimetres (wire in metres).
struct Lengths {
    bool millimetres = false;

    // A length as typed, in inches: 50.8 (mm) -> 2.
    double inches(double typed) const;
    std::string_view unit() const { return millimetres ? "mm" : "in"; }
};

// The wires a command winds and how: the six gauges and the one of --wire,
// or that one alone, at a pitch or close-wound.
struct Winding {
    std::vector<Wire> wires;
    std::string givenText;       // --wire as typed; "" when not given
    std::optional<double> pitch; // inches a turn; nullopt: close-wound

    // Whether wires[i] is the one --wire gives (the last).
    bool isGiven(std::size_t i) const { return !givenText.empty() && i + 1 == wires.size(); }

    // Why wires[i] cannot be wound on a form of `formInches`: the given wire's
    // outside diameter not below the form's, naming both and the gauge a plain
    // number might mean; "" when it can:
    //   --wire 22 on 2 in -> "--wire 22: the wire's outside diameter, 22 in, is not below the form's
    //                          diameter, 2 in; for AWG 22 write --wire awg22"
    std::string misfit(std::size_t i, double formInches, const Lengths &lengths) const;
};

// The wire of --wire (`wireText`, by its name: calc/wire.h) with the
// copper of --bare (`bareText`, "" when not given; the parser lets --bare
// come only with --wire), after the six gauges unless `alone`, and the pitch
// of `pitchText` ("" when not given), in `lengths`' unit. A name ParseWire
// refuses, a range, a diameter or pitch of 0, a bare diameter above the
// outside one or a given wire thicker than the pitch is a UsageError:
//   ("", "", "")          -> # 20 ... # 30, close-wound
//   ("0.05", "", "")      -> ..., custom 0.05 in over the enamel, 0.046 in bare
//   ("awg26", "", "0.03") -> ..., awg26, every coil at 0.03 in a turn
//   ("0.03", "0.04", "")  -> UsageError "--bare 0.04 is above --wire 0.03; ..."
// A Litz wire (calc/litz.h) takes the outside diameter of `odText` when given;
// --od with a solid wire, --bare with a Litz one, or an --od its strands do not
// fit in is a UsageError.
Winding WindingFor(std::string_view wireText, std::string_view bareText, std::string_view pitchText,
                   const Lengths &lengths, bool alone = false, std::string_view odText = "");

// A row's note when its wire is thicker than the pitch:
//   (# 20, 0.03, inches) -> "the wire is thicker than the pitch (0.0345 in > 0.03 in)"
std::string PitchNote(const Wire &wire, double pitch, const Lengths &lengths);

// One length option's value in inches: a single number above 0, else a
// UsageError naming `name`.
double OneLength(std::string_view name, std::string_view text, const Lengths &lengths);

// The columns of a real coil that `face` shows (pages/coil_columns.h), in
// `lengths`' unit, and the note: wire, turns, [pitch_in,] coil_diameter_in,
// winding_length_in, inductance_uH, wheeler_uH, [current_sheet_uH,]
// self_capacitance_pF, [self_resonance_kHz,] [high_kHz, low_kHz, covered,]
// wire_ft, [dc_resistance_ohm,] note. The note says why a wire has no coil
// (the cells before it are gaps), where a value is held outside Medhurst's
// measurements and when the wire is thick for the form. With `flat`, a flat
// coil's (pages/coil_columns.h's FlatCoilColumns) that `face` shows.
// With `atFrequency` (--freq), solenoid's and wind's the coil at a frequency's
// after them: frequency_kHz, ac_resistance_ohm, q, effective_inductance_uH.
std::vector<Column> CoilColumns(const Lengths &lengths, Face face, bool flat = false, bool atFrequency = false);

// A wire's cells on a form of `formInches`. The note's cell points into
// `held`, which must outlive the row's writing.
// For tune's columns (`face` Tune, or TuneTable for its table): its tuned coil
// and its tank over the band, or gaps and the reason.
void AppendCoilCells(std::vector<Cell> &cells, std::string &held, const BandDesign &design, double formInches,
                     const Lengths &lengths, bool flat = false, const TankAcrossBand *tank = nullptr,
                     Face face = Face::Tune);

// For wind's columns: its coil, or gaps and `reason` when it has none; with
// `atFrequency`, the coil at a frequency (`at`, gaps when null) and its note.
void AppendCoilCells(std::vector<Cell> &cells, std::string &held, const Wire &wire, const RealCoil *coil,
                     std::string_view reason, double formInches, const Lengths &lengths, bool flat = false,
                     const CoilAtFrequency *at = nullptr, bool atFrequency = false);

// For solenoid's columns: the coil forward, or gaps and `reason` when it has
// none; with `atFrequency` the coil at a frequency as for wind.
void AppendSolenoidCells(std::vector<Cell> &cells, std::string &held, const Wire &wire, const Solenoid *solenoid,
                         std::string_view reason, double formInches, const Lengths &lengths,
                         const CoilAtFrequency *at = nullptr, bool atFrequency = false);

} // namespace spirelle::cli
