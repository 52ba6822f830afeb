#pragma once

#include "calc/solenoid.h"

#include <string>

// What a single-layer coil of solid round wire loses at radio frequency, its Q,
// and the bandwidth of the circuit it is tuned in.
//
// Sources:
//  - Skin depth of a plane conductor, delta = sqrt(rho / (pi f mu0)), mu0 = 4 pi 1e-7 H/m.
//  - Skin and proximity effects of a round wire: Butterworth 1926 ("Effective
//    resistance of inductance coils at radio frequency", Experimental Wireless 3),
//    his F(q) and G(q) of q = d / (delta sqrt 2), d the bare diameter, from the
//    Kelvin functions ber, bei and their derivatives:
//      1 + F = (q/2) (ber bei' - bei ber') / (ber'^2 + bei'^2)
//      G     = -(q/4) (ber2 ber' + bei2 bei') / (ber^2 + bei^2)   (ber2, bei2 of order 2, as mpmath signs them)
//    Values (mpmath, to Butterworth's 4 digits): q = 1: F 0.005187, G 0.01519; q = 5: F 1.043, G 0.7550.
//  - The coil's proximity factor Phi(l/D, p/d), the ratio of a coil's
//    high-frequency resistance to that of the same wire straight: Medhurst 1947
//    ("H.F. resistance and self-capacitance of single-layer solenoids", Wireless
//    Engineer 24), his measured table (ProximityFactor below).
//  - The coil's resistance, Butterworth's form with Medhurst's factor:
//      R = Rdc ((1 + F) + u G),  u = 2 (Phi - 1);
//    as q grows 2G approaches 1 + F, so R tends to Phi times the straight
//    wire's, Medhurst's measurement; at low frequency R tends to Rdc.
//  - The coil's own Q with its self-capacitance Cs (Medhurst 1947; Terman 1943,
//    Radio Engineers' Handbook): Leff = L / (1 - w^2 L Cs),
//    Reff = R / (1 - w^2 L Cs)^2, Q = w Leff / Reff.
//  - The tuned circuit (Terman 1943): the coil's Q in the tank is w L / R (Cs is
//    part of the tuning capacitance), 1/Qtank = R/(w L) + 1/Qc, bandwidth f / Qtank.
// Worked value: 128 turns of # 20 on a 2 in form (Dc 2.0345 in, l 4.416 in),
// at 1000 kHz: delta 66.08 um, q 8.686, Phi 3.523 (l/D 2.171, d/p 0.9264),
// R 7.228 ohm against Rdc 0.6922, Q 264.9; scripts/loss_values.py prints them (mpmath).
// Not modelled: the dielectric loss of the form and the wire's enamel, the
// leads, radiation, the wire's temperature (copper at 20 degrees C), Litz wire.
namespace spirelle {

// Skin depth in metres of a conductor of `resistivity` (ohm m) at `frequencyHz` (above 0):
//   SkinDepth(1e6) -> 6.6085e-5 (copper, 66 um at 1 MHz)
double SkinDepth(double frequencyHz, double resistivity = kCopperResistivity);

// Butterworth's q of a round wire of bare diameter `bareDiameterMetres`: d / (delta sqrt 2):
//   ButterworthArgument(0.0319615 * 0.0254, 1e6) -> 8.686
double ButterworthArgument(double bareDiameterMetres, double frequencyHz, double resistivity = kCopperResistivity);

// Butterworth's skin-effect function F (R / Rdc of a straight wire is 1 + F)
// and proximity function G.
struct SkinProximity {
    double f = 0;
    double g = 0;
};

// F and G at q (0 or above), to about 1e-12 relative: from the power series
// of J0 and J1 at q e^(3 pi i / 4) (ber + i bei = J0 of that) up to q = 25,
// from Hankel's asymptotic expansion above. Boost.Math has no Kelvin functions.
//   ButterworthFunctions(1) -> {0.0051867, 0.0151904}   ButterworthFunctions(100) -> {34.6067, 17.5524}
//   ButterworthFunctions(-1) -> OutOfRange "q"
SkinProximity ButterworthFunctions(double q);

// Medhurst's proximity factor, and whether the coil lies outside his table.
struct ProximityFactor {
    double phi = 1;
    bool outsideTable = false; // l/D above 10: held at l/D = 10
};

// Medhurst's table (Medhurst 1947) of rows l/D 0 to 10 and columns
// d/p 1.0 to 0.1 (his variable; p/d 1 to 10), and the isolated wire's 1 at
// d/p = 0, as transcribed by Stroobandt (ON4AA's RF coil calculator) and a
// second transcription (a TypeScript RF inductor calculator, GitHub) that
// agree in every cell but one: l/D 10, d/p 0.7, where the first has 2.27 and
// the second 2.37; 2.37 is taken, the column rises from l/D 2 on. Interpolated
// bilinearly in l/D and d/p; l/D above 10 is held at 10 (outsideTable),
// never extrapolated. A pitch below the bare diameter (d/p above 1) is held at 1.
//   MedhurstProximity(1, 2) -> {1.67, false}   MedhurstProximity(0.5, 1) -> {5.725, false}
//   MedhurstProximity(20, 2) -> {1.83, true}
ProximityFactor MedhurstProximity(double lengthOverDiameter, double pitchOverWire);
inline constexpr double kMedhurstProximityLongest = 10;

// R / Rdc of a coil: Butterworth's (1 + F) + u G with u = 2 (Phi - 1):
//   AcResistanceRatio(8.686, 3.523) -> 10.44
double AcResistanceRatio(double q, double proximityFactor);

// A coil at one frequency.
struct CoilAtFrequency {
    double frequencyKHz = 0;
    double acResistance = 0;        // ohms, without the self-capacitance transform
    double effectiveInductance = 0; // uH, Leff; NaN at or above self-resonance
    double effectiveResistance = 0; // ohms, Reff; NaN at or above self-resonance
    double q = 0;                   // the coil's own Q, w Leff / Reff; NaN at or above self-resonance
    double tankQ = 0;               // the coil's Q in a tuned circuit, w L / R
    bool aboveSelfResonance = false;
    std::string note;               // why the Q is missing or uncertain; "" when none
};

// `coil` (its bareDiameter, dcResistance, pitch, coilDiameter and
// windingLength) at `frequencyKHz` (above 0, else OutOfRange "frequency").
CoilAtFrequency CoilAt(const Solenoid &coil, double frequencyKHz);

// The tuned circuit of a coil whose Q in the tank is `coilQ`, with a capacitor
// of Q `capacitorQ` (both above 0): 1 / (1/coilQ + 1/capacitorQ):
//   TankQ(200, 2000) -> 181.818
double TankQ(double coilQ, double capacitorQ);

// A good air-spaced variable capacitor.
inline constexpr double kDefaultCapacitorQ = 2000;

// Medhurst's figure for the best single-layer coil of solid wire at a
// diameter: Q = 50 Dc[cm] sqrt(f[MHz]) (Medhurst 1947):
//   MedhurstBestQ(2.0345, 1000) -> 258.38
double MedhurstBestQ(double coilDiameterInches, double frequencyKHz);

} // namespace spirelle
