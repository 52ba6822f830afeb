#include "calc/losses.h"

#include "calc/calc_error.h"
#include "calc/litz.h"
#include "calc/number_format.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <iterator>
#include <numbers>

namespace spirelle {
namespace {

using Complex = std::complex<double>;

constexpr double kMu0 = 4e-7 * std::numbers::pi; // H/m
constexpr double kMetresPerInch = 0.0254;

// Up to here J0 and J1 come from their power series; the terms grow to about
// e^q while the sums are about e^(q / sqrt 2), so 25 loses under 4 of 16 digits.
constexpr double kSeriesUpTo = 25;
// Below this F and G are their leading terms, q^4 / 192 and q^4 / 64 (Butterworth 1926).
constexpr double kLeadingTermsBelow = 1e-3;

void RequireAbove0(double value, const std::string &input)
{
    if (!(value > 0.0) || !std::isfinite(value))
        throw CalcError::outOfRange(input,
                                    "must be a number above 0 (it is " + FormatNumber(value, {.significant = 6}) + ")");
}

// J1(z) / J0(z) by the power series J0 = sum w^k / k!^2, J1 = (z/2) sum w^k / (k! (k+1)!), w = -z^2/4.
Complex BesselRatioSeries(Complex z)
{
    const Complex w = -z * z / 4.0;
    Complex j0 = 1.0, j1 = 1.0, t0 = 1.0, t1 = 1.0;
    for (int k = 1; k < 200; ++k) {
        t0 *= w / double(k * k);
        t1 *= w / double(k * (k + 1));
        j0 += t0;
        j1 += t1;
        if (std::abs(t0) < 1e-17 * std::abs(j0) && std::abs(t1) < 1e-17 * std::abs(j1))
            break;
    }
    return z / 2.0 * j1 / j0;
}

// The same from Hankel's expansion (Watson 1944, sec. 7.2): with Im z large,
// J_n(z) is half of H(2)_n(z) ~ sqrt(2 / (pi z)) e^(-i (z - n pi/2 - pi/4)) S_n,
// S_n = sum (-i)^k a_k(n) / z^k, a_k(n) = a_(k-1)(n) (4n^2 - (2k-1)^2) / (8k);
// the ratio is i S_1 / S_0.
Complex BesselRatioAsymptotic(Complex z)
{
    const Complex step = Complex(0.0, -1.0) / z;
    Complex s0 = 1.0, s1 = 1.0, t0 = 1.0, t1 = 1.0;
    for (int k = 1; k < 40; ++k) {
        const double odd = double(2 * k - 1) * double(2 * k - 1);
        t0 *= step * (0.0 - odd) / (8.0 * k);
        t1 *= step * (4.0 - odd) / (8.0 * k);
        s0 += t0;
        s1 += t1;
        if (std::abs(t0) < 1e-17 && std::abs(t1) < 1e-17)
            break;
    }
    return Complex(0.0, 1.0) * s1 / s0;
}

// Medhurst 1947's proximity factor: rows l/D, columns d/p from 0 (the
// isolated wire) to 1 (turns touching, bare).
constexpr double kLengthOverDiameter[] = {0, 0.2, 0.4, 0.6, 0.8, 1, 2, 4, 6, 8, 10};
constexpr double kWireOverPitchStep = 0.1;
constexpr int kWireOverPitchColumns = 11;
constexpr double kMedhurstPhi[][kWireOverPitchColumns] = {
    {1.00, 1.02, 1.07, 1.16, 1.20, 1.44, 1.74, 2.12, 2.74, 3.73, 5.31},  // l/D 0
    {1.00, 1.02, 1.08, 1.19, 1.29, 1.48, 1.77, 2.20, 2.83, 3.84, 5.45},  // 0.2
    {1.00, 1.03, 1.08, 1.21, 1.33, 1.54, 1.83, 2.28, 2.97, 3.99, 5.65},  // 0.4
    {1.00, 1.03, 1.10, 1.22, 1.38, 1.60, 1.89, 2.38, 3.10, 4.11, 5.80},  // 0.6
    {1.00, 1.03, 1.10, 1.23, 1.42, 1.64, 1.92, 2.44, 3.20, 4.17, 5.80},  // 0.8
    {1.00, 1.03, 1.10, 1.24, 1.45, 1.67, 1.94, 2.47, 3.17, 4.10, 5.55},  // 1
    {1.00, 1.04, 1.13, 1.28, 1.50, 1.74, 1.98, 2.32, 2.74, 3.36, 4.10},  // 2
    {1.00, 1.04, 1.15, 1.32, 1.54, 1.78, 2.01, 2.27, 2.60, 3.05, 3.54},  // 4
    {1.00, 1.04, 1.16, 1.34, 1.56, 1.80, 2.03, 2.29, 2.60, 2.92, 3.31},  // 6
    {1.00, 1.04, 1.165, 1.34, 1.57, 1.81, 2.08, 2.34, 2.62, 2.90, 3.20}, // 8
    {1.00, 1.04, 1.17, 1.35, 1.58, 1.83, 2.10, 2.37, 2.65, 2.93, 3.23},  // 10
};
static_assert(std::size(kMedhurstPhi) == std::size(kLengthOverDiameter));

} // namespace

double SkinDepth(double frequencyHz, double resistivity)
{
    RequireAbove0(frequencyHz, "frequency");
    RequireAbove0(resistivity, "resistivity");
    return std::sqrt(resistivity / (std::numbers::pi * frequencyHz * kMu0));
}

double ButterworthArgument(double bareDiameterMetres, double frequencyHz, double resistivity)
{
    RequireAbove0(bareDiameterMetres, "bare diameter");
    return bareDiameterMetres / (SkinDepth(frequencyHz, resistivity) * std::numbers::sqrt2);
}

SkinProximity ButterworthFunctions(double q)
{
    if (!(q >= 0.0) || !std::isfinite(q))
        throw CalcError::outOfRange("q",
                                    "must be a number 0 or above (it is " + FormatNumber(q, {.significant = 6}) + ")");
    if (q < kLeadingTermsBelow) {
        const double q4 = q * q * q * q;
        return {q4 / 192.0, q4 / 64.0};
    }
    // ber + i bei = J0(z), z = q e^(3 pi i / 4); d/dq J0(z) = -e^(3 pi i / 4) J1(z);
    // ber2 + i bei2 = J2(z) = (2/z) J1(z) - J0(z).
    const Complex rotation = std::polar(1.0, 0.75 * std::numbers::pi);
    const Complex z = q * rotation;
    const Complex r = q <= kSeriesUpTo ? BesselRatioSeries(z) : BesselRatioAsymptotic(z);
    const Complex derivativeOverValue = -rotation * r; // (ber' + i bei') / (ber + i bei)
    const Complex secondOverValue = 2.0 / z * r - 1.0; // (ber2 + i bei2) / (ber + i bei)
    // (ber bei' - bei ber') / |A'|^2 = -Im(A / A'); (ber2 ber' + bei2 bei') / |A|^2 = Re(conj(B/A) A'/A).
    const double f = -q / 2.0 * (1.0 / derivativeOverValue).imag() - 1.0;
    const double g = -q / 4.0 * (std::conj(secondOverValue) * derivativeOverValue).real();
    return {f, g};
}

ProximityFactor MedhurstProximity(double lengthOverDiameter, double pitchOverWire)
{
    RequireAbove0(lengthOverDiameter, "length over diameter");
    RequireAbove0(pitchOverWire, "pitch over wire diameter");
    ProximityFactor result;
    result.outsideTable = lengthOverDiameter > kMedhurstProximityLongest;
    const double rowAt = std::min(lengthOverDiameter, kMedhurstProximityLongest);
    const double column = std::min(1.0 / pitchOverWire, 1.0) / kWireOverPitchStep;

    const auto upper = std::upper_bound(std::begin(kLengthOverDiameter), std::end(kLengthOverDiameter) - 1, rowAt);
    const auto row = std::size_t(upper - std::begin(kLengthOverDiameter)) - 1;
    const double rowFraction = (rowAt - kLengthOverDiameter[row]) /
        (kLengthOverDiameter[row + 1] - kLengthOverDiameter[row]);
    const auto left = std::min(std::size_t(column), std::size_t(kWireOverPitchColumns - 2));
    const double columnFraction = column - double(left);

    const auto along = [&](std::size_t r) {
        return kMedhurstPhi[r][left] + columnFraction * (kMedhurstPhi[r][left + 1] - kMedhurstPhi[r][left]);
    };
    result.phi = along(row) + rowFraction * (along(row + 1) - along(row));
    return result;
}

double AcResistanceRatio(double q, double proximityFactor)
{
    const SkinProximity sp = ButterworthFunctions(q);
    const double u = 2.0 * (proximityFactor - 1.0);
    return 1.0 + sp.f + u * sp.g;
}

CoilAtFrequency CoilAt(const Solenoid &coil, double frequencyKHz)
{
    RequireAbove0(frequencyKHz, "frequency");
    CoilAtFrequency at;
    at.frequencyKHz = frequencyKHz;
    const double hz = frequencyKHz * 1e3;
    // A Litz wire's proximity factor at its bundle's diameter, its losses by Sullivan's model (calc/litz.h).
    const bool litz = coil.strands > 0;
    const ProximityFactor proximity = MedhurstProximity(coil.windingLength / coil.coilDiameter,
                                                        coil.pitch / (litz ? coil.bundleDiameter : coil.bareDiameter));
    at.acResistance = coil.dcResistance *
        (litz ? LitzResistanceRatio(coil.strands, coil.strandDiameter, coil.bundleDiameter, hz, proximity.phi)
              : AcResistanceRatio(ButterworthArgument(coil.bareDiameter * kMetresPerInch, hz), proximity.phi));

    const double omega = 2.0 * std::numbers::pi * hz;
    const double inductance = coil.inductance * 1e-6;
    at.tankQ = omega * inductance / at.acResistance;
    const double shrink = 1.0 - omega * omega * inductance * coil.selfCapacitance * 1e-12;
    if (proximity.outsideTable)
        at.note = "outside Medhurst's proximity table, l/D " +
            FormatNumber(coil.windingLength / coil.coilDiameter, {.significant = 3});
    if (!(shrink > 0.0)) {
        at.aboveSelfResonance = true;
        at.effectiveInductance = at.effectiveResistance = at.q = NAN;
        at.note = "no Q: above the coil's self-resonance, " + FormatNumber(coil.selfResonanceKHz, {.significant = 4}) +
            " kHz";
        return at;
    }
    at.effectiveInductance = coil.inductance / shrink;
    at.effectiveResistance = at.acResistance / (shrink * shrink);
    at.q = omega * at.effectiveInductance * 1e-6 / at.effectiveResistance;
    return at;
}

double TankQ(double coilQ, double capacitorQ)
{
    RequireAbove0(coilQ, "coil Q");
    RequireAbove0(capacitorQ, "capacitor Q");
    return 1.0 / (1.0 / coilQ + 1.0 / capacitorQ);
}

TankAcrossBand TankOver(const Solenoid &coil, const Band &band, double capacitorQ)
{
    RequireAbove0(capacitorQ, "capacitor Q");
    TankAcrossBand tank;
    tank.frequencyKHz[TankAcrossBand::Low] = band.low;
    tank.frequencyKHz[TankAcrossBand::Middle] = std::sqrt(band.low * band.high);
    tank.frequencyKHz[TankAcrossBand::High] = band.high;
    for (int i = 0; i < 3; ++i) {
        const CoilAtFrequency at = CoilAt(coil, tank.frequencyKHz[i]);
        tank.coilQ[i] = at.tankQ;
        tank.tankQ[i] = TankQ(at.tankQ, capacitorQ);
        tank.bandwidthKHz[i] = tank.frequencyKHz[i] / tank.tankQ[i];
        if (i == TankAcrossBand::Middle)
            tank.acResistanceMiddle = at.acResistance;
    }
    return tank;
}

Solenoid SolenoidOf(const RealCoil &coil, const Wire &wire)
{
    Solenoid s;
    s.wire = wire.name;
    s.turns = coil.turns;
    s.pitch = coil.pitch;
    s.coilDiameter = coil.coilDiameter;
    s.windingLength = coil.windingLength;
    s.inductance = coil.inductance;
    s.wheelerInductance = coil.wheelerInductance;
    s.currentSheetInductance = NAN;
    s.selfCapacitance = coil.selfCapacitance;
    s.note = coil.note;
    WindWire(s, wire);
    return s;
}

double MedhurstBestQ(double coilDiameterInches, double frequencyKHz)
{
    return 50.0 * coilDiameterInches * 2.54 * std::sqrt(frequencyKHz / 1e3);
}

} // namespace spirelle
