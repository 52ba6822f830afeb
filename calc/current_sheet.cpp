#include "current_sheet.h"

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
    double kMinusE = 0.0;
    double e = 0.0;
    if (m < 0.25) {
        kMinusE = KMinusESeries(m);
        e = std::comp_ellint_2(k);
    } else {
        e = std::comp_ellint_2(k);
        kMinusE = std::comp_ellint_1(k) - e;
    }
    // E - k, with 1 - k written as k'^2 / (1 + k) so that short coils keep their digits.
    const double eMinusK = (e - 1.0) + kp * kp / (1.0 + k);
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
