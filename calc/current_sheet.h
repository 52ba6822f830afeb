#pragma once

#include <optional>

// The inductance of an ideal single-layer current sheet, from Nagaoka's
// coefficient: the yardstick that Wheeler's formula approximates. Wheeler is
// within 1 % of it for coils longer than about 0.4 x their diameter and reads
// low for shorter ones (about -4 % at 0.2, -11 % at 0.1).
//
// The complete elliptic integrals come from Boost.Math (Carlson's forms, the
// same on every build, WebAssembly included: no hand-written iteration to get
// wrong); where a difference of two of them would cancel, a power series takes
// over: of K - E for long coils, of K and E - 1 about k = 1 for short ones,
// which carry on to the long- and short-coil forms (Rosa 1906; Grover 1946)
// wherever the result is a double, whatever l/d:
//   short: L -> mu0 a N^2 (ln(8a/l) - 1/2), 7.36367 uH for a = 0.5 in, N = 1, l = 1e-200 in
//   long:  L -> mu0 pi a^2 N^2 / l, 2.50688e-157 uH for l = 1e155 in
namespace spirelle {

// Nagaoka's coefficient for a coil of that length/diameter ratio; nullopt
// unless the ratio is finite and above 0:
//   NagaokaCoefficient(1)   -> 0.688423
//   NagaokaCoefficient(0.1) -> 0.203324
//   NagaokaCoefficient(10)  -> 0.958807
std::optional<double> NagaokaCoefficient(double lengthOverDiameter);

// The current-sheet inductance in microhenries of `turns` turns on a form of
// `diameter` inches, wound `length` inches long; nullopt unless diameter and
// length are above 0 and everything, the result included, is finite:
//   CurrentSheetInductance(1, 20, 0.69) -> 8.76701 (Wheeler: 8.77193)
//   CurrentSheetInductance(1, 1, 1e-200) -> 7.36367
//   CurrentSheetInductance(0, 20, 1)    -> nullopt
std::optional<double> CurrentSheetInductance(double diameter, double turns, double length);

// How far Wheeler's value is from the current sheet's, in percent:
//   WheelerDeviationPercent(8.7719298245614, 8.76701) -> 0.0561
double WheelerDeviationPercent(double wheeler, double currentSheet);

// Below this length/diameter ratio Wheeler's formula reads more than about 1 % low.
inline constexpr double kWheelerShortCoilRatio = 0.4;

} // namespace spirelle
