#pragma once

#include "calc/real_coil.h"

#include <optional>
#include <string>

// A coil forward: the turns of a wire on a form, at a pitch, and what the coil
// then is. Units: inches, uH, pF, kHz, ohms. Invalid inputs throw
// CalcError::outOfRange naming the input.
//
// Sources: the round-wire inductance of real_coil.h (Rosa 1906, Grover 1946);
// Wheeler 1928 and the current sheet (Nagaoka 1909) for comparison; the
// self-capacitance from Medhurst's table (Medhurst 1947); the lumped
// self-resonance 1 / (2 pi sqrt(L C)), the coil's inductance with its own
// capacitance; the wire as a helix of N turns of circumference pi Dc rising p a
// turn, N sqrt((pi Dc)^2 + p^2); its DC resistance for annealed copper at
// 20 degrees C, 1.7241e-8 ohm m (the IACS of IEC 60028), over the bare diameter.
// Worked value: 40 turns of awg24 (0.0220 in over 0.0201 in copper) on a
// 1.5 in form at 0.05 in a turn: scripts/real_coil_values.py prints every field.
// Not modelled: skin and proximity losses (the DC resistance is at DC), the
// form's dielectric, the leads, a coil's distributed resonance above the lumped one.
namespace spirelle {

struct Solenoid {
    std::string wire;                  // the wire's name
    double turns = 0;                  // may be fractional
    double pitch = 0;                  // inches a turn
    double coilDiameter = 0;           // inches, to the wire centres
    double windingLength = 0;          // inches, turns x pitch
    double inductance = 0;             // uH, round wire (Rosa)
    double wheelerInductance = 0;      // uH, Wheeler 1928, same diameter and length
    double currentSheetInductance = 0; // uH, Nagaoka's current sheet, same diameter and length
    double selfCapacitance = 0;        // pF, Medhurst's table
    double selfResonanceKHz = 0;       // kHz, the inductance with its own capacitance
    double wireLength = 0;             // inches, the helix
    double dcResistance = 0;           // ohms, annealed copper at 20 degrees C
    double bareDiameter = 0;           // inches, the wire's copper
    int strands = 0;                   // a Litz wire's (calc/litz.h); 0 for solid wire
    double strandDiameter = 0;         // inches, a Litz strand's copper
    double bundleDiameter = 0;         // inches, a Litz wire's strands inside the serving
    std::string note;                  // MedhurstNote; "" when none
};

// Annealed copper at 20 degrees C (IEC 60028), ohm metres.
inline constexpr double kCopperResistivity = 1.7241e-8;

// The pitch that spreads `turns` over a winding `length` (both above 0):
//   PitchForLength(2, 40) -> 0.05
double PitchForLength(double length, double turns);

// Inches of wire in the helix: HelixWireLength(2, 10, 0.1) -> 62.8327 (10 x sqrt((2 pi)^2 + 0.01))
double HelixWireLength(double coilDiameter, double turns, double pitch);

// Ohms of `length` inches of copper of `bareDiameter` inches:
//   CopperResistance(12000, AwgBareDiameter(20)) -> 10.1 (AWG 20: 10.15 ohm per 1000 ft)
double CopperResistance(double length, double bareDiameter);

// `turns` turns of `wire` on a form of `formDiameter`, at `pitch` (default:
// close-wound). A pitch below the wire's outside diameter throws "pitch".
Solenoid MakeSolenoid(double formDiameter, const Wire &wire, double turns, std::optional<double> pitch = std::nullopt);

// What follows from a coil's shape, inductance and self-capacitance with its
// wire: the lumped self-resonance, the helix's length, its DC resistance, the
// copper's diameter and a Litz wire's strands.
void WindWire(Solenoid &s, const Wire &wire);

} // namespace spirelle
