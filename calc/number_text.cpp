#include "calc/number_text.h"

#include "calc/calc_error.h"

#include <fast_float/fast_float.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace spirelle {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

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

} // namespace

double ParseNumber(std::string_view text, std::string_view decimalSeparator, std::string_view groupSeparator)
{
    const auto mismatch = [&] { return CalcError::typeMismatch(std::string(text)); };

    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    std::string_view body = text.substr(begin, end - begin);

    // Where '.' groups digits, "1.000" (or "1.000e3") could be a thousand or
    // one: refuse to guess. A grouped whole number followed by the decimal
    // separator is unambiguous.
    std::string regrouped;
    if (groupSeparator == "." && decimalSeparator != "." && !decimalSeparator.empty()) {
        const std::size_t signLength = !body.empty() && (body[0] == '+' || body[0] == '-') ? 1 : 0;
        const std::string_view sign = body.substr(0, signLength);
        const std::string_view unsignedBody = body.substr(signLength);
        const std::size_t grouped = DotGroupedLength(unsignedBody);
        const std::string_view rest = unsignedBody.substr(grouped);
        if (grouped > 0 && (rest.empty() || IsExponent(rest))) {
            const std::string_view number = unsignedBody.substr(0, grouped);
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
        if (grouped > 0 && rest.starts_with(decimalSeparator) && rest.size() > decimalSeparator.size() &&
            IsDigit(rest[decimalSeparator.size()])) {
            regrouped = std::string(sign) + WithoutDots(unsignedBody.substr(0, grouped)) + std::string(rest);
            body = regrouped;
        }
    }

    // Rebuild the number in the one form from_chars reads: [-]digits[.digits][e[-]digits].
    std::string plain;
    plain.reserve(body.size());
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-')) {
        if (body[i] == '-')
            plain += '-';
        ++i;
    }

    std::size_t integerDigits = 0;
    std::size_t fractionDigits = 0;
    // Where the first non-zero digit stands, as a power of ten (for telling overflow from underflow).
    std::int64_t leadingPower = 0;
    bool nonZeroSeen = false;
    bool separatorSeen = false;
    while (i < body.size()) {
        const char c = body[i];
        if (IsDigit(c)) {
            plain += c;
            if (separatorSeen) {
                ++fractionDigits;
                if (!nonZeroSeen && c != '0')
                    nonZeroSeen = true, leadingPower = -static_cast<std::int64_t>(fractionDigits);
            } else {
                ++integerDigits;
                if (!nonZeroSeen && c != '0')
                    nonZeroSeen = true, leadingPower = 0;
                else if (nonZeroSeen)
                    ++leadingPower;
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
    if (integerDigits + fractionDigits == 0)
        throw mismatch();

    std::int64_t exponent = 0;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
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
            throw mismatch();
        if (negative)
            exponent = -exponent;
    }
    if (i != body.size())
        throw mismatch();

    // fast_float, correctly rounded like std::from_chars (which not every C++
    // library has for double), gives an infinity or 0 where std::from_chars
    // says out of range.
    double value = 0.0;
    const auto [ptr, ec] = fast_float::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ptr != plain.data() + plain.size())
        throw mismatch();
    if (ec == std::errc() && (std::isinf(value) || (value == 0.0 && nonZeroSeen))) {
        if (nonZeroSeen && leadingPower + exponent > 0)
            throw CalcError::arithmetic(ArithmeticFault::Overflow);
        value = plain.front() == '-' ? -0.0 : 0.0;
    } else if (ec != std::errc()) {
        throw mismatch();
    }
    return value;
}

namespace {

// A value's significant digits: digits[0..count) and the decimal exponent of the first.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

__extension__ typedef unsigned __int128 Wide;

// 5^0 to 5^27, the largest below 2^64.
constexpr auto kPowersOfFive = [] {
    std::array<std::uint64_t, 28> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 5;
    return powers;
}();

// The value rounded to `digitCount` significant digits as printf rounds it
// (the exact binary value, halves to even), from integer arithmetic: a
// double is m x 2^k, so value x 10^p is m x 5^p x 2^(k+p), exact in 128 bits
// for 1e-13 <= value < 1.7e38, and rounding is one shift or division. Four
// to six times faster than printf. False outside that range.
bool ExactDigits(double value, int digitCount, Decimal &out)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = static_cast<int>((bits >> 52) & 0x7ff);
    if (biased == 0 || value < 1e-13 || value >= 1.7e38) // subnormal, tiny or huge: printf's turn
        return false;
    const std::uint64_t m = (bits & ((std::uint64_t(1) << 52) - 1)) | (std::uint64_t(1) << 52);
    const int k = biased - 1075;
    std::uint64_t low = 1; // 10^(digitCount - 1)
    for (int i = 1; i < digitCount; ++i)
        low *= 10;
    // floor(log10(value)) or one less: log10(2) is 78913 / 2^18 to six digits; the loop corrects it.
    int e = ((biased - 1023) * 78913) >> 18;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int p = digitCount - 1 - e;
        if (p > 27 || p < -38)
            return false;
        Wide numerator = m;
        Wide denominator = 1;
        int shift = 0; // the denominator is 2^shift when `denominator` is 1
        if (p >= 0) {
            numerator *= kPowersOfFive[p];
            if (k + p >= 0)
                numerator <<= (k + p);
            else
                shift = -(k + p);
        } else {
            for (int i = 0; i < -p; ++i)
                denominator *= 10;
            if (k >= 0)
                numerator <<= k;
            else
                denominator <<= -k;
        }
        Wide quotient = 0;
        bool above = false;
        bool tie = false;
        if (denominator == 1) {
            if (shift >= 128)
                return false;
            quotient = shift == 0 ? numerator : numerator >> shift;
            if (shift > 0) {
                const Wide rest = numerator & ((Wide(1) << shift) - 1);
                const Wide half = Wide(1) << (shift - 1);
                above = rest > half;
                tie = rest == half;
            }
        } else {
            quotient = numerator / denominator;
            const Wide rest = numerator % denominator;
            above = rest * 2 > denominator;
            tie = rest * 2 == denominator;
        }
        if (quotient < low) { // the estimate of the exponent was one too high
            --e;
            continue;
        }
        if (quotient >= Wide(low) * 10) { // one too low
            ++e;
            continue;
        }
        std::uint64_t n = static_cast<std::uint64_t>(quotient);
        if (above || (tie && (n & 1) != 0))
            ++n;
        if (n == low * 10) { // 9.99...5 rounds up to 10.0...
            n = low;
            ++e;
        }
        out.count = digitCount;
        for (int i = digitCount - 1; i >= 0; --i, n /= 10)
            out.digits[i] = static_cast<char>('0' + n % 10);
        out.exponent = e;
        return true;
    }
    return false;
}

