#pragma once

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
namespace spirelle {

// A round wire: its outside diameter over the enamel is the pitch of a
// close-wound coil; the bare diameter is the copper's.
struct Wire {
    std::string name;            // "# 20", or the caller's name ("custom")
    double outsideDiameter = 0;  // inches
    double bareDiameter = 0;     // inches
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
inline constexpr double DefaultBareDiameter(double outsideDiameter) { return kBareOfOutside * outsideDiameter; }

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

// The round-wire inductance in uH of `turns` turns of `wire`, close-wound on a
// form of `formDiameter` inches (Rosa 1906, above):
//   RoundWireInductance(2, {"# 20", .0345, .0319615}, 128) -> 315.262
double RoundWireInductance(double formDiameter, const Wire &wire, int turns);

// Medhurst's fit for the self-capacitance in pF of a single-layer coil of
// diameter Dc and winding length l (Medhurst 1947), an estimate:
//   C = Dc[cm] (0.1126 x + 0.08 + 0.27 / sqrt(x)),  x = l / Dc:
//   MedhurstCapacitance(2.0345, 4.416) -> 2.62345
double MedhurstCapacitance(double coilDiameter, double windingLength);

// A close-wound coil of whole turns of one wire, worked out.
struct RealCoil {
    int turns = 0;
    double coilDiameter = 0;      // inches, to the wire centres
    double windingLength = 0;     // inches, turns x outside diameter
    double inductance = 0;        // uH, round wire (Rosa)
    double wheelerInductance = 0; // uH, Wheeler's formula for the same diameter and length
    double selfCapacitance = 0;   // pF (Medhurst)
    double wireLength = 0;        // inches of wire, turns x pi x coil diameter
};

// Everything about `turns` turns of `wire` on the form; turns must be 1 or more.
RealCoil MakeRealCoil(double formDiameter, const Wire &wire, int turns);

// More turns than anyone winds; the searches stop here.
inline constexpr int kMaxTurns = 100'000'000;

} // namespace spirelle
