#pragma once

#include <optional>
#include <string>
#include <string_view>

// Doubles to text, in one function whose format says how to round; the texts
// read back with calc/number_parse.h. The decimal separator is the caller's.
namespace spirelle {

// How FormatNumber writes a number. The default is a field's text: 15
// significant digits, trailing zeros dropped, exponent notation outside
// 1E-04 to 1E+14, like C's "%.15G" (the exponent has two digits at least).
struct NumberFormat {
    // Significant digits, 1 to 17.
    int significant = 15;
    // Zero or more: that many digits after the separator instead, as "%.*f"
    // writes them (a value not finite or of 1e15 or more falls back to
    // `significant` digits).
    int decimals = -1;
    // The largest decimal exponent written without an exponent, from -4 up;
    // none: significant - 1, as "%G" does.
    std::optional<int> plainUpTo = std::nullopt;
    // Trailing zeros kept (in plain notation), so that a column reads alike.
    bool keepTrailingZeros = false;
    // With `decimals`: a whole number written without them, as turns are.
    bool wholeBare = false;
    std::string_view decimal = ".";
};

// Number to text. Where nothing else is said, 0 (and -0) is "0", not a
// number "NaN", and the infinities "Infinity" and "-Infinity".
//   0.69 -> "0.69"      20 -> "20"        1.0 / 3 -> "0.333333333333333"
//   0.0001 -> "0.0001"  1e-05 -> "1E-05"  1.5e-07 -> "1.5E-07"
//   123456789012345 -> "123456789012345"  1e15 -> "1E+15"
//   (1.5, {.decimal = ","})                                 -> "1,5"
//   (8.767010173, {.significant = 6})                       -> "8.76701"
//   (-27.33979, {.significant = 3}) -> "-27.3"   (0.0561, {.significant = 3, .decimal = ","}) -> "0,0561"
// The table's four digits, a column that reads alike:
//   (315.262, {.significant = 4, .plainUpTo = 14, .keepTrailingZeros = true}) -> "315.3"
//     318.0 -> "318.0"   1705.53 -> "1706"   2.62345 -> "2.623"   12345.6 -> "12350"   1.5e-07 -> "1.5E-07"
//   (318.0, {.significant = 4, .plainUpTo = 14})            -> "318"
// Fixed decimals (and 0 with them: "0.000"):
//   (3.26, {.significant = 7, .decimals = 3})               -> "3.260"
//   (4.416, {.significant = 7, .decimals = 3}) -> "4.416"   (127.6, {.decimals = 0}) -> "128"
//   (2e15, {.significant = 7, .decimals = 3})               -> "2E+15"
// Whole numbers bare, others with their decimals:
//   (128, {.decimals = 2, .wholeBare = true}) -> "128"   20.5 -> "20.50"   20.001 -> "20"
// The default text read back, ParseNumber(FormatNumber(x)), is x rounded to 15 significant digits.
std::string FormatNumber(double value, const NumberFormat &format = {});

// A field's text in the locale's notation: FormatNumber(value, {.decimal = decimalSeparator}).
inline std::string FormatNumber(double value, std::string_view decimalSeparator)
{
    return FormatNumber(value, NumberFormat{.decimal = decimalSeparator});
}

// FormatNumber's text appended to `out`, without a string of its own.
void AppendNumber(std::string &out, double value, const NumberFormat &format = {});

// Nearest whole number, halves to the even one:
//   2.5 -> 2   3.5 -> 4   -2.5 -> -2   12.5 -> 12   5.2 -> 5
double RoundHalfEven(double value);

} // namespace spirelle