// The same from printf's "%.*e" (correctly rounded in glibc and in musl;
// std::to_chars with a precision is not in every C++ library).
void PrintedDigits(double value, int digitCount, Decimal &out)
{
    char buffer[40];
    const int length = std::snprintf(buffer, sizeof buffer, "%.*e", digitCount - 1, value);
    const std::string_view scientific(buffer, static_cast<std::size_t>(std::clamp(length, 0, int(sizeof buffer) - 1)));
    const std::size_t e = scientific.find('e');
    out.count = 0;
    for (const char c : scientific.substr(0, e))
        if (IsDigit(c))
            out.digits[out.count++] = c;
    std::from_chars(scientific.data() + e + (scientific[e + 1] == '+' ? 2 : 1), scientific.data() + scientific.size(),
                    out.exponent);
}

void AppendSignificant(std::string &out, double value, int digitCount, std::string_view decimalSeparator)
{
    digitCount = std::clamp(digitCount, 1, 17);
    if (std::isnan(value)) {
        out += "NaN";
        return;
    }
    if (std::isinf(value)) {
        out += value < 0 ? "-Infinity" : "Infinity";
        return;
    }
    if (value == 0.0) {
        out += '0';
        return;
    }
    if (value < 0)
        out += '-';
    Decimal d;
    if (!ExactDigits(std::fabs(value), digitCount, d))
        PrintedDigits(std::fabs(value), digitCount, d);
    while (d.count > 1 && d.digits[d.count - 1] == '0')
        --d.count;
    const std::string_view digits(d.digits, static_cast<std::size_t>(d.count));
    const int exponent = d.exponent;

    if (exponent < -4 || exponent >= digitCount) {
        out += digits.front();
        if (digits.size() > 1)
            out.append(decimalSeparator).append(digits.substr(1));
        const int magnitude = std::abs(exponent);
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        if (magnitude >= 100)
            out += static_cast<char>('0' + magnitude / 100);
        out += static_cast<char>('0' + magnitude / 10 % 10);
        out += static_cast<char>('0' + magnitude % 10);
    } else if (exponent < 0) {
        out += '0';
        out.append(decimalSeparator).append(static_cast<std::size_t>(-exponent - 1), '0').append(digits);
    } else {
        const auto integerDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerDigits) {
            out.append(digits).append(integerDigits - digits.size(), '0');
        } else {
            out.append(digits.substr(0, integerDigits)).append(decimalSeparator).append(digits.substr(integerDigits));
        }
    }
}

} // namespace

std::string FormatNumber(double value, std::string_view decimalSeparator)
{
    return FormatSignificant(value, 15, decimalSeparator);
}

void AppendNumber(std::string &out, double value, std::string_view decimalSeparator)
{
    AppendSignificant(out, value, 15, decimalSeparator);
}

std::string FormatSignificant(double value, int digitCount, std::string_view decimalSeparator)
{
    std::string out;
    AppendSignificant(out, value, digitCount, decimalSeparator);
    return out;
}

double RoundHalfEven(double value)
{
    if (!std::isfinite(value) || std::fabs(value) >= 4503599627370496.0) // 2^52: already whole
        return value;
    const double floor = std::floor(value);
    const double fraction = value - floor; // exact for |value| < 2^52
    if (fraction < 0.5)
        return floor;
    if (fraction > 0.5)
        return floor + 1.0;
    return std::fmod(floor, 2.0) == 0.0 ? floor : floor + 1.0;
}

} // namespace spirelle
