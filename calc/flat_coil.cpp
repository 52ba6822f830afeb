#include "calc/flat_coil.h"

#include "calc/calc_error.h"
#include "calc/elliptic.h"
#include "calc/number_format.h"
#include "calc/solenoid.h"
#include "calc/tuned_circuit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace spirelle {
namespace {

// mu0 in uH per inch: 4 pi 1e-7 H/m x 0.0254 m x 1e6.
constexpr double kMu0UhPerInch = 4.0 * std::numbers::pi * 1e-7 * 0.0254 * 1e6;

std::string Text(double value)
{
    return FormatNumber(value, {.significant = 6});
}

// The centre radius of turn i.
double TurnRadius(const FlatForm &form, const Wire &wire, double pitch, int i)
{
    return form.innerDiameter / 2.0 + wire.outsideDiameter / 2.0 + i * pitch;
}

// Wheeler's count for `inductance` uH (the least N whose Wheeler L reaches it),
// where the searches start.
double WheelerGuess(const FlatForm &form, const Wire &wire, double pitch, double inductance)
{
    int n = 1;
    while (n < kMostFlatTurns &&
           !(WheelerFlatInductance(form.innerDiameter, wire.outsideDiameter, n, pitch) >= inductance))
        n = std::min(2 * n, kMostFlatTurns);
    int low = n / 2;
    while (n - low > 1) {
        const int middle = low + (n - low) / 2;
        (WheelerFlatInductance(form.innerDiameter, wire.outsideDiameter, middle, pitch) >= inductance ? n
                                                                                                      : low) = middle;
    }
    return n;
}

} // namespace

double RingInductance(double radius, double bareDiameter)
{
    // Rosa 1908; Grover 1946 ch. 13: mu0 R (ln(8R/r) - 2), the current in the skin.
    return kMu0UhPerInch * radius * (std::log(8.0 * radius / (bareDiameter / 2.0)) - 2.0);
}

double CoplanarMutualInductance(double a, double b)
{
    // Maxwell's formula for coaxial circles, their distance 0 (Grover 1946 ch. 13).
    const double k = 2.0 * std::sqrt(a * b) / (a + b);
    const double K = CompleteK(k);
    const double E = CompleteE(k);
    return kMu0UhPerInch * std::sqrt(a * b) * ((2.0 / k - k) * K - 2.0 / k * E);
}

double WheelerFlatInductance(double innerDiameter, double outsideDiameter, int turns, double pitch)
{
    // Wheeler 1928: a^2 N^2 / (8a + 11c), inches and uH, c and a to the winding's edges.
    const double c = (turns - 1) * pitch + outsideDiameter;
    const double a = innerDiameter / 2.0 + c / 2.0;
    return a * a * turns * turns / (8.0 * a + 11.0 * c);
}

double CheckFlatForm(const FlatForm &form, const Wire &wire)
{
    const std::string diameter = form.spokes ? "hub diameter" : "inner diameter";
    if (!(form.innerDiameter > 0) || !std::isfinite(form.innerDiameter))
        throw CalcError::outOfRange(diameter, "must be a number above 0 (it is " + Text(form.innerDiameter) + ")");
    if (!(wire.outsideDiameter > 0) || !(wire.bareDiameter > 0) || !std::isfinite(wire.outsideDiameter))
        throw CalcError::outOfRange("wire", "must have diameters above 0");
    if (form.spokes != 0) {
        if (form.spokes < 5 || form.spokes % 2 == 0)
            throw CalcError::outOfRange("spokes",
                                        "must be an odd number, 5 or more, for the wire to weave over and "
                                        "under them turn by turn (it is " +
                                            std::to_string(form.spokes) + ")");
        // The hub's circumference holds S spokes and S slots, each at least a wire wide.
        const double least = 2.0 * form.spokes * wire.outsideDiameter / std::numbers::pi;
        if (form.innerDiameter < least)
            throw CalcError::outOfRange("hub diameter",
                                        "is too small for " + std::to_string(form.spokes) +
                                            " spokes and slots each a wire wide: at least " + Text(least) +
                                            " in (it is " + Text(form.innerDiameter) + " in)");
        return wire.outsideDiameter;
    }
    const double pitch = PitchOf(wire, form.pitch);
    if (!(pitch >= wire.outsideDiameter) || !std::isfinite(pitch))
        throw CalcError::outOfRange("pitch",
                                    "must not be below the wire's outside diameter (" + Text(wire.outsideDiameter) +
                                        " in; it is " + Text(pitch) + " in)");
    return pitch;
}

