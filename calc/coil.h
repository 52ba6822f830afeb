#pragma once

#include <string>
#include <string_view>

// The coil and resonance formulas. Units as the pages name them: inches,
// turns, microhenries, picofarads, megahertz and feet. Each formula is a fixed
// sequence of checked statements (checked.h) whose order and constants are part
// of the result: the pages show 15 significant digits, and a reordered product
// or a more exact pi changes the last of them.
namespace spirelle {

// turns x inchesPerTurn:  CloseWoundLength(0.0345, 20) -> 0.6900000000000001
double CloseWoundLength(double inchesPerTurn, double turns);

// The same length as the inductance page shows it (15 significant digits), and
// the number that text reads back as: the length a close-wound coil's
// inductance is computed from, on the page and on the command line alike.
//   CloseWoundLengthText(0.0345, 20, ",") -> "0,69"
//   CloseWoundLengthAsShown(0.0345, 20)   -> 0.69
std::string CloseWoundLengthText(double inchesPerTurn, double turns, std::string_view decimalSeparator);
double CloseWoundLengthAsShown(double inchesPerTurn, double turns);

// Wheeler's single-layer formula r^2 N^2 / (9r + 10l), r = diameter / 2:
//   WheelerInductance(1, 20, 0.69) -> 8.7719298245614 (100 / 11.4)
//   WheelerInductance(0, 20, 0)    -> ArithmeticError (invalid operation)
double WheelerInductance(double diameter, double turns, double length);

// Whole feet of wire for one layer, pi taken as 3.14159, halves to even:
//   WireFeet(1, 20) -> 5 (5.2359833...)
double WireFeet(double diameter, double turns);

// 1 / (2 pi sqrt(LC)) in MHz for uH and pF, 2 pi taken as 6.283:
//   ResonantFrequency(240, 100) -> 1.02737103989798
//   ResonantFrequency(0, 100)   -> ArithmeticError (division by zero)
//   ResonantFrequency(-240, 100) -> InvalidArgument
double ResonantFrequency(double inductance, double capacitance);

} // namespace spirelle
