#include "calc/number_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace spirelle {
namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A value's significant digits: digits[0..count) and the decimal exponent of the first.
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

__extension__ using Wide = unsigned __int128;

// 5^0 to 5^27, the largest below 2^64.
constexpr auto kPowersOfFive = [] {
    std::array<std::uint64_t, 28> powers{};
    powers[0] = 1;
    for (std::size_t i = 1; i < powers.size(); ++i)
        powers[i] = powers[i - 1] * 5;
    return powers;
}();

// m x 2^k x 10^p as a whole quotient and how the rest compares with a half:
// exact in 128 bits for the range ExactDigits takes. False where it is not.
struct Scaled {
    Wide quotient = 0;
    bool above = false; // the rest is above one half
    bool tie = false;   // the rest is exactly one half
};

bool ScaleExactly(std::uint64_t m, int k, int p, Scaled &out)
{
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
    out = {};
    if (denominator != 1) {
        out.quotient = numerator / denominator;
        const Wide rest = numerator % denominator;
        out.above = rest * 2 > denominator;
        out.tie = rest * 2 == denominator;
        return true;
    }
    if (shift >= 128)
        return false;
    out.quotient = shift == 0 ? numerator : numerator >> shift;
    if (shift > 0) {
        const Wide rest = numerator & ((Wide(1) << shift) - 1);
        const Wide half = Wide(1) << (shift - 1);
        out.above = rest > half;
        out.tie = rest == half;
    }
    return true;
}

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
        Scaled scaled;
        if (p > 27 || p < -38 || !ScaleExactly(m, k, p, scaled))
            return false;
        if (scaled.quotient < low) { // the estimate of the exponent was one too high
            --e;
            continue;
        }
        if (scaled.quotient >= Wide(low) * 10) { // one too low
            ++e;
            continue;
        }
        auto n = static_cast<std::uint64_t>(scaled.quotient);
        if (scaled.above || (scaled.tie && (n & 1) != 0))
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

// printf's text with the caller's separator. printf rounds correctly in glibc
// and in musl (std::to_chars with a precision is not in every C++ library);
// its decimal point is the C locale's, whatever that is set to, so every
// character that is not a digit or a sign is the point.
void AppendFixed(std::string &out, double value, int decimals, std::string_view decimalSeparator)
{
    std::array<char, 64> buffer{};
    const int length = std::snprintf(buffer.data(), buffer.size(), "%.*f", decimals, value);
    for (const char c : std::string_view(buffer.data(), std::size_t(std::clamp(length, 0, int(buffer.size()) - 1)))) {
        if (IsDigit(c) || c == '-' || c == '+' || c == 'e')
            out += c;
        else
            out += decimalSeparator;
    }
}

void AppendSignificant(std::string &out, double value, const NumberFormat &format)
{
    const int digitCount = std::clamp(format.significant, 1, 17);
    const std::string_view decimalSeparator = format.decimal;
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
    const int exponent = d.exponent;
    const bool scientific = exponent < -4 || exponent > format.plainUpTo.value_or(digitCount - 1);
    if (scientific || !format.keepTrailingZeros)
        while (d.count > 1 && d.digits[d.count - 1] == '0')
            --d.count;
    const std::string_view digits(d.digits, static_cast<std::size_t>(d.count));

    if (scientific) {
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

void AppendNumber(std::string &out, double value, const NumberFormat &format)
{
    if (format.decimals >= 0 && std::isfinite(value) && std::fabs(value) < 1e15) {
        const std::size_t start = out.size();
        AppendFixed(out, value, format.decimals, format.decimal);
        // "20.00" -> "20": the separator and the zeros after it go.
        const std::size_t point = out.size() - std::size_t(format.decimals) - format.decimal.size();
        if (format.wholeBare && format.decimals > 0 && point > start &&
            out.find_first_not_of('0', point + format.decimal.size()) == std::string::npos)
            out.resize(point);
    } else {
        AppendSignificant(out, value, format);
    }
}

std::string FormatNumber(double value, const NumberFormat &format)
{
    std::string out;
    AppendNumber(out, value, format);
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
