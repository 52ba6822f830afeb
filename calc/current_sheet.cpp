#include "calc/current_sheet.h"

#include "calc/elliptic.h"

#include <cmath>
#include <initializer_list>
#include <numbers>

namespace spirelle {
namespace {

// (K(k) - E(k)) / k^2 from its power series in m = k^2, for small m where the
// difference of the two library values would lose digits and m may underflow:
//   (K - E) / m = (pi/2) * sum_{n>=1} c_n^2 * 2n/(2n-1) * m^(n-1),  c_n = (2n-1)!! / (2n)!!
double KMinusESeries(double m)
{
    double sum = 0.0;
    double c = 1.0; // c_0
    double power = 1.0;
    for (int n = 1; n < 200; ++n) {
        c *= (2.0 * n - 1.0) / (2.0 * n);
        const double term = c * c * (2.0 * n) / (2.0 * n - 1.0) * power;
        sum += term;
        power *= m;
        if (term < sum * 1e-17)
            break;
    }
    return std::numbers::pi / 2.0 * sum;
}

// (E(k) - 1) / k'^2 from the expansion about k = 1 in the complementary
// modulus k' (m1 = k'^2, logarithm = ln(4 / k')), for short coils, where E is
// close to 1, E - 1 taken from the library value would lose digits and m1 may
// underflow:
//   E - 1 = sum_{n>=1} a_n (ln(4/k') - b_n) m1^n,  a_n = c_n^2 * 2n/(2n-1),
//   b_n = sum_{j<=n} 2/((2j-1) 2j) - 1/((2n-1) 2n)
double EMinusOneNearOne(double m1, double logarithm)
{
    double sum = 0.0;
    double c = 1.0;
    double power = 1.0;
    double harmonic = 0.0; // sum_{j<=n} 2/((2j-1) 2j)
    for (int n = 1; n < 200; ++n) {
        c *= (2.0 * n - 1.0) / (2.0 * n);
        const double pair = 1.0 / ((2.0 * n - 1.0) * (2.0 * n));
        harmonic += 2.0 * pair;
        const double term = c * c * (2.0 * n) / (2.0 * n - 1.0) * (logarithm - (harmonic - pair)) * power;
        sum += term;
        power *= m1;
        if (std::fabs(term) < std::fabs(sum) * 1e-17)
            break;
    }
    return sum;
}

// K(k) from its expansion about k = 1, likewise (k itself, next to 1, has
// lost the digits of k'^2 that K depends on):
//   K = sum_{n>=0} c_n^2 (ln(4/k') - d_n) m1^n,  d_n = sum_{j<=n} 2/((2j-1) 2j)
double KNearOne(double m1, double logarithm)
{
    double sum = logarithm;
    double c = 1.0;
    double power = 1.0;
    double harmonic = 0.0;
    for (int n = 1; n < 200; ++n) {
        c *= (2.0 * n - 1.0) / (2.0 * n);
        power *= m1;
        harmonic += 2.0 / ((2.0 * n - 1.0) * (2.0 * n));
        const double term = c * c * (logarithm - harmonic) * power;
        sum += term;
        if (std::fabs(term) < std::fabs(sum) * 1e-17)
            break;
    }
    return sum;
}

// a * b * c ... / (p * q ...) with the exponents kept apart from the
// mantissas, so that no partial product overflows or underflows where the
// result is a normal double (N^2 alone overflows for N above 1e154).
double ScaledQuotient(std::initializer_list<double> numerators, std::initializer_list<double> denominators)
{
    double mantissa = 1.0;
    int exponent = 0;
    const auto take = [&](double factor, bool divide) {
        int e = 0;
        const double m = std::frexp(factor, &e);
        mantissa = divide ? mantissa / m : mantissa * m;
        exponent += divide ? -e : e;
        mantissa = std::frexp(mantissa, &e);
        exponent += e;
    };
    for (const double factor : numerators)
        take(factor, false);
    for (const double factor : denominators)
        take(factor, true);
    return std::ldexp(mantissa, exponent);
}

// sqrt(1 + x^2) for x up to 1e100, from operations that IEEE 754 rounds
// exactly, so that every C library gives the same bits (std::hypot in glibc
// and in WebAssembly's musl differ in the last one for some x).
double Hypotenuse(double x)
{
    return std::sqrt(1.0 + x * x);
}

// Nagaoka's coefficient (Nagaoka 1909), from the moduli k = d / sqrt(d^2 + l^2)
// and k' = l / sqrt(d^2 + l^2):
//   C = 4 / (3 pi k') * (k'^2/k^2 (K - E) + E - k)
// The two ends are taken from the forms that keep their digits.
//
// Long coils (x = l/d > sqrt 3, k^2 < 1/4): (K - E)/k^2 from its series, so
// that neither K - E nor k^2 underflows; C -> 1 - 4/(3 pi x) + ..., the
// long-coil form (Rosa 1906; Grover 1946). For x beyond 1e100, k' is 1 to the
// last bit and k = 1/x (0 for x infinite: C = 1).
double NagaokaLong(double x)
{
    const bool huge = x > 1e100;
    const double h = huge ? x : Hypotenuse(x);
    const double k = 1.0 / h;
    const double kp = huge ? 1.0 : x / h;
    const double m = k * k;
    double kMinusEOverM = 0.0;
    double e = 0.0;
    if (m < 0.25) {
        kMinusEOverM = KMinusESeries(m);
        e = CompleteE(k);
    } else {
        e = CompleteE(k);
        kMinusEOverM = (CompleteK(k) - e) / m;
    }
    return 4.0 / (3.0 * std::numbers::pi * kp) * (kp * kp * kMinusEOverM + e - k);
}

// Short coils (x <= 1): C / x, which stays near (2/pi)(ln(4/x) - 1/2) where C
// itself vanishes. With h = sqrt(1 + x^2), k'^2/k^2 = x^2 and 1 - k = x^2/(h(h + 1)):
//   C / x = 4h/(3 pi) * ((K - E) + (E - 1)/x^2 + 1/(h(h + 1)))
// and below x = 1/sqrt 3 (k'^2 < 1/4) K and E come from their expansions about
// k = 1, (E - 1)/x^2 summed without its factor k'^2 = x^2/h^2, so nothing
// underflows: the short-coil form, L = mu0 a N^2 (ln(8a/l) - 1/2 + ...)
// (Rosa 1906; Grover 1946). `logRatio` is ln x, given apart because x itself
// may be below the smallest double.
double NagaokaShortOverRatio(double x, double logRatio)
{
    if (x * x >= 1.0 / 3.0) { // x >= 1/sqrt 3: the library's integrals
        const double h = Hypotenuse(x);
        const double k = 1.0 / h;
        const double e = CompleteE(k);
        const double kMinusE = CompleteK(k) - e;
        return 4.0 * h / (3.0 * std::numbers::pi) * (kMinusE + (e - 1.0) / (x * x) + 1.0 / (h * (h + 1.0)));
    }
    const double h = Hypotenuse(x);
    const double kp = x / h;
    const double m1 = kp * kp;                                       // may underflow: it only scales the higher terms
    const double logarithm = std::log(4.0) + std::log(h) - logRatio; // ln(4/k')
    const double eMinusOneOverM1 = EMinusOneNearOne(m1, logarithm);
    const double kMinusE = KNearOne(m1, logarithm) - 1.0 - m1 * eMinusOneOverM1;
    return 4.0 * h / (3.0 * std::numbers::pi) * (kMinusE + eMinusOneOverM1 / (h * h) + 1.0 / (h * (h + 1.0)));
}

} // namespace

std::optional<double> NagaokaCoefficient(double lengthOverDiameter)
{
    const double x = lengthOverDiameter;
    if (!(x > 0.0) || !std::isfinite(x))
        return std::nullopt;
    return x > 1.0 ? NagaokaLong(x) : NagaokaShortOverRatio(x, std::log(x)) * x;
}

std::optional<double> CurrentSheetInductance(double diameter, double turns, double length)
{
    if (!(diameter > 0.0) || !(length > 0.0) || !std::isfinite(diameter) || !std::isfinite(length) ||
        !std::isfinite(turns))
        return std::nullopt;
    // L = C mu0 pi r^2 N^2 / l in SI; with r and l in inches and L in microhenries,
    // mu0 pi = 4 pi^2 1e-7 H/m and one inch is 0.0254 m. The ratio l/d may
    // overflow or underflow where L does not: a short coil takes C/x, with
    // l = x d, L = (C/x) mu0 pi r N^2 / 2, and ln x from ln l - ln d.
    constexpr double kInchesToMicrohenries = 4.0 * std::numbers::pi * std::numbers::pi * 1e-7 * 0.0254 * 1e6;
    const double radius = diameter / 2.0;
    const double x = length / diameter;
    double inductance = 0.0;
    if (x > 1.0) {
        inductance = ScaledQuotient({NagaokaLong(x) * kInchesToMicrohenries, radius, radius, turns, turns}, {length});
    } else {
        const double logRatio = x >= 1e-300 ? std::log(x) : std::log(length) - std::log(diameter);
        const double overRatio = NagaokaShortOverRatio(x, logRatio);
        inductance = ScaledQuotient({overRatio * kInchesToMicrohenries, radius, turns, turns}, {2.0});
    }
    if (!std::isfinite(inductance))
        return std::nullopt;
    return inductance;
}

double WheelerDeviationPercent(double wheeler, double currentSheet)
{
    return (wheeler - currentSheet) / currentSheet * 100.0;
}

} // namespace spirelle
