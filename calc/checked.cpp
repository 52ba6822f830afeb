#include "calc/checked.h"

#include <cmath>

namespace spirelle {
namespace {

// What IEEE 754 raises for an operation of non-NaN operands with this result
// (division by zero is decided by the caller, which knows the divisor).
ArithmeticFault RaisedBy(double a, double b, double result)
{
    if (std::isnan(result) && !std::isnan(a) && !std::isnan(b))
        return ArithmeticFault::InvalidOperation;
    if (std::isinf(result) && std::isfinite(a) && std::isfinite(b))
        return ArithmeticFault::Overflow;
    return ArithmeticFault::None;
}

} // namespace

Fp Fp::combine(Fp a, Fp b, double result, ArithmeticFault raised)
{
    // The first exception in evaluation order is the one reported.
    ArithmeticFault fault = a.m_fault;
    if (fault == ArithmeticFault::None)
        fault = b.m_fault;
    if (fault == ArithmeticFault::None)
        fault = raised;
    return Fp(result, fault);
}

Fp operator+(Fp a, Fp b)
{
    const double r = a.m_value + b.m_value;
    return Fp::combine(a, b, r, RaisedBy(a.m_value, b.m_value, r));
}

Fp operator-(Fp a, Fp b)
{
    const double r = a.m_value - b.m_value;
    return Fp::combine(a, b, r, RaisedBy(a.m_value, b.m_value, r));
}

Fp operator*(Fp a, Fp b)
{
    const double r = a.m_value * b.m_value;
    return Fp::combine(a, b, r, RaisedBy(a.m_value, b.m_value, r));
}

Fp operator/(Fp a, Fp b)
{
    const double r = a.m_value / b.m_value;
    ArithmeticFault raised = RaisedBy(a.m_value, b.m_value, r);
    // A finite non-zero dividend over zero gives an exact infinity: division by zero, not overflow.
    if (b.m_value == 0.0 && std::isfinite(a.m_value) && a.m_value != 0.0)
        raised = ArithmeticFault::DivisionByZero;
    return Fp::combine(a, b, r, raised);
}

double CheckedStep(Fp statement)
{
    if (statement.fault() != ArithmeticFault::None)
        throw CalcError::arithmetic(statement.fault());
    return statement.value();
}

double CheckedSqrt(double value)
{
    if (value < 0.0)
        throw CalcError::invalidArgument();
    return std::sqrt(value);
}

} // namespace spirelle
