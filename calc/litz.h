#pragma once

#include "calc/real_coil.h"

#include <optional>
#include <string_view>

// Litz wire: many fine enamelled strands twisted so that each takes every
// place in the bundle, known by its construction, "litz660x46" (660 strands of
// AWG 46) or "litz660x0.04mm" (strands of 0.04 mm copper). Lengths in inches.
//
// Construction (what ParseLitz builds):
//  - A strand's copper: its AWG by the gauge's definition (AwgBareDiameter),
//    or the diameter given; AWG 50 to 30 (0.0250 mm to 0.255 mm).
//  - A strand's enamel: the heavy-build increment of calc/wire.h. Litz strands
//    are often single build, a little thinner: the bundle here then comes out
//    a few per cent thicker than a catalogue's.
//  - The bundle: the strands' outside diameters packed at the density of
//    randomly close-packed equal disks, 0.82 (Berryman 1983, Phys. Rev. A 27,
//    1053), D = d_so sqrt(n / 0.82); then a textile serving of 0.06 mm (2.5 mil)
//    on the diameter (Sullivan 1999, section III). Or the outside diameter the
//    caller measured (LitzWire's `outside`): the bundle is then that less the serving.
//  - DC resistance: the strands' copper in parallel, each longer than the
//    bundle by the lay, the factor k1 = 1.04 of IEC 60317-11 for litz bunched
//    twice (as Elektrisola states it: 1.02 once, 1.04 twice, 1.06 three times
//    or more; 660/46 is usually made as 5 x 132 or 3 x 220). The Wire's bare
//    diameter is that of the solid copper wire of the same DC resistance,
//    d_s sqrt(n / k1), so every DC resistance the program gives (calc/solenoid.h)
//    reads the Litz wire's. Rosa's ks then sees a wire of that diameter: the
//    current spread evenly through a bundle of diameter D has the self-GMD of a
//    thin-skinned wire of 0.7788 D (Grover 1946), and d_s sqrt(n / k1) is 0.70
//    to 0.78 D for the fills of real Litz, a few thousandths of ks.
// Worked value: litz660x46: strands 0.00156832 in copper, 0.00186757 in over
//   the enamel; bundle 0.0529836 in, outside 0.0553458 in; DC-equivalent bare
//   diameter 0.0395084 in (scripts/litz_values.py, mpmath).
namespace spirelle {

inline constexpr int kLitzStrandAwgThickest = 30;
inline constexpr int kLitzStrandAwgThinnest = 50;
inline constexpr double kLitzPacking = 0.82;          // Berryman 1983
inline constexpr double kLitzServing = 0.06 / 25.4;   // inches on the diameter, Sullivan 1999
inline constexpr double kLitzLayFactor = 1.04;        // IEC 60317-11's k1, bunched twice
inline constexpr double kHexagonalPacking = 0.906900; // pi / (2 sqrt 3), the densest packing of disks

// The Litz wire of `strands` strands of `strandDiameter` inches of copper,
// named `name`, its outside diameter built as above or `outside` when given.
// Refused (a WireError naming `name`): 0 strands, a strand outside AWG 50 to
// 30, and an outside diameter whose bundle cannot hold the strands even at the
// densest packing (a strand thicker than the bundle among them).
Wire LitzWire(std::string_view name, int strands, double strandDiameter, std::optional<double> outside = std::nullopt);

// A Litz wire's name read, or nullopt when `text` does not start with "litz"
// (any case). The strand after the "x" is an AWG (a whole number), a diameter
// in millimetres ("0.04mm") or a plain diameter, `unitsPerInch` to the inch:
//   "litz660x46"     -> 660 strands of AWG 46, outside 0.0553458 in
//   "LITZ 660 x 0.04mm" -> 660 strands of 0.04 mm
//   "litz0x46"       -> WireError NotAboveZero     "litz660x20", "litz660x0.5mm" -> WireError NoSuchGauge
//   "litz", "litzx46", "litz660" -> WireError NotAWire
std::optional<Wire> ParseLitz(std::string_view text, double unitsPerInch, std::string_view decimalSeparator);

// The bundle's diameter inside the serving, inches: LitzBundleDiameter(litz660x46) -> 0.0529836.
double LitzBundleDiameter(const Wire &litz);

// The copper's cross-section, square inches: n pi d_s^2 / 4.
double LitzCopperArea(const Wire &litz);

// The AC resistance over the DC resistance of a Litz wire wound in a coil,
// at `frequencyHz`, by Sullivan's model (Sullivan 1999, "Optimal choice for
// number of strands in a litz-wire transformer winding", IEEE Trans. Power
// Electronics 14(2), 283-291). Its assumptions: every strand carries the same
// share of the current (perfect twisting); each strand loses what a round wire
// alone loses (skin effect) and what it loses in the field where it lies
// (proximity), the field being the bundle's own plus the coil's; the current
// spreads evenly over the bundle's disc of diameter D_b (inside the serving).
// The strand's losses are Butterworth's F and G (calc/losses.h) at its
// q_s = d_s / (delta sqrt 2); their first terms, (d_s/delta)^4 / 768 and
// q_s^4 / 64, are the ones Sullivan uses (his eddy loss pi w^2 B^2 d_s^4 / (128 rho)
// a unit length). The mean square of the bundle's own field, I^2 / (2 pi^2 D_b^2),
// and the coil's, (phi - 1) I^2 / (2 pi^2 D_b^2) from Medhurst's proximity factor
// phi at the bundle's diameter and the pitch (a round wire's extra loss in a
// field at high frequency is 2 pi^2 D^2 <H^2> / I^2 of its own), give
//   R_ac / R_dc = 1 + F(q_s) + 2 phi n^2 (d_s / D_b)^2 G(q_s),
// for n = 1 and d_s = D_b the solid wire's 1 + F + 2 (phi - 1) G and its bundle's own field.
// Optimistic: real twisting leaves bundle-level eddy currents between
// sub-bundles (Sullivan and Zhang 2014), strands break or are left unsoldered
// at the ends, and the enamel's and serving's dielectric losses are not in it.
//   LitzResistanceRatio(660, AwgBareDiameter(46), 0.0529836, 1e6, 1) -> 1.393 (scripts/litz_values.py)
double LitzResistanceRatio(int strands, double strandDiameter, double bundleDiameter, double frequencyHz,
                           double proximityFactor);

} // namespace spirelle
