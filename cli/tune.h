#pragma once

#include "calc/band.h"
#include "calc/flat_coil.h"
#include "calc/winding.h"
#include "cli/arguments.h"
#include "cli/output.h"
#include "cli/real_coil_rows.h"

#include <optional>
#include <vector>

// The questions builders ask: will my capacitor cover the band, and how many
// turns of which wire does my form take for it (or for an inductance)? The
// answers are calculated by calc/band.h and calc/winding.h; this is how the
// commands print them. A wire whose coil cannot be worked out is a row that
// says why in its error; the other rows are all printed.
namespace spirelle::cli {

// One combination of tune's arguments: the form's diameter (in `lengths`'
// unit), the capacitor and the stray (pF), the band (kHz).
struct TuneCase {
    double diameter = 0;
    double cmin = 0;
    double cmax = 0;
    double stray = 0;
    double low = 0;
    double high = 0;

    Capacitor capacitor() const { return {cmin, cmax, stray}; }
    Band band() const { return {low, high}; }
};

// The table format tells each combination's capacitor and band in words, then
// lists a row per wire; CSV and JSON give one flat row per combination and
// wire, its first columns the case's values from diameter to high.
// With a `flat` form (its inner diameter the case's diameter, a spiral's
// pitch --pitch's) the coils are flat (calc/flat_coil.h), in the flat coil's columns.
// A solenoid's row has its Q in the tuned circuit at the band's low end,
// middle and top, with a capacitor of Q `capacitorQ` (calc/losses.h); the
// table's story names the covered wire of the highest Q in the middle.
Outcome Tune(const CaseSweep<TuneCase> &sweep, const Winding &winding, const Lengths &lengths,
             const std::optional<FlatForm> &flat, double capacitorQ, Format format, Sink &out);

// One combination of wind's arguments: the inductance wanted (uH), the form's diameter.
struct WindCase {
    double inductance = 0;
    double diameter = 0;
};

// A row per combination and wire: the whole turns nearest the inductance;
// with `frequencies` (kHz, above 0; solenoids only) a row per frequency, the
// coil's AC resistance, Q and effective inductance there.
Outcome Wind(const CaseSweep<WindCase> &sweep, const Winding &winding, const Lengths &lengths,
             const std::optional<FlatForm> &flat, std::span<const double> frequencies, Format format, Sink &out);

// One combination of solenoid's arguments: the form's diameter, the turns.
struct SolenoidCase {
    double diameter = 0;
    double turns = 0;
};

// A row per combination and wire: the coil of those turns (calc/solenoid.h),
// at the winding's pitch, or at `length` (inches) over the turns when given.
// A wire thicker than the pitch is a row with no coil that says so, or a
// failed row when --wire gives it.
// With `frequencies` (kHz, above 0) a row per frequency as for wind.
Outcome Solenoid(const CaseSweep<SolenoidCase> &sweep, const Winding &winding, std::optional<double> length,
                 const Lengths &lengths, std::span<const double> frequencies, Format format, Sink &out);

} // namespace spirelle::cli
