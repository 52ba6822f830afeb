#pragma once

#include "calc/real_coil.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// Magnet wire known by its name, as builders write it: a gauge (AWG or the
// British Standard Wire Gauge), an outside diameter in millimetres, or a plain
// outside diameter in the caller's unit. Lengths come back in inches.
//
// Sources:
//  - AWG: the gauge's definition, 39 steps in geometric progression from 0000
//    (0.46 in) to 36 (0.005 in): d = 0.005 in x 92^((36 - n) / 39) (AwgBareDiameter).
//  - SWG: the Imperial Standard Wire Gauge of 1883 as BS 3737 tabulates it,
//    7/0 (0.500 in) to 50 (0.001 in).
//  - Enamel: NEMA MW 1000's heavy build (double film). Its table gives, per AWG
//    6 to 40, the least increment of the film over the copper and the largest
//    overall diameter; the outside diameter here is the bare diameter plus that
//    least increment (transcribed from a NEMA MW 1000 data sheet), an
//    approximation a few tenths of a mil under the mid-tolerance diameter. A
//    wire of any other bare diameter takes the increment interpolated linearly
//    in bare diameter between the table's rows; thicker than AWG 6 it is held
//    at AWG 6's 3.5 mil, thinner than AWG 40 it shrinks in proportion to the
//    bare diameter (NEMA's own rows for 41 to 56 are not transcribed here).
// Worked value: awg20 -> bare 0.0319615 in, outside 0.0342615 in (+ 2.3 mil);
// swg22 -> bare 0.028 in, outside 0.0301852 in.
// Litz wire: calc/litz.h.
// Not modelled: single or triple build, served solid wire, metric IEC 60317 grades.
namespace spirelle {

// Why a wire's name was refused.
enum class WireErrorKind {
    NotAWire,     // not a form this file reads ("swg", "22x", "")
    NoSuchGauge,  // a gauge outside its table ("awg47", "swg51")
    NotAboveZero, // an outside diameter of 0 or less ("0", "-1mm")
};

class WireError : public std::runtime_error {
public:
    WireError(WireErrorKind kind, std::string text, const std::string &message);
    WireErrorKind kind() const noexcept { return m_kind; }
    // The text refused, as the caller gave it.
    const std::string &text() const noexcept { return m_text; }

private:
    WireErrorKind m_kind;
    std::string m_text;
};

// The unit a plain number is read in; "…mm" is millimetres whatever this is.
enum class LengthUnit { Inches, Millimetres };

// A wire by its name; blanks around it are ignored, letters may be capitals.
//   "awg20", "#20", "# 20"      -> {"awg20"/"#20"/"# 20", 0.0342615, 0.0319615}
//   "awg0000", "awg4/0"         -> AWG 0000, bare 0.46 in
//   "swg22"                     -> {"swg22", 0.0301852, 0.028}    "swg7/0", "swg0000000" -> SWG 7/0
//   "0.5mm"                     -> {"0.5mm", 0.5 / 25.4, 0.92 x that}
//   "0.05"                      -> {"custom", 0.05, 0.046}     "0.5" in mm -> {"custom", 0.5 / 25.4, ...}
//   "litz660x46", "litz660x0.04mm" -> a Litz wire (calc/litz.h's ParseLitz)
//   "awg47", "swg51"            -> WireError NoSuchGauge
//   "0", "-1mm"                 -> WireError NotAboveZero
//   "swg", "awg", "22x", "#", "" -> WireError NotAWire
Wire ParseWire(std::string_view text, LengthUnit unit = LengthUnit::Inches, std::string_view decimalSeparator = ".");

// The gauge a plain number might have been meant as, when it is a whole
// number AWG has (0 to 46): for a message such as "did you mean awg22?".
//   GaugeSuggestion(22) -> "awg22"   GaugeSuggestion(0.0285) -> nullopt   GaugeSuggestion(47) -> nullopt
std::optional<std::string> GaugeSuggestion(double plainNumber);

// The bare diameter in inches of SWG gauge g (g = 0 for 0, -1 for 2/0 ... -6
// for 7/0), from the table; nullopt outside -6 to 50:
//   SwgBareDiameter(22) -> 0.028   SwgBareDiameter(-6) -> 0.5
std::optional<double> SwgBareDiameter(int gauge);

// The heavy-build enamel's increment in inches over a bare diameter (above):
//   HeavyBuildIncrement(AwgBareDiameter(20)) -> 0.0023
double HeavyBuildIncrement(double bareDiameter);

} // namespace spirelle
