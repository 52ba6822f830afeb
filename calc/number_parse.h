#pragma once

#include <string>
#include <string_view>

// Field texts to doubles; calc/number_format.h writes them back. The decimal
// separator is the caller's (the user's locale); '.' is always accepted as
// well, because the gauge captions are stored as ".0345" whatever the locale.
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
//                                             -> TypeMismatch whose ambiguousGrouping() is true,
//                                                whose message says how to write it
//   "1.234,5" (such a group, then ',' and digits)    -> 1234.5
//   ".0345", "1.25", "12.5", "0.001", "1.0000"       -> '.' is a decimal point, as above
double ParseNumber(std::string_view text, std::string_view decimalSeparator = ".",
                   std::string_view groupSeparator = {});

} // namespace spirelle
