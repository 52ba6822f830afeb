#include "calc/tuned_circuit.h"

#include "calc/calc_error.h"
#include "calc/checked.h"
#include "calc/current_sheet.h"

#include <cmath>

namespace spirelle {

double InductanceForResonance(double frequency, double capacitance)
{
    // sqrt(0.01 L C) = 100 / (6.283 f), squared, over 0.01 C.
    const double s = CheckedStep(Fp(100.0) / (Fp(frequency) * 6.283));
    const double lc = CheckedStep(Fp(s) * s);
    return CheckedStep(Fp(lc) / (Fp(capacitance) * 0.01));
}

double WheelerTurns(double diameter, double inchesPerTurn, double inductance)
{
    // r^2 N^2 = L (9r + 10pN) is a quadratic in N; the positive root has no cancellation.
    const double r = CheckedStep(Fp(diameter) / 2.0);
    const double a = CheckedStep(Fp(inchesPerTurn) * inductance * 10.0);
    const double discriminant = CheckedStep(Fp(a) * a + Fp(r) * r * r * inductance * 36.0);
    const double root = CheckedSqrt(discriminant);
    return CheckedStep((Fp(a) + root) / (Fp(r) * r * 2.0));
}

namespace {

// The root of g between a and b, where g(a) = ga and g(b) = gb differ in
// sign, by Illinois false position: superlinear, and never leaves the
// bracket. Nothing when g sets `undefined` on the way.
template <class G>
std::optional<double> IllinoisRoot(G &g, const bool &undefined, double a, double ga, double b, double gb)
{
    int kept = 0; // which end stayed last time: -1 a, +1 b
    for (int step = 0; step < 200; ++step) {
        double c = (a * gb - b * ga) / (gb - ga);
        if (!(c > std::fmin(a, b) && c < std::fmax(a, b)))
            c = 0.5 * (a + b);
        const double gc = g(c);
        if (undefined)
            return std::nullopt;
        if (std::fabs(gc) < 1e-14 || std::fabs(b - a) < 1e-15 * std::fmax(1.0, std::fabs(c)))
            return c;
        if ((gc > 0.0) == (gb > 0.0)) {
            b = c;
            gb = gc;
            if (kept == -1)
                ga *= 0.5;
            kept = -1;
        } else {
            a = c;
            ga = gc;
            if (kept == 1)
                gb *= 0.5;
            kept = 1;
        }
    }
    return std::fabs(ga) < std::fabs(gb) ? a : b;
}

} // namespace

std::optional<double> CurrentSheetTurns(double diameter, double inchesPerTurn, double inductance)
{
    const auto positive = [](double x) { return x > 0.0 && std::isfinite(x); };
    if (!positive(diameter) || !positive(inchesPerTurn) || !positive(inductance))
        return std::nullopt;
    const double logTarget = std::log(inductance);
    // g(u) = log L(e^u) - log target rises with slope between 1 and 2: the
    // sheet's L is N times a Nagaoka coefficient that grows with the length.
    bool undefined = false;
    const auto g = [&](double u) {
        const double turns = std::exp(u);
        const auto sheet = CurrentSheetInductance(diameter, turns, turns * inchesPerTurn);
        if (!sheet || !(*sheet > 0.0)) {
            undefined = true;
            return 0.0;
        }
        return std::log(*sheet) - logTarget;
    };

    // Start from Wheeler's count when it exists: usually within a few percent.
    double u0 = 0.0;
    try {
        const double wheeler = WheelerTurns(diameter, inchesPerTurn, inductance);
        if (positive(wheeler))
            u0 = std::log(wheeler);
    } catch (const CalcError &) {
    }
    double g0 = g(u0);
    if (undefined)
        return std::nullopt;
    if (g0 == 0.0)
        return std::exp(u0);

    // With a slope of at least 1 the root lies within |g0| of u0; widen a
    // little more each time in case rounding says otherwise.
    double a = u0;
    double ga = g0;
    double b = u0;
    double gb = g0;
    for (int widen = 1; widen <= 60 && (ga > 0.0) == (gb > 0.0); ++widen) {
        b = u0 - g0 * (1.0 + 0.5 * widen);
        gb = g(b);
        if (undefined)
            return std::nullopt;
    }
    if ((ga > 0.0) == (gb > 0.0))
        return std::nullopt;

    const std::optional<double> root = IllinoisRoot(g, undefined, a, ga, b, gb);
    return root ? std::optional<double>(std::exp(*root)) : std::nullopt;
}

} // namespace spirelle
