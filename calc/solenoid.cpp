#include "calc/solenoid.h"

#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/litz.h"
#include "calc/number_format.h"

#include <cmath>
#include <numbers>

namespace spirelle {
namespace {

constexpr double kMetresPerInch = 0.0254;

void RequireAbove0(double value, const std::string &input)
{
    if (!(value > 0.0) || !std::isfinite(value))
        throw CalcError::outOfRange(input,
                                    "must be a number above 0 (it is " + FormatNumber(value, {.significant = 6}) + ")");
}

} // namespace

double PitchForLength(double length, double turns)
{
    RequireAbove0(length, "winding length");
    RequireAbove0(turns, "number of turns");
    return length / turns;
}

double HelixWireLength(double coilDiameter, double turns, double pitch)
{
    return turns * std::hypot(std::numbers::pi * coilDiameter, pitch);
}

double CopperResistance(double length, double bareDiameter)
{
    const double radius = bareDiameter / 2.0 * kMetresPerInch;
    return kCopperResistivity * length * kMetresPerInch / (std::numbers::pi * radius * radius);
}

void WindWire(Solenoid &s, const Wire &wire)
{
    // Lumped: 1 / (2 pi sqrt(L C)); uH x pF is 1e-18 s^2, so 1e6 over it gives kHz.
    s.selfResonanceKHz = 1e6 / (2.0 * std::numbers::pi * std::sqrt(s.inductance * s.selfCapacitance));
    s.wireLength = HelixWireLength(s.coilDiameter, s.turns, s.pitch);
    s.dcResistance = CopperResistance(s.wireLength, wire.bareDiameter);
    s.bareDiameter = wire.bareDiameter;
    if (wire.strands > 0) {
        s.strands = wire.strands;
        s.strandDiameter = wire.strandDiameter;
        s.bundleDiameter = LitzBundleDiameter(wire);
    }
}

Solenoid MakeSolenoid(double formDiameter, const Wire &wire, double turns, std::optional<double> pitch)
{
    Solenoid s;
    s.pitch = PitchOf(wire, pitch);
    s.inductance = RoundWireInductance(formDiameter, wire, turns, s.pitch); // checks the inputs
    s.wire = wire.name;
    s.turns = turns;
    s.coilDiameter = CoilDiameter(formDiameter, wire.outsideDiameter);
    s.windingLength = turns * s.pitch;
    s.wheelerInductance = WheelerInductance(s.coilDiameter, turns, s.windingLength);
    s.currentSheetInductance = CurrentSheetInductance(s.coilDiameter, turns, s.windingLength).value_or(NAN);
    s.selfCapacitance = MedhurstCapacitance(s.coilDiameter, s.windingLength);
    s.note = MedhurstNote(s.coilDiameter, s.windingLength);
    WindWire(s, wire);
    return s;
}

} // namespace spirelle
