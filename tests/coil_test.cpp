#include "calc/calc_error.h"
#include "calc/checked.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/number_format.h"

#include <gtest/gtest.h>

#include <cfenv>
#include <cmath>
#include <functional>
#include <optional>
#include <random>

namespace spirelle {
namespace {

// The outcome of a calculation, as one comparable value.
struct Outcome {
    double value = 0;
    ErrorKind kind{};
    ArithmeticFault fault = ArithmeticFault::None;
    bool failed = false;
};

Outcome Run(const std::function<double()> &calculation)
{
    try {
        return {calculation()};
    } catch (const CalcError &error) {
        return {0, error.kind(), error.fault(), true};
    }
}

void ExpectFault(const std::function<double()> &calculation, ErrorKind kind,
                 ArithmeticFault fault = ArithmeticFault::None)
{
    const Outcome outcome = Run(calculation);
    ASSERT_TRUE(outcome.failed) << "gave " << outcome.value;
    EXPECT_EQ(outcome.kind, kind);
    EXPECT_EQ(outcome.fault, fault);
}

TEST(CheckedStep, RaisesOnInvalidDivisionAndOverflowOnly)
{
    using F = ArithmeticFault;
    const ErrorKind A = ErrorKind::ArithmeticError;
    ExpectFault([] { return CheckedStep(Fp(1) / 0.0); }, A, F::DivisionByZero);
    ExpectFault([] { return CheckedStep(Fp(-1) / 0.0); }, A, F::DivisionByZero);
    ExpectFault([] { return CheckedStep(Fp(0) / 0.0); }, A, F::InvalidOperation);
    ExpectFault([] { return CheckedStep(Fp(1e200) * 1e200); }, A, F::Overflow);
    ExpectFault([] { return CheckedStep(Fp(1.7976931348623157e308) + 1.7976931348623157e308); }, A, F::Overflow);
    ExpectFault([] { return CheckedStep(Fp(1e308) / 1e-308); }, A, F::Overflow);
    // An exception inside a statement stops it even when the final value is finite.
    ExpectFault([] { return CheckedStep(Fp(1) / (Fp(1e308) * 10.0)); }, A, F::Overflow);
    // The first exception in evaluation order is the one reported.
    ExpectFault([] { return CheckedStep(Fp(1e308) * 10.0 / 0.0); }, A, F::Overflow);
    // Underflow and rounding are not errors.
    EXPECT_EQ(CheckedStep(Fp(1e-200) * 1e-200), 0.0);
    EXPECT_EQ(CheckedStep(Fp(1) / 3.0), 1.0 / 3);
    EXPECT_EQ(CheckedStep(Fp(0) / 5.0), 0.0);
}

TEST(CheckedSqrt, NegativeIsInvalidArgument)
{
    EXPECT_DOUBLE_EQ(CheckedSqrt(240), 15.491933384829668);
    EXPECT_EQ(CheckedSqrt(0), 0);
    EXPECT_EQ(CheckedSqrt(-0.0), 0);
    ExpectFault([] { return CheckedSqrt(-1e-300); }, ErrorKind::InvalidArgument);
}

// The tracked exceptions must agree with what the floating-point unit raises.
// The operands pass through volatile so the compiler cannot fold or move the
// operations away from the flag reads.
TEST(CheckedStep, AgreesWithHardwareFlags)
{
    std::mt19937_64 random(7);
    const double specials[] = {0.0, -0.0, 1.0, -1.0, 1e-310, 1e308, -1e308, 1.7976931348623157e308, 2.0, 0.5};
    std::uniform_int_distribution<int> pick(0, 2 * static_cast<int>(std::size(specials)));
    std::uniform_real_distribution<double> exponent(-320, 308);
    const auto operand = [&] {
        const int k = pick(random);
        if (k < static_cast<int>(std::size(specials)))
            return specials[k];
        return (k % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(random));
    };
    const auto hardware = [](int raised) {
        if (raised & FE_INVALID)
            return ArithmeticFault::InvalidOperation;
        if (raised & FE_DIVBYZERO)
            return ArithmeticFault::DivisionByZero;
        if (raised & FE_OVERFLOW)
            return ArithmeticFault::Overflow;
        return ArithmeticFault::None;
    };
    for (int i = 0; i < 100000; ++i) {
        volatile double a = operand();
        volatile double b = operand();
        for (int op = 0; op < 4; ++op) {
            std::feclearexcept(FE_ALL_EXCEPT);
            volatile double r = op == 0 ? a + b : op == 1 ? a - b : op == 2 ? a * b : a / b;
            const ArithmeticFault expected = hardware(std::fetestexcept(FE_ALL_EXCEPT));
            const Fp tracked = op == 0 ? Fp(a) + b : op == 1 ? Fp(a) - b : op == 2 ? Fp(a) * b : Fp(a) / b;
            ASSERT_EQ(tracked.fault(), expected) << a << " op" << op << ' ' << b;
            const double value = r;
            if (!std::isnan(value)) {
                ASSERT_EQ(tracked.value(), value);
            }
        }
    }
}

TEST(Formulas, WorkedExamples)
{
    EXPECT_EQ(CloseWoundLength(0.0345, 20), 0.6900000000000001);
    EXPECT_EQ(FormatNumber(CloseWoundLength(0.0345, 20)), "0.69");
    EXPECT_EQ(WheelerInductance(1, 20, 0.69), 100 / (0.69 * 10 + 4.5));
    EXPECT_EQ(FormatNumber(WheelerInductance(1, 20, 0.69)), "8.7719298245614");
    EXPECT_EQ(WireFeet(1, 20), 5);
    EXPECT_EQ(FormatNumber(ResonantFrequency(240, 100)), "1.02737103989798");
    EXPECT_EQ(ResonantFrequency(240, 100), ResonantFrequency(100, 240));
    EXPECT_EQ(FormatNumber(WheelerInductance(2, 10, 1.1)), "5");
    EXPECT_EQ(FormatNumber(WheelerInductance(2, 10, 0.1)), "10");
}

TEST(Formulas, OrderAndConstantsAreTheStatedOnes)
{
    // Six statements held as doubles, radius recomputed; a one-line formula differs in the last bits.
    const double d = 1.37, n = 23.3, l = 0.81;
    const double a = d / 2, b = n * a, c = (d / 2) * b, dd = n * c, e = (d / 2) * 9;
    EXPECT_EQ(WheelerInductance(d, n, l), dd / (l * 10 + e));
    // pi is 3.14159 and 2 pi is 6.283, not the exact values.
    EXPECT_EQ(WireFeet(1, 2291.8), RoundHalfEven(2291.8 * (1 * 3.14159) / 12));
    EXPECT_EQ(ResonantFrequency(1, 1), 1 / (std::sqrt(0.01) * 6.283) * 100);
}

TEST(Formulas, ZeroTurnsGiveZero)
{
    for (const double diameter : {0.5, 1.0, 2.0, 100.0})
        for (const double length : {0.0, 0.1, 1.0, 50.0})
            EXPECT_EQ(WheelerInductance(diameter, 0, length), 0.0) << diameter << ' ' << length;
}

TEST(Formulas, Failures)
{
    using F = ArithmeticFault;
    const ErrorKind A = ErrorKind::ArithmeticError;
    ExpectFault([] { return WheelerInductance(0, 0, 0); }, A, F::InvalidOperation);
    ExpectFault([] { return WheelerInductance(0, 20, 0); }, A, F::InvalidOperation);
    ExpectFault([] { return WheelerInductance(2, 10, -0.9); }, A, F::DivisionByZero); // 10l cancels 9r
    ExpectFault([] { return WheelerInductance(1, 20, 1e308); }, A, F::Overflow);      // inner overflow, final 0
    ExpectFault([] { return WheelerInductance(1e200, 1e200, 1); }, A, F::Overflow);
    ExpectFault([] { return ResonantFrequency(0, 100); }, A, F::DivisionByZero);
    ExpectFault([] { return ResonantFrequency(240, 0); }, A, F::DivisionByZero);
    ExpectFault([] { return ResonantFrequency(-240, 100); }, ErrorKind::InvalidArgument);
    ExpectFault([] { return ResonantFrequency(1e200, 1e200); }, A, F::Overflow);
    ExpectFault([] { return ResonantFrequency(1e-200, 1e-200); }, A, F::DivisionByZero); // product underflows to 0
    ExpectFault([] { return CloseWoundLength(100, 1e308); }, A, F::Overflow);
    ExpectFault([] { return WireFeet(1e308, 10); }, A, F::Overflow);
}

} // namespace
} // namespace spirelle

