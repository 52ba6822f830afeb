#include "calc/coil.h"

#include "calc/checked.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"

namespace spirelle {

double CloseWoundLength(double inchesPerTurn, double turns)
{
    return CheckedStep(Fp(turns) * inchesPerTurn);
}

std::string CloseWoundLengthText(double inchesPerTurn, double turns, std::string_view decimalSeparator)
{
    return FormatNumber(CloseWoundLength(inchesPerTurn, turns), decimalSeparator);
}

double CloseWoundLengthAsShown(double inchesPerTurn, double turns)
{
    return ParseNumber(CloseWoundLengthText(inchesPerTurn, turns, "."));
}

double WheelerInductance(double diameter, double turns, double length)
{
    // The radius is recomputed at each use, and every statement is held as a double.
    const double a = CheckedStep(Fp(diameter) / 2.0);
    const double b = CheckedStep(Fp(turns) * a);
    const double c = CheckedStep(Fp(diameter) / 2.0 * b);
    const double d = CheckedStep(Fp(turns) * c);
    const double e = CheckedStep(Fp(diameter) / 2.0 * 9.0);
    return CheckedStep(Fp(d) / (Fp(length) * 10.0 + e));
}

double WireFeet(double diameter, double turns)
{
    const double a = CheckedStep(Fp(diameter) * 3.14159);
    const double b = CheckedStep(Fp(turns) * a / 12.0);
    return RoundHalfEven(b);
}

double ResonantFrequency(double inductance, double capacitance)
{
    const double a = CheckedStep(Fp(inductance) * capacitance * 0.01);
    const double s = CheckedSqrt(a);
    return CheckedStep(Fp(1.0) / (Fp(s) * 6.283) * 100.0);
}

} // namespace spirelle