FlatCoil MakeFlatCoil(const FlatForm &form, const Wire &wire, int turns)
{
    const double pitch = CheckFlatForm(form, wire);
    if (turns < 1)
        throw CalcError::outOfRange("number of turns", "must be 1 or more (it is " + std::to_string(turns) + ")");
    FlatCoil coil;
    coil.wire = wire.name;
    coil.turns = turns;
    coil.spokes = form.spokes;
    coil.innerDiameter = form.innerDiameter;
    coil.pitch = pitch;
    const double c = (turns - 1) * pitch + wire.outsideDiameter;
    coil.outerDiameter = form.innerDiameter + 2.0 * c;
    double sum = 0;
    double length = 0;
    for (int i = 0; i < turns; ++i) {
        const double a = TurnRadius(form, wire, pitch, i);
        sum += RingInductance(a, wire.bareDiameter);
        length += 2.0 * std::numbers::pi * a;
        for (int j = i + 1; j < turns; ++j)
            sum += 2.0 * CoplanarMutualInductance(a, TurnRadius(form, wire, pitch, j));
    }
    coil.inductance = sum;
    coil.wheelerInductance = WheelerFlatInductance(form.innerDiameter, wire.outsideDiameter, turns, pitch);
    coil.selfCapacitance = NAN;
    coil.wireLength = length;
    coil.dcResistance = CopperResistance(length, wire.bareDiameter);
    coil.note = "self-capacitance not estimated; a band design uses the stray alone";
    return coil;
}

RealCoil AsRealCoil(const FlatCoil &coil)
{
    RealCoil real;
    real.turns = coil.turns;
    real.coilDiameter = coil.outerDiameter;
    real.windingLength = (coil.outerDiameter - coil.innerDiameter) / 2.0;
    real.inductance = coil.inductance;
    real.wheelerInductance = coil.wheelerInductance;
    real.selfCapacitance = coil.selfCapacitance;
    real.wireLength = coil.wireLength;
    real.pitch = coil.pitch;
    real.note = coil.note;
    return real;
}

BandDesign DesignFlatForBand(const FlatForm &form, const Wire &wire, const Capacitor &capacitor, const Band &band)
{
    const double pitch = CheckFlatForm(form, wire);
    const auto make = [&](int turns) { return AsRealCoil(MakeFlatCoil(form, wire, turns)); };
    double guess = 1;
    if (capacitor.cmin + capacitor.stray > 0 && band.high > 0 && std::isfinite(band.high))
        guess = WheelerGuess(form, wire, pitch,
                             InductanceForResonance(band.high / 1000.0, capacitor.cmin + capacitor.stray));
    return DesignForBand(wire, capacitor, band, make, guess, kMostFlatTurns);
}

RealCoil WindFlat(double inductance, const FlatForm &form, const Wire &wire)
{
    const double pitch = CheckFlatForm(form, wire);
    const auto make = [&](int turns) { return AsRealCoil(MakeFlatCoil(form, wire, turns)); };
    const double guess = inductance > 0 && std::isfinite(inductance) ? WheelerGuess(form, wire, pitch, inductance) : 1;
    return Wind(inductance, wire, make, guess, kMostFlatTurns);
}

} // namespace spirelle
