// ParseNumber and FormatNumber on arbitrary texts.
//
// Input: the first line picks the decimal separator ('0' ".", '1' ",",
// '2' U+066B, see fuzz_support.h); the rest of the input is the text, whole.
//
// The references are built without the code under test: a recogniser for the
// accepted notation, glibc's strtod (correctly rounded) for the value, and
// printf's "%.15G" and "%.14e" for the text of a number and its 15-digit
// rounding; the input's first eight bytes, as a double, against printf too.
// libFuzzer leaves the C locale in place, so '.' is their separator.
#include "calc/calc_error.h"
#include "fuzz_support.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <regex>

using namespace spirelle;
using spirelle::fuzz::Check;
using spirelle::fuzz::Fail;

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The text in the one notation strtod reads the same way, or nothing when the
// text is not a number: blanks around it, a sign, digits with at most one
// separator ('.' or the locale's) and digits on at least one side of it, then
// an exponent with at least one digit.
std::optional<std::string> Plain(std::string_view text, std::string_view separator)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return std::nullopt;
    std::string_view rest = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    std::string plain;
    const auto take = [&](std::size_t n) { plain.append(rest.substr(0, n)), rest.remove_prefix(n); };
    const auto digits = [&] {
        std::size_t n = 0;
        while (n < rest.size() && IsDigit(rest[n]))
            ++n;
        take(n);
        return n;
    };
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
        take(1);
    std::size_t mantissaDigits = digits();
    if (rest.starts_with('.') || rest.starts_with(separator)) {
        rest.remove_prefix(rest.starts_with('.') ? 1 : separator.size());
        plain += '.';
        mantissaDigits += digits();
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (!rest.empty() && (rest[0] == 'e' || rest[0] == 'E')) {
        take(1);
        if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
            take(1);
        if (digits() == 0)
            return std::nullopt;
    }
    return rest.empty() ? std::optional(plain) : std::nullopt;
}

// What printf makes of the value with "%.<digits>G", in the given separator;
// printf keeps the sign of a negative zero, which a field does not show.
std::string PrintfText(double value, std::string_view separator, int digits = 15)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*G", digits, value == 0.0 ? 0.0 : value);
    std::string text = buffer;
    if (const std::size_t point = text.find('.'); point != std::string::npos)
        text.replace(point, 1, separator);
    return text;
}

double RoundedTo15Digits(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    return std::strtod(buffer, nullptr);
}

// Where '.' groups digits and ',' is the decimal separator: a '.'-grouped whole
// number, alone or with an exponent, is refused; one followed by ',' and digits
// is read without its dots; everything else reads as it does without a group
// separator.
void CheckDotGrouping(const std::string &text)
{
    static const std::regex blanks("^[ \t]*|[ \t]*$");
    static const std::regex grouped("^[+-]?[1-9][0-9]{0,2}(\\.[0-9]{3})+([eE][+-]?[0-9]+)?$");
    static const std::regex groupedDecimal("^[+-]?[1-9][0-9]{0,2}(\\.[0-9]{3})+,[0-9]+([eE][+-]?[0-9]+)?$");
    const std::string body = std::regex_replace(text, blanks, "");
    std::string reference = text;
    if (std::regex_match(body, grouped)) {
        try {
            ParseNumber(text, ",", ".");
            Fail("an ambiguous grouped number was read", text);
        } catch (const CalcError &error) {
            Check(error.kind() == ErrorKind::TypeMismatch && error.text() == text, "a wrong error for a grouped number",
                  text);
        }
        return;
    }
    if (std::regex_match(body, groupedDecimal))
        reference = std::regex_replace(body, std::regex("\\."), "");
    double expected = 0.0;
    bool expectedFails = false;
    try {
        expected = ParseNumber(reference, ",");
    } catch (const CalcError &) {
        expectedFails = true;
    }
    try {
        const double value = ParseNumber(text, ",", ".");
        Check(!expectedFails && std::memcmp(&value, &expected, sizeof value) == 0,
              "a '.'-grouping locale reads a text differently", text);
    } catch (const CalcError &) {
        Check(expectedFails, "a '.'-grouping locale refuses a text", text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Any double, from the input's first eight bytes: its digits, which
    // FormatNumber works out in integers, against printf's, at every precision.
    if (size >= sizeof(double)) {
        double any = 0;
        std::memcpy(&any, data, sizeof any);
        for (int digits = 1; std::isfinite(any) && digits <= 17; ++digits)
            Check(FormatNumber(any, {.significant = digits}) == PrintfText(any, ".", digits),
                  "FormatNumber differs from %G", FormatNumber(any, {.significant = digits}));
    }
    const fuzz::Input input = fuzz::SplitInput(data, size, 1);
    const std::string &text = input.fields[0];
    // std::regex recurses per character and is slow: the grouping reference
    // takes texts of ordinary length, which is where grouped numbers are.
    if (text.size() <= 200)
        CheckDotGrouping(text);
    const std::optional<std::string> plain = Plain(text, input.separator);
    const double expected = plain ? std::strtod(plain->c_str(), nullptr) : 0.0;

    double value = 0.0;
    try {
        value = ParseNumber(text, input.separator);
    } catch (const CalcError &error) {
        if (!plain) {
            Check(error.kind() == ErrorKind::TypeMismatch, "a text that is not a number is not a TypeMismatch", text);
            Check(error.text() == text, "the TypeMismatch does not carry the whole text", error.text());
        } else {
            Check(std::isinf(expected), "a number was refused", text);
            Check(error.kind() == ErrorKind::ArithmeticError && error.fault() == ArithmeticFault::Overflow,
                  "an overflowing text is not an overflow error", text);
        }
        return 0;
    } catch (...) {
        Fail("ParseNumber threw something other than a CalcError", text);
    }
    Check(plain.has_value(), "a text that is not a number was accepted", text);
    Check(!std::isinf(expected), "an overflowing text was accepted", text);
    Check(std::isfinite(value), "ParseNumber returned a value that is not finite", text);
    // Bit for bit: the conversion is correctly rounded and keeps the sign of zero.
    Check(std::memcmp(&value, &expected, sizeof value) == 0, "the value is not the correctly rounded one", text);

    const double rounded = RoundedTo15Digits(value);
    for (const int digits : {1, 3, 6, 17})
        Check(FormatNumber(value, {.significant = digits, .decimal = ","}) == PrintfText(value, ",", digits),
              "FormatNumber differs from %G", FormatNumber(value, {.significant = digits, .decimal = ","}));
    for (const std::string_view separator : fuzz::kSeparators) {
        const std::string shown = FormatNumber(value, separator);
        Check(shown == PrintfText(value, separator), "FormatNumber differs from %.15G", shown);
        // Within half a 15th-digit unit of the largest double the rounding itself
        // is past it: the text then reads back as an overflow, as it must.
        try {
            const double back = ParseNumber(shown, separator);
            Check(back == rounded, "a formatted number does not read back as its 15-digit rounding", shown);
        } catch (const CalcError &error) {
            Check(std::isinf(rounded) && error.fault() == ArithmeticFault::Overflow,
                  "a formatted number does not parse back", shown);
        } catch (...) {
            Fail("ParseNumber threw something other than a CalcError", shown);
        }
    }
    return 0;
}
