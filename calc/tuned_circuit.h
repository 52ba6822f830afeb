#pragma once

#include <optional>

// The tuned circuit worked backwards: from a frequency and a capacitance to the
// inductance that resonates, and from an inductance to the turns of a
// close-wound coil. Units as the pages name them: MHz, pF, uH, inches.
namespace spirelle {

// The window's resonance formula f = 100 / (sqrt(0.01 L C) * 6.283) solved for
// L, as checked statements:
//   InductanceForResonance(1.7, 25) -> 350.613011583467 (1e6 / (6.283^2 * 1.7^2 * 25))
//   InductanceForResonance(1.7, 0)  -> ArithmeticError (division by zero)
double InductanceForResonance(double frequency, double capacitance);

// Turns of a close-wound coil (length = turns x inchesPerTurn) whose Wheeler
// inductance is `inductance`, from the closed form of the quadratic
//   N = (10pL + sqrt(100p^2L^2 + 36r^3L)) / (2r^2),  p inches per turn, r radius:
//   WheelerTurns(2, 0.0345, 350.613011583467) -> 143.02429396933
//   WheelerTurns(0, 0.0345, 100)              -> ArithmeticError (division by zero)
double WheelerTurns(double diameter, double inchesPerTurn, double inductance);

// The same for an ideal current sheet (current_sheet.h), found numerically:
// the sheet's inductance grows strictly with the turns, so a bracketed search
// in log(turns) converges, within a fixed number of steps. nullopt unless all
// three operands are finite and above 0 and a finite count exists.
//   CurrentSheetTurns(1, 0.0345, 8.76701017270412) -> 20
std::optional<double> CurrentSheetTurns(double diameter, double inchesPerTurn, double inductance);

} // namespace spirelle
