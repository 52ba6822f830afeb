#include "calc/real_coil.h"

#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/number_format.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <numbers>

namespace spirelle {
namespace {

// mu0 in microhenries per inch: 4 pi 1e-7 H/m x 0.0254 m/in x 1e6 uH/H.
constexpr double kMu0 = 4.0 * std::numbers::pi * 0.0254 * 0.1;

// Rosa's km tends to ln(2 pi) - 3/2; its 1/N term carries 2 zeta'(-1).
const double kMutualLimit = std::log(2.0 * std::numbers::pi) - 1.5;
constexpr double kTwoZetaPrimeMinusOne = -0.33084228740090185843;

// From this many turns on, km comes from its asymptotic series: the first
// term left out, 0.0042 / N^11, is below 1e-15 there.
constexpr int kAsymptoticFrom = 16;

void RequirePositive(double value, const std::string &input)
{
    if (!(value > 0.0) || !std::isfinite(value))
        throw CalcError::outOfRange(input,
                                    "must be a number above 0 (it is " + FormatNumber(value, {.significant = 6}) + ")");
}

void RequireWire(const Wire &wire)
{
    RequirePositive(wire.outsideDiameter, "outside diameter of the wire " + wire.name);
    RequirePositive(wire.bareDiameter, "bare diameter of the wire " + wire.name);
    if (wire.bareDiameter > wire.outsideDiameter)
        throw CalcError::outOfRange("bare diameter of the wire " + wire.name,
                                    "must not exceed its outside diameter (" +
                                        FormatNumber(wire.bareDiameter, {.significant = 6}) + " > " +
                                        FormatNumber(wire.outsideDiameter, {.significant = 6}) + ")");
}

void RequireTurns(int turns)
{
    if (turns < 1 || turns > kMaxTurns)
        throw CalcError::outOfRange("number of turns",
                                    "must be a whole number from 1 to " + FormatNumber(kMaxTurns, {.significant = 9}) +
                                        " (it is " + FormatNumber(turns, {.significant = 12}) + ")");
}

void RequireTurns(double turns)
{
    if (!(turns >= 1.0 && turns <= kMaxTurns))
        throw CalcError::outOfRange("number of turns",
                                    "must be a number from 1 to " + FormatNumber(kMaxTurns, {.significant = 9}) +
                                        " (it is " + FormatNumber(turns, {.significant = 12}) + ")");
}

void RequirePitch(const Wire &wire, double pitch)
{
    if (!(pitch >= wire.outsideDiameter) || !std::isfinite(pitch))
        throw CalcError::outOfRange("pitch",
                                    "must not be below the outside diameter of the wire " + wire.name + " (" +
                                        FormatNumber(pitch, {.significant = 6}) + " in < " +
                                        FormatNumber(wire.outsideDiameter, {.significant = 6}) + " in)");
}

// Medhurst 1947 (real_coil.h): l/D and H in pF per cm of diameter.
struct MedhurstRow {
    double lengthOverDiameter;
    double h;
};
constexpr MedhurstRow kMedhurst[] = {
    {0.10, 0.96}, {0.15, 0.79}, {0.20, 0.70}, {0.25, 0.64}, {0.30, 0.60}, {0.35, 0.57}, {0.40, 0.54},
    {0.45, 0.52}, {0.50, 0.50}, {0.60, 0.48}, {0.70, 0.47}, {0.80, 0.46}, {0.90, 0.46}, {1.0, 0.46},
    {1.5, 0.47},  {2.0, 0.50},  {2.5, 0.56},  {3.0, 0.61},  {3.5, 0.67},  {4.0, 0.72},  {4.5, 0.77},
    {5.0, 0.81},  {6.0, 0.92},  {7.0, 1.01},  {8.0, 1.12},  {9.0, 1.22},  {10, 1.32},   {15, 1.86},
    {20, 2.36},   {25, 2.9},    {30, 3.4},    {40, 4.6},    {50, 5.8},
};

} // namespace

double AwgBareDiameter(int gauge)
{
    // The gauge's definition: 39 steps in geometric progression from 0000 to 36.
    return 0.005 * std::pow(92.0, (36.0 - gauge) / 39.0);
}

double CoilDiameter(double formDiameter, double outsideDiameter)
{
    return formDiameter + outsideDiameter;
}

double RosaSelfCorrection(double pitch, double bareDiameter)
{
    return kRosaSelfConstant - std::log(2.0 * pitch / bareDiameter);
}

double RosaMutualCorrection(int turns)
{
    RequireTurns(turns);
    const double n = turns;
    if (turns < kAsymptoticFrom) {
        // Rosa 1906: km = (2/N) sum_{k=1}^{N-1} (N - k) (ln k - ln g_k), g_k the
        // geometric mean distance of two strips a pitch wide k pitches apart,
        //   ln g_k = ((k+1)^2 ln(k+1) + (k-1)^2 ln(k-1) - 2 k^2 ln k) / 2 - 3/2.
        // The second differences of k^2 ln k telescope: sum (N - k) of them is N^2 ln N.
        double sum = 0.0;
        for (int k = 2; k < turns; ++k)
            sum += (n - k) * std::log(static_cast<double>(k));
        return 2.0 / n * (sum + 0.75 * n * (n - 1.0) - 0.5 * n * n * std::log(n));
    }
    // The sum of (N - k) ln k is ln G(N + 1) (Barnes); its asymptotic series
    // (Bernoulli numbers B4 .. B10) gives the rest.
    const double inverse = 1.0 / n;
    const double inverse2 = inverse * inverse;
    const double series = inverse * inverse2 *
        (-1.0 / 120.0 + inverse2 * (1.0 / 504.0 + inverse2 * (-1.0 / 720.0 + inverse2 / 528.0)));
    return kMutualLimit - std::log(n) * inverse / 6.0 + kTwoZetaPrimeMinusOne * inverse + series;
}

double RosaMutualCorrection(double turns)
{
    RequireTurns(turns);
    const double whole = std::floor(turns);
    const double fraction = turns - whole;
    const double below = RosaMutualCorrection(static_cast<int>(whole));
    if (fraction == 0.0)
        return below;
    return below + fraction * (RosaMutualCorrection(static_cast<int>(whole) + 1) - below);
}

double RoundWireInductance(double formDiameter, const Wire &wire, int turns)
{
    RequireTurns(turns);
    return RoundWireInductance(formDiameter, wire, static_cast<double>(turns), wire.outsideDiameter);
}

double RoundWireInductance(double formDiameter, const Wire &wire, double turns, double pitch)
{
    RequirePositive(formDiameter, "form diameter");
    RequireWire(wire);
    RequireTurns(turns);
    RequirePitch(wire, pitch);
    const double coilDiameter = CoilDiameter(formDiameter, wire.outsideDiameter);
    const auto sheet = CurrentSheetInductance(coilDiameter, turns, turns * pitch);
    const auto coil = [&] {
        return FormatNumber(turns, {.significant = 12}) + (turns == 1 ? " turn" : " turns") + " of the wire " +
            wire.name;
    };
    if (!sheet || !(*sheet > 0.0))
        throw CalcError::outOfRange("form diameter",
                                    "is too large against the wire to compute the inductance of " + coil());
    // Rosa 1906: what separate round wires lack against the current sheet.
    const double ks = RosaSelfCorrection(pitch, wire.bareDiameter);
    const double km = RosaMutualCorrection(turns);
    const double inductance = *sheet - kMu0 * (coilDiameter / 2.0) * turns * (ks + km);
    if (!(inductance > 0.0) || !std::isfinite(inductance))
        throw CalcError::outOfRange("wire " + wire.name,
                                    "is too thick for the form: " + coil() + " would have no inductance left");
    return inductance;
}

double MedhurstCoefficient(double lengthOverDiameter)
{
    const double x = std::clamp(lengthOverDiameter, kMedhurstShortest, kMedhurstLongest);
    const auto *upper = std::lower_bound(std::begin(kMedhurst), std::end(kMedhurst), x,
                                         [](const MedhurstRow &row, double v) { return row.lengthOverDiameter < v; });
    if (upper == std::begin(kMedhurst))
        return upper->h;
    const MedhurstRow &lower = *(upper - 1);
    const double t = (x - lower.lengthOverDiameter) / (upper->lengthOverDiameter - lower.lengthOverDiameter);
    return lower.h + t * (upper->h - lower.h);
}

double MedhurstCapacitance(double coilDiameter, double windingLength)
{
    RequirePositive(coilDiameter, "coil diameter");
    RequirePositive(windingLength, "winding length");
    // Medhurst 1947: H pF per cm of the coil's diameter.
    return MedhurstCoefficient(windingLength / coilDiameter) * coilDiameter * 2.54;
}

std::string MedhurstNote(double coilDiameter, double windingLength)
{
    const double x = windingLength / coilDiameter;
    if (x >= kMedhurstShortest && x <= kMedhurstLongest)
        return {};
    return "outside Medhurst's measurements, l/D " + FormatNumber(x, {.significant = 2});
}

RealCoil MakeRealCoil(double formDiameter, const Wire &wire, int turns, std::optional<double> pitch)
{
    RequireTurns(turns);
    RealCoil coil;
    coil.pitch = PitchOf(wire, pitch);
    coil.inductance = RoundWireInductance(formDiameter, wire, turns, coil.pitch); // checks the inputs
    coil.turns = turns;
    coil.coilDiameter = CoilDiameter(formDiameter, wire.outsideDiameter);
    coil.windingLength = turns * coil.pitch;
    coil.wheelerInductance = WheelerInductance(coil.coilDiameter, turns, coil.windingLength);
    coil.selfCapacitance = MedhurstCapacitance(coil.coilDiameter, coil.windingLength);
    coil.note = MedhurstNote(coil.coilDiameter, coil.windingLength);
    coil.wireLength = turns * std::numbers::pi * coil.coilDiameter;
    return coil;
}

} // namespace spirelle
