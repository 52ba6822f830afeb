#pragma once

#include "calc/winding.h"
#include "cli/output.h"

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

// The six gauges, then "custom" when --wire is given (`wireText` and
// `bareText` the options' texts, "" when not given; the parser lets --bare
// come only with --wire), in `lengths`' unit. A range, a diameter of 0 or a
// bare diameter above the outside one is a UsageError:
//   ("", "")          -> # 20 ... # 30
//   ("0.05", "")      -> ..., custom 0.05 in over the enamel, 0.046 in bare
//   ("0.03", "0.04")  -> UsageError "--bare 0.04 is above --wire 0.03; ..."
std::vector<Wire> WiresFor(std::string_view wireText, std::string_view bareText, const Lengths &lengths);

// The columns of a real coil (pages/coil_columns.h), in `lengths`' unit, the
// band's among them when `band`: wire, turns, coil_diameter_in,
// winding_length_in, inductance_uH, wheeler_uH, self_capacitance_pF,
// [high_kHz, low_kHz, covered,] wire_ft[, note]. The band's note says why a
// wire has no coil (the cells before it are gaps). With `flat`, a flat coil's
// (pages/coil_columns.h's FlatCoilColumns).
std::vector<Column> CoilColumns(const Lengths &lengths, bool band, bool flat = false);

// A wire's cells for the band's columns: its tuned coil, or gaps and the reason.
void AppendCoilCells(std::vector<Cell> &cells, const BandDesign &design, const Lengths &lengths, bool flat = false);

// A wire's cells for the columns without the band's.
void AppendCoilCells(std::vector<Cell> &cells, const Wire &wire, const RealCoil &coil, const Lengths &lengths,
                     bool flat = false);

} // namespace spirelle::cli