namespace spirelle {
namespace {

// Nagaoka's coefficient against its published values (Nagaoka 1909; the six
// from 0.1 to 5 to 6 digits), and the rest recomputed independently at 40
// digits with mpmath's complete elliptic integrals, including the extremes
// where K - E and E - 1 would lose digits.
TEST(CurrentSheet, NagaokaCoefficientMatchesPublishedValues)
{
    // {l/d, coefficient, tolerance: half a unit of the last digit given}
    const std::tuple<double, double, double> rows[] = {
        {0.1, 0.203324, 5e-7},
        {0.2, 0.319825, 5e-7},
        {0.4, 0.471865, 5e-7},
        {1, 0.688423, 5e-7},
        {2, 0.818136, 5e-7},
        {5, 0.920093, 5e-7},
        {10, 0.95880712420372293, 1e-15},
        {0.026, 0.075087005915490119, 1e-16},
        {0.21, 0.329478952158872, 1e-15},
        {0.001, 0.0049618467876171734, 1e-17},
        {1000, 0.99957571181840599, 1e-15},
        {1e5, 0.99999575588068422, 1e-15},
    };
    for (const auto &[ratio, expected, tolerance] : rows) {
        const auto k = NagaokaCoefficient(ratio);
        ASSERT_TRUE(k) << ratio;
        EXPECT_NEAR(*k, expected, tolerance) << "l/d " << ratio;
    }
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(NagaokaCoefficient(bad)) << bad;
}

TEST(CurrentSheet, InductanceAndWheelersDeviation)
{
    // {diameter, turns, length, current sheet, Wheeler's deviation in percent or
    // nullopt where Wheeler's statements overflow}, from
    // scripts/current_sheet_reference.py (mpmath, Carlson's forms at 60+ digits).
    const std::tuple<double, double, double, double, std::optional<double>> rows[] = {
        {1, 20, 0.69, 8.7670101727041246757, 0.0561},    // Wheeler 8.7719298245614
        {1, 10, 1, 1.7257925339347246676, -0.0959},      // l/d 1: within 0.2 %
        {4, 10, 0.105, 28.898049966633982175, -27.3398}, // ten turns of # 30 on a 4 in form
        {1, 1, 1e-200, 7.3636695923514787723, -99.2455}, // short-coil form: k'^2 underflows
        {1, 1, 1e-160, 5.8937645997486563224, -99.0574},
        {2, 3, 1e-9, 6.4068370202113897119, -84.3917},
        {1, 1, 0.57735026918962573, 0.024332001361961648997, 0.0100}, // the edges of the series
        {1, 1, 1.7320508075688772, 0.011507192230204145324, -0.4352},
        {1, 7, 3e8, 4.0945698734059738193e-9, -0.2744},
        {1, 1, 1e155, 2.5068795178766970892e-157, -0.2744},               // long-coil form: k^2 underflows
        {1e300, 1e-150, 1e-300, 22.062719518379703271, std::nullopt},     // l/d underflows
        {1e-300, 1e300, 1e300, 2.5068795178766970892e-302, std::nullopt}, // l/d and N^2 overflow
        {1e-160, 1e170, 1e-160, 1.7257925339347246676e+178, std::nullopt},
    };
    for (const auto &[d, n, l, sheet, deviation] : rows) {
        const auto L = CurrentSheetInductance(d, n, l);
        ASSERT_TRUE(L) << d << " " << n << " " << l;
        EXPECT_NEAR(*L / sheet, 1.0, 1e-12) << d << " " << n << " " << l;
        if (deviation) {
            EXPECT_NEAR(WheelerDeviationPercent(WheelerInductance(d, n, l), *L), *deviation, 5e-4);
        }
    }
    EXPECT_FALSE(CurrentSheetInductance(0, 20, 1));
    EXPECT_FALSE(CurrentSheetInductance(1, 20, 0));
    EXPECT_FALSE(CurrentSheetInductance(1, 1e300, 1)); // N^2 overflows
}

} // namespace
} // namespace spirelle
