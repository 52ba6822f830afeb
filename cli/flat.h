#pragma once

#include "calc/flat_coil.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/real_coil_rows.h"

#include <optional>
#include <span>
#include <string_view>
#include <vector>

// Flat coils on the command line: `spiral` and `spider` (calc/flat_coil.h),
// and the options that make tune and wind design them (--kind, --spokes).
namespace spirelle::cli {

// The wires of --wire by name (calc/wire.h: "awg24", "swg22", "0.5mm", a plain
// outside diameter in `lengths`' unit) with --bare its copper's diameter, or
// the six gauges when --wire is not given. A name not a wire, a range, a bare
// diameter above the outside one is a UsageError naming the option.
std::vector<Wire> NamedWires(std::string_view wireText, std::string_view bareText, const Lengths &lengths);

// --spokes: an odd whole number, 5 or more; "" is 9. Else a UsageError naming it.
int ReadSpokes(std::string_view text);

// --pitch: one length above 0 in `lengths`' unit, in inches; "" is none.
std::optional<double> ReadPitch(std::string_view text, const Lengths &lengths);

// --kind: "solenoid" (nullopt), "spiral" or "spider" (a flat form with `spokes`
// and `pitch`); anything else is a UsageError.
std::optional<FlatForm> ReadKind(std::string_view kind, int spokes, std::optional<double> pitch);

// Every diameter of `diameters` (typed, in `lengths`' unit) with every wire
// makes a form that holds: else a UsageError naming `diameterName`, --spokes or --pitch.
void CheckFlatForms(std::span<const double> diameters, std::string_view diameterName, FlatForm form,
                    const std::vector<Wire> &wires, const Lengths &lengths);

// TURNS of a flat coil: whole numbers from 1 to kMostFlatTurns, else a UsageError.
void CheckFlatTurns(std::span<const double> turns);

// One combination of spiral's or spider's arguments: the inner (hub) diameter
// in `lengths`' unit and the turns.
struct FlatCase {
    double inner = 0;
    double turns = 0;
};

// A row per combination and wire: [spokes,] the flat coil's columns and its note.
Outcome Flat(const CaseSweep<FlatCase> &sweep, const FlatForm &form, const std::vector<Wire> &wires,
             const Lengths &lengths, Format format, Sink &out);

} // namespace spirelle::cli
