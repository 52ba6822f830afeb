#include "calc/taps.h"

#include "calc/calc_error.h"
#include "calc/losses.h"
#include "calc/solenoid.h"
#include "calc/number_format.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace spirelle {
namespace {

// A complex number with the textbook product and quotient. The circuit's
// values lie far from overflow, and std::complex's care for infinities (a
// library call for every product and quotient, as C's Annex G has them) costs
// more than the arithmetic: choosing taps does millions of them.
struct Complex {
    double re = 0;
    double im = 0;
    constexpr Complex() = default;
    constexpr Complex(double real, double imaginary = 0) : re(real), im(imaginary) {}
    constexpr double imag() const { return im; }
    constexpr Complex &operator+=(Complex b)
    {
        re += b.re;
        im += b.im;
        return *this;
    }
    constexpr Complex &operator-=(Complex b)
    {
        re -= b.re;
        im -= b.im;
        return *this;
    }
};

constexpr Complex operator+(Complex a, Complex b)
{
    return {a.re + b.re, a.im + b.im};
}

constexpr Complex operator*(Complex a, Complex b)
{
    return {a.re * b.re - a.im * b.im, a.re * b.im + a.im * b.re};
}

constexpr Complex operator/(Complex a, Complex b)
{
    const double d = b.re * b.re + b.im * b.im;
    return {(a.re * b.re + a.im * b.im) / d, (a.im * b.re - a.re * b.im) / d};
}

constexpr Complex operator-(Complex a, Complex b)
{
    return {a.re - b.re, a.im - b.im};
}

constexpr double Norm(Complex a)
{
    return a.re * a.re + a.im * a.im;
}

constexpr int kMost = 3; // sections (and nodes) at most

// The coil cut at the taps into sections, in SI units: what a netlist of the
// circuit holds (TapSolver::cut); the solution itself runs in loops (Mesh).
struct Cut {
    int count = 0; // sections = nodes
    std::array<int, kMost> turns{};
    std::array<double, kMost> resistance{};                    // ohms
    std::array<std::array<double, kMost>, kMost> inductance{}; // henries
    int antennaNode = 0;                                       // 0-based: node i is the top of section i
    int detectorNode = 0;
};

// The detector's voltage for a source of 1 V as a function of the variable
// capacitor's admittance y: (n0 + y n1) / (d0 + y d1), by Cramer's rule, y
// entering one row of the loops' matrix.
struct Response {
    double omega = 0;
    Complex n0, n1, d0, d1;
};

// The loops the circuit is solved in, one through each branch to ground, up
// the coil from turn 0 to the branch's tap and down the branch: 0 the
// capacitor's (at the top), 1 the detector's, 2 the antenna's. Two loops
// share the coil below the lower of their taps: the resistance of those
// turns, and the mutual inductance of the coil up to one tap with the coil up
// to the other, the inductance of the lower part and its mutual with the turns
// between, L(a) + (L(b) - L(a) - L(b - a)) / 2 (the sections' matrix summed).
struct Mesh {
    std::array<std::array<double, 3>, 3> resistance{}; // ohms
    std::array<std::array<double, 3>, 3> inductance{}; // henries
};

Mesh MakeMesh(const std::vector<double> &inductance, int turns, Taps taps, double ohms)
{
    const std::array<int, 3> tap{turns, taps.detector, taps.antenna};
    const auto L = [&](int n) { return inductance[static_cast<std::size_t>(n)] * 1e-6; };
    Mesh mesh;
    for (std::size_t p = 0; p < 3; ++p)
        for (std::size_t q = 0; q < 3; ++q) {
            const int a = std::min(tap[p], tap[q]), b = std::max(tap[p], tap[q]);
            mesh.resistance[p][q] = ohms * a / turns;
            mesh.inductance[p][q] = L(a) + (a == b ? 0.0 : 0.5 * (L(b) - L(a) - L(b - a)));
        }
    return mesh;
}

using Matrix = std::array<std::array<Complex, 3>, 3>;

Complex Determinant2(const Matrix &m)
{
    return m[1][1] * m[2][2] - m[1][2] * m[2][1];
}

Complex Determinant3(const Matrix &m)
{
    return m[0][0] * Determinant2(m) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
        m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

struct Fixed {
    double fixedFarads = 0; // stray + the coil's own capacitance
    double capacitorQ = 0;
    Loads loads;
};

// Loop analysis at angular frequency w. The capacitor's loop, its row
// multiplied by the capacitor's admittance Yc, is e0 + Yc (its shared
// impedances); the detector's voltage R_d I_d then has Yc in one row of both
// determinants, each the determinant without that row plus Yc times the whole.
Response Solve(const Mesh &mesh, const Fixed &fixed, double w)
{
    Matrix m{};
    for (std::size_t p = 0; p < 3; ++p)
        for (std::size_t q = 0; q < 3; ++q)
            m[p][q] = Complex(mesh.resistance[p][q], w * mesh.inductance[p][q]);
    m[1][1] += Complex(fixed.loads.detectorOhm);
    m[2][2] += Complex(fixed.loads.antennaOhm, -1.0 / (w * fixed.loads.antennaPf * 1e-12));
    const Complex d0 = Determinant2(m), d1 = Determinant3(m);
    for (std::size_t p = 0; p < 3; ++p)
        m[p][1] = Complex(p == 2 ? 1.0 : 0.0); // the source's column, in the detector's place
    const Complex rd(fixed.loads.detectorOhm);
    const Complex n0 = rd * Determinant2(m), n1 = rd * Determinant3(m);
    const Complex fixedC(0.0, w * fixed.fixedFarads);
    return {w, n0 + fixedC * n1, n1, d0 + fixedC * d1, d1};
}

// The power in R_d over V^2 / (4 R_a) with the variable capacitor at
// `farads`, its loss the conductance w0 C / Q_c of the band point w0.
double Gain(const Response &r, const Fixed &fixed, double farads, double w0)
{
    const Complex y(farads * w0 / fixed.capacitorQ, farads * r.omega);
    return 4.0 * fixed.loads.antennaOhm / fixed.loads.detectorOhm * Norm((r.n0 + y * r.n1) / (r.d0 + y * r.d1));
}

// A step across the band point small against any width the circuit has.
constexpr double kStep = 1e-5;

// The capacitor's setting (farads) at which the power has its peak at w:
// the power a step below w equals the power a step above (a secant search,
// from the setting that makes the top node's admittance real at w).
struct Tuned {
    double farads = 0;
    double gain = 0;
    double halfWidthEstimate = 0; // rad/s, from the peak's curvature
};

// Settings (farads) outside which the search is not begun: the capacitor's
// range widened by half of it either way, since the loads move the peak's
// setting away from the one that makes the top node's admittance real.
struct Reach {
    double low = 0;
    double high = 0;
};

std::optional<Tuned> Tune(const Mesh &cut, const Fixed &fixed, double w, const std::optional<Reach> &reach = {})
{
    const double h = kStep * w;
    const Response at = Solve(cut, fixed, w);
    double c0 = -(at.d0 / at.d1).imag() / w;
    if (!std::isfinite(c0) || (reach && (c0 < reach->low || c0 > reach->high)))
        return std::nullopt;
    const Response below = Solve(cut, fixed, w - h);
    const Response above = Solve(cut, fixed, w + h);
    const auto slope = [&](double c) {
        return Gain(above, fixed, c, w) / Gain(below, fixed, c, w) - 1.0; // no logarithms: every pair comes here
    };
    double c1 = c0 == 0.0 ? 1e-15 : c0 * (1.0 + 1e-6);
    double s0 = slope(c0);
    double s1 = slope(c1);
    for (int i = 0; i < 60 && s1 != 0.0; ++i) {
        if (s1 == s0 || !std::isfinite(s1))
            break;
        const double c2 = c1 - s1 * (c1 - c0) / (s1 - s0);
        c0 = c1;
        s0 = s1;
        c1 = c2;
        s1 = slope(c1);
        if (std::abs(c1 - c0) <= 1e-13 * std::abs(c1))
            break;
    }
    if (!std::isfinite(c1) || std::abs(s1) > 1e-6)
        return std::nullopt;
    Tuned tuned{c1, Gain(at, fixed, c1, w), 0};
    // A resonance's power falls as 1 / (1 + (dw / half width)^2) near its peak.
    const double fall = 0.5 * (tuned.gain / Gain(above, fixed, c1, w) + tuned.gain / Gain(below, fixed, c1, w)) - 1.0;
    tuned.halfWidthEstimate = fall > 0.0 ? h / std::sqrt(fall) : std::numeric_limits<double>::infinity();
    return tuned;
}

// The frequency on one side (`side` +1 or -1) where the power is half the
// peak's: the bracket widened until it holds the crossing, then the Illinois
// form of regula falsi on the logarithm of the power.
std::optional<double> HalfPower(const Mesh &cut, const Fixed &fixed, double w, const Tuned &tuned, double side)
{
    const double target = std::log(0.5 * tuned.gain);
    const auto excess = [&](double x) { return std::log(Gain(Solve(cut, fixed, x), fixed, tuned.farads, w)) - target; };
    double step = std::isfinite(tuned.halfWidthEstimate) ? tuned.halfWidthEstimate : 0.1 * w;
    double inner = w;
    double innerExcess = std::log(2.0);
    double outer = w + side * step;
    double outerExcess = excess(outer);
    while (outerExcess > 0.0) {
        inner = outer;
        innerExcess = outerExcess;
        step *= 2.0;
        outer = w + side * step;
        if (outer <= 0.0 || step > 100.0 * w)
            return std::nullopt;
        outerExcess = excess(outer);
    }
    int lastSide = 0;
    for (int i = 0; i < 100; ++i) {
        const double x = outer - outerExcess * (outer - inner) / (outerExcess - innerExcess);
        const double e = excess(x);
        if (e == 0.0 || std::abs(outer - inner) <= 1e-12 * w)
            return x;
        if (e > 0.0) {
            inner = x;
            innerExcess = e;
            if (lastSide == 1)
                outerExcess *= 0.5;
            lastSide = 1;
        } else {
            outer = x;
            outerExcess = e;
            if (lastSide == -1)
                innerExcess *= 0.5;
            lastSide = -1;
        }
    }
    return 0.5 * (inner + outer);
}

void RequirePositive(double value, const std::string &input)
{
    if (!(value > 0.0) || !std::isfinite(value))
        throw CalcError::outOfRange(input,
                                    "must be a number above 0 (it is " + FormatNumber(value, {.significant = 6}) + ")");
}

void RequireTap(int tap, int turns, const std::string &input)
{
    if (tap < 1 || tap > turns)
        throw CalcError::outOfRange(input,
                                    "must be a whole number of turns from 1 to " + std::to_string(turns) + " (it is " +
                                        std::to_string(tap) + ")");
}

// The coil cut at the taps, in SI units: each section the real coil of its
// turns (`inductance` holds uH of n turns), with its share of the AC
// resistance `ohms`; the mutuals from the joined sections,
// L(a+b) = L(a) + L(b) + 2 M(a,b), and for three, L(all) less the selfs and the neighbours' mutuals.
Cut MakeCut(const std::vector<double> &inductance, int turns, Taps taps, double ohms)
{
    std::array<int, 3> ends{std::min(taps.antenna, taps.detector), std::max(taps.antenna, taps.detector), turns};
    Cut cut;
    cut.count = static_cast<int>(std::unique(ends.begin(), ends.end()) - ends.begin());
    const auto node = [&](int tap) {
        return static_cast<int>(std::find(ends.begin(), ends.end(), tap) - ends.begin());
    };
    cut.antennaNode = node(taps.antenna);
    cut.detectorNode = node(taps.detector);
    const std::array<int, 4> at{0, ends[0], ends[1], ends[2]};
    const auto L = [&](int from, int to) { return inductance[static_cast<std::size_t>(to - from)] * 1e-6; };
    for (int i = 0; i < cut.count; ++i) {
        cut.turns[i] = at[i + 1] - at[i];
        cut.resistance[i] = ohms * cut.turns[i] / turns;
        cut.inductance[i][i] = L(at[i], at[i + 1]);
    }
    for (int i = 0; i + 1 < cut.count; ++i)
        cut.inductance[i][i + 1] = cut.inductance[i + 1][i] = 0.5 *
            (L(at[i], at[i + 2]) - cut.inductance[i][i] - cut.inductance[i + 1][i + 1]);
    if (cut.count == 3)
        cut.inductance[0][2] = cut.inductance[2][0] = 0.5 *
                (L(0, at[3]) - cut.inductance[0][0] - cut.inductance[1][1] - cut.inductance[2][2]) -
            cut.inductance[0][1] - cut.inductance[1][2];
    return cut;
}

std::string Text(double value)
{
    return FormatNumber(value, {.significant = 4, .plainUpTo = 14});
}

} // namespace

AcResistance CoilAcResistance(const TappedCircuit &circuit)
{
    const Solenoid coil = MakeSolenoid(circuit.formDiameter, circuit.wire, circuit.turns, circuit.pitch);
    return [coil](double kHz) { return CoilAt(coil, kHz).acResistance; };
}

std::array<double, 3> BandPoints(const Band &band)
{
    return {band.low, std::sqrt(band.low * band.high), band.high};
}

TapSolver::TapSolver(const TappedCircuit &circuit, const Band &band, const AcResistance &resistance)
    : m_circuit(circuit), m_turns(circuit.turns), m_points(BandPoints(band))
{
    if (circuit.turns < 1)
        throw CalcError::outOfRange("turns",
                                    "must be a whole number above 0 (it is " + std::to_string(circuit.turns) + ")");
    RequirePositive(circuit.capacitorQ, "capacitor Q");
    RequirePositive(circuit.loads.antennaOhm, "antenna resistance");
    RequirePositive(circuit.loads.antennaPf, "antenna capacitance");
    RequirePositive(circuit.loads.detectorOhm, "detector resistance");
    const RealCoil coil = MakeRealCoil(circuit.formDiameter, circuit.wire, circuit.turns, circuit.pitch);
    m_selfCapacitance = coil.selfCapacitance;
    const double pitch = PitchOf(circuit.wire, circuit.pitch);
    m_inductance.resize(static_cast<std::size_t>(m_turns) + 1);
    for (int n = 1; n <= m_turns; ++n)
        m_inductance[static_cast<std::size_t>(n)] = RoundWireInductance(circuit.formDiameter, circuit.wire, n, pitch);
    for (std::size_t i = 0; i < m_points.size(); ++i) {
        m_resistance[i] = resistance(m_points[i]);
        RequirePositive(m_resistance[i], "AC resistance");
    }
}

CutCoil TapSolver::cut(Taps taps, int point) const
{
    RequireTap(taps.antenna, m_turns, "antenna tap");
    RequireTap(taps.detector, m_turns, "detector tap");
    const Cut cut = MakeCut(m_inductance, m_turns, taps, resistance(point));
    CutCoil coil;
    coil.antennaNode = cut.antennaNode + 1;
    coil.detectorNode = cut.detectorNode + 1;
    coil.inductance.assign(static_cast<std::size_t>(cut.count),
                           std::vector<double>(static_cast<std::size_t>(cut.count)));
    for (int i = 0; i < cut.count; ++i) {
        coil.sections.push_back({cut.turns[i], cut.resistance[i]});
        for (int k = 0; k < cut.count; ++k)
            coil.inductance[i][k] = cut.inductance[i][k] * 1e6;
    }
    return coil;
}

LoadedPoint TapSolver::at(Taps taps, int point) const
{
    RequireTap(taps.antenna, m_turns, "antenna tap");
    RequireTap(taps.detector, m_turns, "detector tap");
    const Mesh cut = MakeMesh(m_inductance, m_turns, taps, resistance(point));
    const Fixed fixed{(m_circuit.capacitor.stray + m_selfCapacitance) * 1e-12, m_circuit.capacitorQ, m_circuit.loads};
    LoadedPoint result;
    result.frequencyKHz = m_points[static_cast<std::size_t>(point)];
    const double w = 2e3 * std::numbers::pi * result.frequencyKHz;
    const std::optional<Tuned> tuned = Tune(cut, fixed, w);
    if (!tuned) {
        result.note = "no capacitor setting peaks the power at " + Text(result.frequencyKHz) + " kHz";
        return result;
    }
    result.capacitorPf = tuned->farads * 1e12;
    const Capacitor &capacitor = m_circuit.capacitor;
    if (result.capacitorPf < capacitor.cmin || result.capacitorPf > capacitor.cmax) {
        result.note = "the capacitor cannot tune " + Text(result.frequencyKHz) + " kHz: it takes " +
            Text(result.capacitorPf) + " pF";
        return result;
    }
    const std::optional<double> low = HalfPower(cut, fixed, w, *tuned, -1.0);
    const std::optional<double> high = HalfPower(cut, fixed, w, *tuned, 1.0);
    result.powerDb = 10.0 * std::log10(tuned->gain);
    if (!low || !high) {
        result.note = "the power does not fall to half within the band's reach";
        return result;
    }
    result.bandwidthKHz = (*high - *low) / (2e3 * std::numbers::pi);
    result.loadedQ = result.frequencyKHz / result.bandwidthKHz;
    // A width wider than the frequency is no tuned peak: the loads swamp the tank.
    result.reached = result.loadedQ >= 1.0;
    if (!result.reached)
        result.note = "the loads leave no tuned peak at " + Text(result.frequencyKHz) + " kHz (loaded Q " +
            Text(result.loadedQ) + ")";
    return result;
}

std::optional<TapSolver::Quick> TapSolver::quickMiddle(Taps taps) const
{
    const Mesh cut = MakeMesh(m_inductance, m_turns, taps, m_resistance[1]);
    const Fixed fixed{(m_circuit.capacitor.stray + m_selfCapacitance) * 1e-12, m_circuit.capacitorQ, m_circuit.loads};
    const double w = 2e3 * std::numbers::pi * m_points[1];
    const Capacitor &capacitor = m_circuit.capacitor;
    const double spread = 0.5 * (capacitor.cmax - capacitor.cmin);
    const Reach reach{(capacitor.cmin - spread) * 1e-12, (capacitor.cmax + spread) * 1e-12};
    const std::optional<Tuned> tuned = Tune(cut, fixed, w, reach);
    if (!tuned)
        return std::nullopt;
    const double pf = tuned->farads * 1e12;
    if (pf < m_circuit.capacitor.cmin || pf > m_circuit.capacitor.cmax)
        return std::nullopt;
    return Quick{10.0 * std::log10(tuned->gain), 2.0 * tuned->halfWidthEstimate / (2e3 * std::numbers::pi)};
}

namespace {

TapChoice Figures(const TapSolver &solver, std::string choice, Taps taps)
{
    TapChoice result{std::move(choice), taps, {}, ""};
    for (int i = 0; i < 3; ++i)
        result.points[static_cast<std::size_t>(i)] = solver.at(taps, i);
    return result;
}

// How far the curvature's estimate of a width may lie below the true width:
// pairs estimated wider than the limit by more than this are not worked out exactly.
constexpr double kEstimateMargin = 1.5;

} // namespace

TapChoice GivenTaps(const TapSolver &solver, Taps taps)
{
    return Figures(solver, "given", taps);
}

std::array<TapChoice, 2> ChooseTaps(const TapSolver &solver, double bandwidthKHz)
{
    RequirePositive(bandwidthKHz, "bandwidth");
    struct Candidate {
        double powerDb;
        Taps taps;
    };
    std::vector<Candidate> narrow;
    std::optional<Candidate> best;
    const int n = solver.turns();
    // Detector taps outside, antenna taps inside, ascending: the first of equals is the tie's winner.
    for (int d = 1; d <= n; ++d)
        for (int a = 1; a <= n; ++a) {
            const std::optional<TapSolver::Quick> quick = solver.quickMiddle({a, d});
            if (!quick)
                continue;
            if (!best || quick->powerDb > best->powerDb)
                best = Candidate{quick->powerDb, {a, d}};
            if (quick->bandwidthKHz <= kEstimateMargin * bandwidthKHz)
                narrow.push_back({quick->powerDb, {a, d}});
        }
    const std::string middle = Text(solver.points()[1]) + " kHz";
    std::array<TapChoice, 2> choices{TapChoice{"most_power", std::nullopt, {}, ""},
                                     TapChoice{"within_bandwidth", std::nullopt, {}, ""}};
    if (!best) {
        choices[0].note = choices[1].note = "no taps let the capacitor tune the band's middle, " + middle;
        return choices;
    }
    choices[0] = Figures(solver, "most_power", best->taps);
    // The most power first; of equals the smaller detector tap, then the smaller antenna tap
    // (a total order: std::sort, which the page's module carries smaller than a stable sort).
    std::sort(narrow.begin(), narrow.end(), [](const Candidate &x, const Candidate &y) {
        if (x.powerDb != y.powerDb)
            return x.powerDb > y.powerDb;
        return x.taps.detector != y.taps.detector ? x.taps.detector < y.taps.detector : x.taps.antenna < y.taps.antenna;
    });
    for (const Candidate &candidate : narrow) {
        const LoadedPoint point = solver.at(candidate.taps, 1);
        if (point.reached && point.bandwidthKHz <= bandwidthKHz) {
            choices[1] = Figures(solver, "within_bandwidth", candidate.taps);
            return choices;
        }
    }
    choices[1].note = "no taps keep the bandwidth at " + middle + " within " + Text(bandwidthKHz) + " kHz";
    return choices;
}

} // namespace spirelle
