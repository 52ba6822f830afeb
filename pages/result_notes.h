#pragma once

#include <string>
#include <string_view>

// The notes behind the result boxes, shown as a box's tool tip and read by
// screen readers as its description. A box shows only the first characters of
// a result ("8.77", "####"); its note keeps the whole value, the inputs it was
// computed from, and for an inductance a cross-check of Wheeler's formula
// against the current sheet, whose accuracy Wheeler loses on short coils.
// Numbers are written with the locale's decimal separator.
namespace spirelle {

// The coil an inductance was computed for, exactly as the formula got it.
struct CoilInputs {
    double diameter;
    double turns;
    double length;
};

// The note for an inductance `wheeler` written as `written`:
// InductanceNote("8.7719298245614 uH", 8.7719298245614, {1, 20, 0.69}, ".") ->
//   "8.7719298245614 uH by Wheeler's formula, for 20 turns on a 1 in form, 0.69 in long.
//    Current sheet: 8.76701 uH; Wheeler is 0.0561 % above it. Length/diameter: 0.69."
// Below a length/diameter of 0.4 a last sentence says that Wheeler reads low
// for a coil this short, and by how much.
std::string InductanceNote(std::string_view written, double wheeler, const CoilInputs &coil,
                           std::string_view decimalSeparator);

// LengthNote("0.69", "# 20", ".0345", 20, ".") -> "0.69 in long, for 20 turns of # 20 wire at .0345 in per turn."
std::string LengthNote(std::string_view written, std::string_view gauge, std::string_view inchesPerTurn, double turns,
                       std::string_view decimalSeparator);

// WireFeetNote("13090", 10, 5000, ".") -> "13090 ft of wire, for 5000 turns on a 10 in form."
std::string WireFeetNote(std::string_view written, double diameter, double turns, std::string_view decimalSeparator);

// FrequencyNote("1.02737103989798", 240, 100, ".") -> "1.02737103989798 MHz, for 240 uH and 100 pF."
std::string FrequencyNote(std::string_view written, double inductance, double capacitance,
                          std::string_view decimalSeparator);

} // namespace spirelle
