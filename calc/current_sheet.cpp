#include "calc/current_sheet.h"

#include <cmath>
#include <numbers>

namespace spirelle {
namespace {

// K(k) - E(k) from its power series in m = k^2, for small m where the
// difference of the two library values would lose digits:
//   K - E = (pi/2) * sum_{n>=1} c_n^2 * 2n/(2n-1) * m^n,  c_n = (2n-1)!! / (2n)!!
double KMinusESeries(double m)
{
    double sum = 0.0;
    double c = 1.0; // c_0
    double power = 1.0;
    for (int n = 1; n < 200; ++n) {
        c *= (2.0 * n - 1.0) / (2.0 * n);
        power *= m;
        const double term = c * c * (2.0 * n) / (2.0 * n - 1.0) * power;
        sum += term;
        if (term < sum * 1e-17)
            break;
    }
    return std::numbers::pi / 2.0 * sum;
}

// E(k) - 1 from its expansion about k = 1 in the complementary modulus k'
// (m1 = k'^2, logarithm = ln(4 / k')), for short coils, where E is close to 1
// and E - 1 taken from the library value would lose digits:
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
        power *= m1;
        const double pair = 1.0 / ((2.0 * n - 1.0) * (2.0 * n));
        harmonic += 2.0 * pair;
        const double term = c * c * (2.0 * n) / (2.0 * n - 1.0) * (logarithm - (harmonic - pair)) * power;
        sum += term;
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

} // namespace

std::optional<double> NagaokaCoefficient(double lengthOverDiameter)
{
    const double x = lengthOverDiameter;
    if (!(x > 0.0) || !std::isfinite(x))
        return std::nullopt;
    // Modulus k^2 = d^2 / (d^2 + l^2) and its complement k'^2 = l^2 / (d^2 + l^2).
    const double h = std::hypot(1.0, x);
    const double k = 1.0 / h;
    const double kp = x / h;
    const double m = k * k;
    // K - E and E - k = (E - 1) + (1 - k), each from where it keeps its digits:
    // long coils (small k) from the series of K - E, short ones (small k') from
    // the expansions about k = 1, the rest from the library's integrals.
    double kMinusE = 0.0;
    double eMinusOne = 0.0;
    if (m < 0.25) {
        kMinusE = KMinusESeries(m);
        eMinusOne = std::comp_ellint_2(k) - 1.0;
    } else if (kp * kp < 0.25) {
        const double logarithm = std::log(4.0 / kp);
        eMinusOne = EMinusOneNearOne(kp * kp, logarithm);
        kMinusE = KNearOne(kp * kp, logarithm) - 1.0 - eMinusOne;
    } else {
        const double e = std::comp_ellint_2(k);
        kMinusE = std::comp_ellint_1(k) - e;
        eMinusOne = e - 1.0;
    }
    const double eMinusK = eMinusOne + kp * kp / (1.0 + k); // 1 - k = k'^2 / (1 + k)
    const double coefficient = 4.0 / (3.0 * std::numbers::pi * kp) * (kp * kp / m * kMinusE + eMinusK);
    if (!std::isfinite(coefficient))
        return std::nullopt;
    return coefficient;
}

std::optional<double> CurrentSheetInductance(double diameter, double turns, double length)
{
    if (!(diameter > 0.0) || !(length > 0.0) || !std::isfinite(diameter) || !std::isfinite(length) ||
        !std::isfinite(turns))
        return std::nullopt;
    const auto coefficient = NagaokaCoefficient(length / diameter);
    if (!coefficient)
        return std::nullopt;
    // L = K mu0 pi r^2 N^2 / l in SI; with r and l in inches and L in microhenries,
    // mu0 pi = 4 pi^2 1e-7 H/m and one inch is 0.0254 m.
    constexpr double kInchesToMicrohenries = 4.0 * std::numbers::pi * std::numbers::pi * 1e-7 * 0.0254 * 1e6;
    const double radius = diameter / 2.0;
    const double inductance = *coefficient * kInchesToMicrohenries * radius * radius / length * turns * turns;
    if (!std::isfinite(inductance))
        return std::nullopt;
    return inductance;
}

double WheelerDeviationPercent(double wheeler, double currentSheet)
{
    return (wheeler - currentSheet) / currentSheet * 100.0;
}

} // namespace spirelle
