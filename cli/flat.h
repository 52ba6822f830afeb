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

// --spokes: an odd whole number, 5 or more; "" is 9. Else a UsageError naming it.
int ReadSpokes(std::string_view text);

// --kind: "solenoid" (nullopt), "spiral" or "spider" (a flat form with
// `spokes`); anything else is a UsageError.
std::optional<FlatForm> ReadKind(std::string_view kind, int spokes);

// Every diameter of `diameters` (typed, in `lengths`' unit) with every wire
// makes a form that holds (a spiral's pitch aside: a wire thicker than it is
// its row's error): else a UsageError naming `diameterName` or --spokes.
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

// A row per combination and wire: [spokes,] the flat coil's columns and its
// note; `form`'s pitch is the winding's.
Outcome Flat(const CaseSweep<FlatCase> &sweep, FlatForm form, const Winding &winding, const Lengths &lengths,
             Format format, Sink &out);

} // namespace spirelle::cli
