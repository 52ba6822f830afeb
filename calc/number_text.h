#pragma once

#include <string>
#include <string_view>

// Conversions between field texts and doubles. The decimal separator is the
// caller's (the user's locale); '.' is always accepted as well, because the
// gauge captions are stored as ".0345" whatever the locale.
namespace spirelle {

// The locale's decimal and digit-group separators, as the page handlers get them.
struct Separators {
    constexpr Separators(std::string_view decimalSeparator = ".", std::string_view groupSeparator = {})
        : decimal(decimalSeparator), group(groupSeparator)
    {
    }
    constexpr Separators(const char *decimalSeparator) : Separators(std::string_view(decimalSeparator)) {}

    std::string_view decimal;
    std::string_view group;
};

// Text to number. Blanks (space, tab) around the number are ignored; then an
// optional sign, digits with at most one decimal separator (digits may be
// missing on one side of it, not both) and an optional exponent. Nothing else.
//   ".0345"        -> 0.0345
//   " 12 "         -> 12
//   "-1.5e3"       -> -1500
//   "0,5" with "," -> 0.5       "0.5" with "," -> 0.5
//   "1e-400"       -> 0 (underflow is not an error)
//   "", "uH", "1,2,3", "..5", "1e", "+-1", "inf", "0x10", "1 000" -> TypeMismatch
//   "1e999"        -> ArithmeticError (overflow)
// The conversion is correctly rounded.
//
// Where the locale groups digits with '.' (groupSeparator ".") and its decimal
// separator is another, '.' could be either, so a text is read by its shape:
//   "1.000", "-2.500", "1.234.567" (1 to 3 digits, not starting with 0, then
//       groups of '.' and three digits), alone or with an exponent ("1.000e3")
//                                             -> TypeMismatch: write it without the '.'
//   "1.234,5" (such a group, then ',' and digits)    -> 1234.5
//   ".0345", "1.25", "12.5", "0.001", "1.0000"       -> '.' is a decimal point, as above
double ParseNumber(std::string_view text, std::string_view decimalSeparator = ".",
                   std::string_view groupSeparator = {});

// Number to text: at most 15 significant digits, trailing zeros and a bare
// separator dropped, fixed notation for decimal exponents -4 to 14 and
// exponent notation otherwise, like C's "%.15G".
//   0.69 -> "0.69"      20 -> "20"        1.0 / 3 -> "0.333333333333333"
//   0.0001 -> "0.0001"  1e-05 -> "1E-05"  1.5e-07 -> "1.5E-07"
//   123456789012345 -> "123456789012345"  1e15 -> "1E+15"   -0.0 -> "0"
//   1.5 with "," -> "1,5"
// ParseNumber(FormatNumber(x)) is x rounded to 15 significant digits.
std::string FormatNumber(double value, std::string_view decimalSeparator = ".");

// FormatNumber's text appended to `out`, without a string of its own.
void AppendNumber(std::string &out, double value, std::string_view decimalSeparator = ".");

// Number to text with at most `digits` significant digits (1 to 17), trailing
// zeros dropped, in the "%G" layout, for notes rather than fields:
//   (8.767010173, 6) -> "8.76701"   (-27.33979, 3) -> "-27.3"   (0.0561, 3) with "," -> "0,0561"
std::string FormatSignificant(double value, int digits, std::string_view decimalSeparator = ".");

// Nearest whole number, halves to the even one:
//   2.5 -> 2   3.5 -> 4   -2.5 -> -2   12.5 -> 12   5.2 -> 5
double RoundHalfEven(double value);

} // namespace spirelle
