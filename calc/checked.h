#pragma once

#include "calc/calc_error.h"

// The checked-statement rule. A calculation is a sequence of statements; each
// is evaluated in doubles, left to right, and afterwards its IEEE status is
// inspected: an invalid operation, a division by zero or an overflow raised by
// any operation inside the statement stops the calculation. Underflow and
// inexact results are not errors.
//
// The status is tracked per operation in the value itself rather than read from
// the floating-point unit's flags: optimisers fold and reorder arithmetic around
// <cfenv> calls, and this way the rule holds at every optimisation level and
// under every compiler. The tests check the tracking against the hardware flags.
namespace spirelle {

class Fp {
public:
    constexpr Fp(double value) : m_value(value) {} // NOLINT: statements read best with plain literals

    double value() const { return m_value; }
    ArithmeticFault fault() const { return m_fault; }

    friend Fp operator+(Fp a, Fp b);
    friend Fp operator-(Fp a, Fp b);
    friend Fp operator*(Fp a, Fp b);
    friend Fp operator/(Fp a, Fp b);

private:
    Fp(double value, ArithmeticFault fault) : m_value(value), m_fault(fault) {}
    static Fp combine(Fp a, Fp b, double result, ArithmeticFault raised);

    double m_value;
    ArithmeticFault m_fault = ArithmeticFault::None;
};

// The statement's value, or the ArithmeticError of the first exception it raised:
//   CheckedStep(Fp(1) / 0.0)      -> ArithmeticError (DivisionByZero)
//   CheckedStep(Fp(0) / 0.0)      -> ArithmeticError (InvalidOperation)
//   CheckedStep(Fp(1e200) * 1e200) -> ArithmeticError (Overflow)
//   CheckedStep(Fp(1e-200) * 1e-200) -> 0
double CheckedStep(Fp statement);

// Square root; a negative operand is an InvalidArgument:
//   CheckedSqrt(240) -> 15.4919333848297   CheckedSqrt(-1) -> InvalidArgument
double CheckedSqrt(double value);

} // namespace spirelle
