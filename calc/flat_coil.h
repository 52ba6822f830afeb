#pragma once

#include "calc/band.h"
#include "calc/real_coil.h"
#include "calc/winding.h"

#include <optional>
#include <string>

// Flat coils: the flat spiral (pancake) and the spiderweb, wound outward in one
// plane from an inner diameter. Units: inches, uH, ohms. Invalid inputs throw
// CalcError::outOfRange naming the input.
//
// The model: N concentric circular turns of round wire, turn i's centre at
// radius r_i = D_i/2 + OD/2 + i p (i = 0 ... N-1), p the radial pitch. Its
// inductance is the sum of each turn's own and of every pair's mutual:
//  - a circular ring of round wire of radius r (bare) at radio frequency, the
//    current in the wire's skin, no internal inductance (Rosa 1908, "The self
//    and mutual inductances of linear conductors", eq. for a circular ring;
//    Grover 1946, ch. 13, eq. (2) with the internal term 1/4 dropped):
//      L = mu0 R (ln(8R / r) - 2),  as real_coil.h's Rosa term takes a turn;
//  - two coplanar coaxial circles of radii a, b (Maxwell; Grover 1946, ch. 13,
//    eq. (1)): M = mu0 sqrt(ab) ((2/k - k) K(k) - (2/k) E(k)), k^2 = 4ab / (a + b)^2,
//    K and E the complete elliptic integrals of modulus k (Boost.Math).
// Wheeler 1928's flat-spiral formula is the comparison, the winding measured to
// its edges: L = a^2 N^2 / (8a + 11c) uH, c = (N - 1) p + OD, a = D_i/2 + c/2
// (inches); Wheeler gives it within about 5 % for c above 0.2 a.
//
// A spiderweb of S spokes (odd, 5 or more) on a hub of D_i: the wire goes over
// and under the spokes in turn, so each turn lies beside the last on the other
// side of each spoke. Assumed here (a modelling assumption, not a published
// rule): its turns are the flat spiral's at the radial pitch of the wire's
// outside diameter, the two interleaved planes taken as one (the spokes'
// thickness and the weave's extra wire are neglected); the hub holds the
// spokes when its circumference has room for S spokes and S slots each at
// least a wire wide, pi D_i >= 2 S OD.
//
// Self-capacitance: no published estimate for flat coils is used here; it is
// not estimated (NaN) and a band design tunes with the capacitor and its stray alone.
// Wire length: the sum of the turns' circumferences; DC resistance for annealed
// copper as solenoid.h.
//
// Worked value: 20 turns of awg24 (OD 0.0220 in, bare 0.0201 in) from a
// 1 in inner diameter, close: scripts/flat_coil_values.py prints the sum.
// Not modelled: the spiral's pitch angle (turns are circles), the leads, skin
// and proximity losses, the form's dielectric.
namespace spirelle {

struct FlatCoil {
    std::string wire;
    int turns = 0;
    int spokes = 0;               // 0 for a flat spiral
    double innerDiameter = 0;     // inches, the winding's inside edge
    double outerDiameter = 0;     // inches, its outside edge: D_i + 2c
    double pitch = 0;             // inches, radial, turn to turn
    double inductance = 0;        // uH, the sum over the turns
    double wheelerInductance = 0; // uH, Wheeler 1928
    double selfCapacitance = 0;   // pF; NaN: not estimated
    double wireLength = 0;        // inches, the turns' circumferences
    double dcResistance = 0;      // ohms
    std::string note;
};

// What a flat coil is wound on: a spiral from `innerDiameter` at `pitch`
// (default the wire's outside diameter), or a spiderweb of `spokes` (odd, 5 or more).
struct FlatForm {
    double innerDiameter = 0;
    int spokes = 0; // 0: a flat spiral
    std::optional<double> pitch;
};

inline constexpr int kDefaultSpokes = 9;

// More turns than a flat coil is ever wound with (the sum is N^2/2 pairs); the searches stop here.
inline constexpr int kMostFlatTurns = 1000;

// uH of a circular ring of radius `radius` of round wire of `bareDiameter`:
//   RingInductance(1, 0.0201) -> 0.149367 (mu0 0.0254 m (ln(8 / 0.01005) - 2))
double RingInductance(double radius, double bareDiameter);

// uH between two coplanar coaxial circles of radii a and b (a != b):
//   CoplanarMutualInductance(1, 2) -> 0.0278698
double CoplanarMutualInductance(double a, double b);

// Wheeler 1928 for N turns at pitch p of wire OD from D_i (inches), in uH:
//   WheelerFlatInductance(1, 0.05, 10, 0.05) -> a = 0.75, c = 0.5: 56.25 / 11.5 = 4.891
double WheelerFlatInductance(double innerDiameter, double outsideDiameter, int turns, double pitch);

// The pitch the form winds at: the given one, else the wire's outside diameter;
// a spiderweb always the wire's. Throws "spokes", "pitch", or the diameter's name.
double CheckFlatForm(const FlatForm &form, const Wire &wire);

// `turns` (1 or more) of `wire` on the form, worked out.
FlatCoil MakeFlatCoil(const FlatForm &form, const Wire &wire, int turns);

// The flat coil as the band design's and the tables' real coil: coil diameter
// the outer diameter, winding length the radial depth c, C self NaN.
RealCoil AsRealCoil(const FlatCoil &coil);

// The most whole turns whose top reaches the band's top, as DesignForBand.
BandDesign DesignFlatForBand(const FlatForm &form, const Wire &wire, const Capacitor &capacitor, const Band &band);

// The whole turns nearest `inductance` uH, as Wind.
RealCoil WindFlat(double inductance, const FlatForm &form, const Wire &wire);

} // namespace spirelle
