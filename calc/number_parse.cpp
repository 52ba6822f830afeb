#include "calc/number_parse.h"

#include "calc/calc_error.h"

#include <fast_float/fast_float.h>

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

namespace spirelle {
namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Adds a decimal digit to a magnitude without overflowing; exponents beyond a
// few thousand are all the same to a double.
std::int64_t SaturatingPush(std::int64_t magnitude, char digit)
{
    constexpr std::int64_t limit = 1'000'000'000'000;
    return magnitude >= limit ? limit : magnitude * 10 + (digit - '0');
}

// A whole number grouped with '.', "1.000" or "1.234.567": 1 to 3 digits not
// starting with 0, then groups of '.' and three digits. Returns how many
// characters of text it takes (0 if text does not start with one). A fourth
// digit after a group is left to the caller, which then finds the text is not
// a grouped number alone.
std::size_t DotGroupedLength(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && i < 3 && IsDigit(text[i]))
        ++i;
    if (i == 0 || text[0] == '0')
        return 0;
    std::size_t groups = 0;
    while (i + 4 <= text.size() && text[i] == '.' && IsDigit(text[i + 1]) && IsDigit(text[i + 2]) &&
           IsDigit(text[i + 3])) {
        i += 4;
        ++groups;
    }
    return groups > 0 ? i : 0;
}

// "e3", "E-05": an exponent and nothing else.
bool IsExponent(std::string_view text)
{
    std::size_t i = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E'))
        ++i;
    else
        return false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i > digits && i == text.size();
}

std::string WithoutDots(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (c != '.')
            out += c;
    return out;
}

// The text without the blanks around it.
std::string_view Trimmed(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

// Where '.' groups digits, "1.000" (or "1.000e3") could be a thousand or one:
// refuse to guess (an ambiguous-grouping error quoting `text`). A grouped whole
// number followed by the decimal separator is unambiguous: the body without its
// group marks, kept in `regrouped`. Any other body is returned as it is.
std::string_view Ungrouped(std::string_view body, std::string_view text, std::string_view decimalSeparator,
                           std::string &regrouped)
{
    const std::size_t signLength = !body.empty() && (body[0] == '+' || body[0] == '-') ? 1 : 0;
    const std::string_view sign = body.substr(0, signLength);
    const std::string_view unsignedBody = body.substr(signLength);
    const std::size_t grouped = DotGroupedLength(unsignedBody);
    if (grouped == 0)
        return body;
    const std::string_view rest = unsignedBody.substr(grouped);
    const std::string_view number = unsignedBody.substr(0, grouped);
    if (rest.empty() || IsExponent(rest)) {
        const std::string whole = std::string(sign) + WithoutDots(number) + std::string(rest);
        std::string fraction;
        if (const std::size_t dot = number.find('.'); dot + 4 == number.size()) {
            std::string_view decimals = number.substr(dot + 1);
            while (decimals.size() > 1 && decimals.back() == '0')
                decimals.remove_suffix(1);
            fraction = std::string(sign).append(number.substr(0, dot)).append(decimalSeparator).append(decimals);
            fraction += rest;
        }
        throw CalcError::ambiguousGrouping(std::string(text), whole, fraction);
    }
    if (rest.starts_with(decimalSeparator) && rest.size() > decimalSeparator.size() &&
        IsDigit(rest[decimalSeparator.size()])) {
        regrouped = std::string(sign) + WithoutDots(number) + std::string(rest);
        return regrouped;
    }
    return body;
}

// The digits before the exponent, rebuilt into `plain` as [-]digits[.digits].
struct Mantissa {
    std::size_t digits = 0;        // integer and fraction digits
    bool nonZeroSeen = false;      // a digit other than 0
    std::int64_t leadingPower = 0; // where the first non-zero digit stands, as a power of ten
};

Mantissa ReadMantissa(std::string_view body, std::size_t &i, std::string_view decimalSeparator, std::string &plain)
{
    Mantissa m;
    std::size_t fractionDigits = 0;
    bool separatorSeen = false;
    while (i < body.size()) {
        const char c = body[i];
        if (IsDigit(c)) {
            plain += c;
            ++m.digits;
            if (separatorSeen) {
                ++fractionDigits;
                if (!m.nonZeroSeen && c != '0')
                    m.nonZeroSeen = true, m.leadingPower = -static_cast<std::int64_t>(fractionDigits);
            } else if (!m.nonZeroSeen && c != '0') {
                m.nonZeroSeen = true, m.leadingPower = 0;
            } else if (m.nonZeroSeen) {
                ++m.leadingPower;
            }
            ++i;
        } else if (!separatorSeen && c == '.') {
            separatorSeen = true, plain += '.', ++i;
        } else if (!separatorSeen && !decimalSeparator.empty() && body.substr(i).starts_with(decimalSeparator)) {
            separatorSeen = true, plain += '.', i += decimalSeparator.size();
        } else {
            break;
        }
    }
    return m;
}

// An exponent "e[+-]digits" at i, copied into `plain`: its value (saturated),
// 0 when there is none, nullopt when the 'e' has no digits.
std::optional<std::int64_t> ReadExponent(std::string_view body, std::size_t &i, std::string &plain)
{
    std::int64_t exponent = 0;
    if (i >= body.size() || (body[i] != 'e' && body[i] != 'E'))
        return exponent;
    plain += 'e';
    ++i;
    bool negative = false;
    if (i < body.size() && (body[i] == '+' || body[i] == '-'))
        negative = body[i] == '-', plain += body[i], ++i;
    std::size_t exponentDigits = 0;
    for (; i < body.size() && IsDigit(body[i]); ++i, ++exponentDigits) {
        plain += body[i];
        exponent = SaturatingPush(exponent, body[i]);
    }
    if (exponentDigits == 0)
        return std::nullopt;
    return negative ? -exponent : exponent;
}

} // namespace

double ParseNumber(std::string_view text, std::string_view decimalSeparator, std::string_view groupSeparator)
{
    const auto mismatch = [&] { return CalcError::typeMismatch(std::string(text)); };

    std::string_view body = Trimmed(text);
    std::string regrouped;
    if (groupSeparator == "." && decimalSeparator != "." && !decimalSeparator.empty())
        body = Ungrouped(body, text, decimalSeparator, regrouped);

    // Rebuild the number in the one form from_chars reads: [-]digits[.digits][e[-]digits].
    std::string plain;
    plain.reserve(body.size());
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
        if (body[i] == '-')
            plain += '-';
        ++i;
    }
    const Mantissa mantissa = ReadMantissa(body, i, decimalSeparator, plain);
    if (mantissa.digits == 0)
        throw mismatch();
    const std::optional<std::int64_t> exponent = ReadExponent(body, i, plain);
    if (!exponent || i != body.size())
        throw mismatch();

    // fast_float, correctly rounded like std::from_chars (which not every C++
    // library has for double), gives an infinity or 0 where std::from_chars
    // says out of range.
    double value = 0.0;
    const auto [ptr, ec] = fast_float::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ptr != plain.data() + plain.size())
        throw mismatch();
    if (ec == std::errc() && (std::isinf(value) || (value == 0.0 && mantissa.nonZeroSeen))) {
        if (mantissa.nonZeroSeen && mantissa.leadingPower + *exponent > 0)
            throw CalcError::arithmetic(ArithmeticFault::Overflow);
        value = plain.front() == '-' ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        throw mismatch();
    }
    return value;
}

} // namespace spirelle
