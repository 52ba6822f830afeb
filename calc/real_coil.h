#pragma once

#include <optional>
#include <string>

// The coil a builder actually winds: whole turns of round wire, close-wound on
// a form, with the wire's centres half a wire above the form's surface, and the
// capacitance the winding has of its own. Units: inches, microhenries,
// picofarads. Invalid inputs throw CalcError::outOfRange naming the input.
//
// Rosa's method (Rosa 1906; tables in Grover 1946): the inductance of the ideal
// current sheet on the coil diameter (current_sheet.h), less what a winding of
// separate round wires lacks against that sheet, per turn ks (the turn's own
// inductance) and km (its mutual inductance with the others):
//   L = Lsheet(Dc, N, N p) - mu0 a N (ks + km),   a = Dc / 2.
// Worked value: 128 turns of # 20 (p = .0345, bare .0319615) on a 2 in form:
//   Dc 2.0345, ks 0.730374, km 0.328975, L 315.26207 uH (Wheeler 317.99763).
// Spaced coils: ks takes the pitch p in place of the outside diameter.
namespace spirelle {

// A round wire: its outside diameter over the enamel is the pitch of a
// close-wound coil; the bare diameter is the copper's.
struct Wire {
    std::string name;           // "# 20", or the caller's name ("custom")
    double outsideDiameter = 0; // inches
    double bareDiameter = 0;    // inches; a Litz wire's: the solid wire of its DC resistance (calc/litz.h)
    int strands = 0;            // a Litz wire's strands; 0 for solid wire
    double strandDiameter = 0;  // inches, a Litz strand's copper
};

// The bare diameter of AWG gauge n, by the gauge's definition (36 is 0.005 in,
// 0000 (n = -3) is 0.46 in): 0.005 in x 92^((36 - n) / 39):
//   AwgBareDiameter(20) -> 0.0319615   AwgBareDiameter(30) -> 0.0100252
double AwgBareDiameter(int gauge);

// Lengths are inches inside the core; millimetres are for reading and writing only.
inline constexpr double kMillimetresPerInch = 25.4;

// The bare diameter of a wire known only by its outside diameter: the enamel of
// magnet wire takes about 8 % of it (# 20: .0345 over .0320 bare).
//   DefaultBareDiameter(0.05) -> 0.046
inline constexpr double kBareOfOutside = 0.92;
inline constexpr double DefaultBareDiameter(double outsideDiameter)
{
    return kBareOfOutside * outsideDiameter;
}

// The diameter to the wire's centres: form diameter + wire outside diameter:
//   CoilDiameter(2, 0.0345) -> 2.0345
double CoilDiameter(double formDiameter, double outsideDiameter);

// Rosa's self-inductance correction for round wire of bare diameter d at
// pitch p: ks = c - ln(2p / d), the difference between a band of the current
// sheet, mu0 a (ln(8a/p) - 1/2), and a loop of the wire, mu0 a (ln(8a/r) - 2
// + y) with y its internal part. Rosa 1906 has c = 5/4 for current spread
// evenly over the wire (y = 1/4); at 0.5-2 MHz the current keeps to a skin a
// few hundredths of a millimetre deep, the internal part is gone (y = 0), the
// wire's own inductance is smaller and the correction larger: c = 3/2.
//   RosaSelfCorrection(0.0345, 0.0319615) -> 0.730374
inline constexpr double kRosaSelfConstant = 1.5;
double RosaSelfCorrection(double pitch, double bareDiameter);

// Rosa's mutual-inductance correction km for N turns (Rosa 1906; Grover 1946
// tabulates it: N = 2: 0.1137, 10: 0.2664, 100: 0.3269), 0 for one turn,
// rising to ln(2 pi) - 3/2 = 0.337877:
//   RosaMutualCorrection(10) -> 0.266408
double RosaMutualCorrection(int turns);

// km for a fractional number of turns (1 or more), interpolated linearly
// between the whole numbers around it (Rosa's sum is over whole turns):
//   RosaMutualCorrection(2.5) -> (0.113706 + 0.166330) / 2 = 0.140018
double RosaMutualCorrection(double turns);

// The round-wire inductance in uH of `turns` turns of `wire`, close-wound on a
// form of `formDiameter` inches (Rosa 1906, above):
//   RoundWireInductance(2, {"# 20", .0345, .0319615}, 128) -> 315.262
double RoundWireInductance(double formDiameter, const Wire &wire, int turns);

// The same for `turns` (1 or more, fractional allowed) wound at `pitch`
// inches a turn, not below the wire's outside diameter: ks takes the pitch,
// km (which depends on N alone) is the same for any pitch, as Grover 1946
// tabulates them (his G = 5/4 - ln(2p/d) against d/p, H against N); the
// current sheet is N turns over N p. A pitch below the outside diameter throws
// OutOfRange "pitch", naming both:
//   RoundWireInductance(2, {"# 20", .0345, .0319615}, 40, 0.069) -> 44.7243 (2.76 in long, a wire between turns)
double RoundWireInductance(double formDiameter, const Wire &wire, double turns, double pitch);

// Medhurst's measured self-capacitance of single-layer coils (Medhurst 1947,
// the table reproduced in the Radiotron Designer's Handbook, 4th ed. 1953,
// ch. 11): H in pF per cm of coil diameter against l/D, 0.1 to 50, taken
// from the transcription Rzeszotarski posted to the Tesla Coil Mailing List
// (12 Nov 1997); its rows 0.1 to 5 agree with a second, independent
// transcription (glukki's Proxmark3 antenna calculator, GitHub gist 2022),
// and its rows 6 to 50 lie within 6 % of Medhurst's own fit. Medhurst states
// about 5 % for his measurements. Between rows H is interpolated linearly in
// l/D; outside them it is held at the end row, never extrapolated:
//   MedhurstCoefficient(1) -> 0.46   MedhurstCoefficient(2.75) -> 0.585
//   MedhurstCoefficient(0.06) -> 0.96 (held)   MedhurstCoefficient(80) -> 5.8 (held)
double MedhurstCoefficient(double lengthOverDiameter);
inline constexpr double kMedhurstShortest = 0.1;
inline constexpr double kMedhurstLongest = 50;

// The self-capacitance in pF of a coil of diameter Dc and winding length l
// (inches): H(l / Dc) x Dc in cm:
//   MedhurstCapacitance(2.0345, 4.416) -> l/D 2.17055, H 0.520466, x 5.16763 cm = 2.68958
double MedhurstCapacitance(double coilDiameter, double windingLength);

// "" within Medhurst's measurements; otherwise a note that the value is held:
//   MedhurstNote(2.0345, 0.0345) -> "outside Medhurst's measurements, l/D 0.017"
std::string MedhurstNote(double coilDiameter, double windingLength);

// A coil of whole turns of one wire, worked out.
struct RealCoil {
    int turns = 0;
    double coilDiameter = 0;      // inches, to the wire centres
    double windingLength = 0;     // inches, turns x pitch
    double inductance = 0;        // uH, round wire (Rosa)
    double wheelerInductance = 0; // uH, Wheeler's formula for the same diameter and length
    double selfCapacitance = 0;   // pF (Medhurst)
    double wireLength = 0;        // inches of wire, turns x pi x coil diameter
    double pitch = 0;             // inches a turn: the wire's outside diameter unless given
    std::string note;             // why a value is uncertain (MedhurstNote); "" when none is
};

// Everything about `turns` turns of `wire` on the form, wound at `pitch`
// (default: close-wound, the wire's outside diameter); turns must be 1 or more.
RealCoil MakeRealCoil(double formDiameter, const Wire &wire, int turns, std::optional<double> pitch = std::nullopt);

// The pitch a coil is wound at: `pitch` when given, else the wire's outside diameter.
inline double PitchOf(const Wire &wire, std::optional<double> pitch)
{
    return pitch.value_or(wire.outsideDiameter);
}

// More turns than anyone winds; the searches stop here.
inline constexpr int kMaxTurns = 100'000'000;

} // namespace spirelle
