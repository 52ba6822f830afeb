#pragma once

#include "calc/band.h"
#include "calc/losses.h"
#include "calc/real_coil.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A crystal set's tuned circuit with its antenna and its detector on taps of
// the coil, and what the builder hears of it: where the power in the detector
// peaks, how much of the antenna's power reaches it, and how selective it is.
// Units: inches, uH, pF, kHz, ohms.
//
// The circuit: the coil of N turns from ground (turn 0) to its top (turn N),
// the variable capacitor with the stray and the coil's own capacitance across
// the whole coil, the capacitor's loss a resistance Q_c / (w0 C) across it (C
// its setting, w0 the band point's); the antenna, a source with R_a in series with C_a, from ground
// to turn k_a; the detector, R_d, from ground to turn k_d. The coil is cut at
// the taps into up to three sections; each is the real coil of its turns at
// the coil's pitch (real_coil.h: Rosa 1906, Grover 1946), in series with its
// share of the coil's AC resistance at the band point (in proportion to its turns); the mutual
// inductances follow from the joined sections, L(a+b) = L(a) + L(b) + 2 M(a,b)
// (Grover 1946, ch. 1: the inductance of coils in series), and the same for
// all three. The circuit is solved by loop analysis, a loop through each
// branch to ground (Kirchhoff's voltage law), at each frequency.
//
// The capacitor is set so that the power in R_d peaks at the band point
// (the central difference of the power across the point is zero); the loaded
// Q is the peak's frequency over the width between the two frequencies where
// the power is half the peak's (the capacitor held), and the power is against
// what the antenna makes available, V^2 / (4 R_a) (the maximum power transfer
// theorem, Jacobi 1840).
//
// Worked value: tests/taps_test.cpp's ngspice check holds every figure to the
// simulator's within 1 %.
// Not modelled: the detector's nonlinearity (R_d is its resistance at the
// carrier as the tuned circuit sees it), the antenna's inductance, the coil's
// resistance changing across the width (it is held at the band point's), the
// leads and the taps' own capacitance.
namespace spirelle {

// The antenna and the detector. Defaults: an outdoor wire of about 15 m
// (25 ohm with its ground; 200 pF, the series arm of the IRE's standard
// dummy antenna, IRE Standards on Radio Receivers 1938) and a detector with
// headphones of 10 kilohms.
struct Loads {
    double antennaOhm = 25;
    double antennaPf = 200;
    double detectorOhm = 10'000;
};

// The coil, its capacitor and what is connected to it.
struct TappedCircuit {
    double formDiameter = 0; // inches
    Wire wire;
    int turns = 0;
    std::optional<double> pitch;            // inches a turn; the wire's outside diameter when empty
    Capacitor capacitor;                    // pF
    double capacitorQ = kDefaultCapacitorQ; // the variable capacitor's Q
    Loads loads;
};

// The whole coil's AC resistance in ohms at a frequency in kHz.
using AcResistance = std::function<double(double kHz)>;

// The coil's own: its skin and proximity losses (losses.h: Butterworth 1926, Medhurst 1947).
AcResistance CoilAcResistance(const TappedCircuit &circuit);

// Where the antenna and the detector are tapped: turns from ground, 1..N.
struct Taps {
    int antenna = 0;
    int detector = 0;
    bool operator==(const Taps &) const = default;
};

// The circuit at one band point with the capacitor set for it.
struct LoadedPoint {
    double frequencyKHz = 0; // the band point, where the power peaks
    bool reached = false;    // the capacitor's setting lies within CMIN..CMAX
    double capacitorPf = 0;  // the setting (the stray and the coil's own capacitance besides)
    double loadedQ = 0;      // frequencyKHz / bandwidthKHz
    double bandwidthKHz = 0; // between the half-power frequencies
    double powerDb = 0;      // the power in R_d against V^2 / (4 R_a)
    std::string note;        // why a point is not reached; "" when it is
};

// The three band points: low, geometric middle, top.
std::array<double, 3> BandPoints(const Band &band);

// One section of the cut coil, ground first: its turns, its inductance (uH)
// and its share of the AC resistance (ohms), with the mutual inductance (uH)
// to each section; the taps' nodes are the sections' upper ends.
struct Section {
    int turns = 0;
    double resistance = 0;
};
struct CutCoil {
    std::vector<Section> sections;               // 1 to 3
    std::vector<std::vector<double>> inductance; // uH, the sections' matrix (self on the diagonal)
    int antennaNode = 0;                         // 1-based: the section whose top is the tap
    int detectorNode = 0;
};

// Works out a coil's circuit once (its inductance of every count of turns,
// its own capacitance) and then answers for any taps.
class TapSolver {
public:
    // Throws CalcError::outOfRange naming "turns", "capacitor Q", "antenna
    // resistance", "antenna capacitance" or "detector resistance" when one is
    // not above 0.
    TapSolver(const TappedCircuit &circuit, const Band &band, const AcResistance &resistance);

    int turns() const { return m_turns; }
    double selfCapacitance() const { return m_selfCapacitance; }
    const std::array<double, 3> &points() const { return m_points; }
    // The whole coil's AC resistance at band point i.
    double resistance(int point) const { return m_resistance[static_cast<std::size_t>(point)]; }

    // The sections for `taps` (1..N each; else OutOfRange "antenna tap" or "detector tap").
    CutCoil cut(Taps taps, int point) const;

    // Band point i (0 low, 1 middle, 2 top) with `taps`.
    LoadedPoint at(Taps taps, int point) const;

    // The power (dB) at the band's middle and an estimate of the bandwidth
    // there from the peak's curvature; nullopt when the capacitor cannot tune it.
    struct Quick {
        double powerDb = 0;
        double bandwidthKHz = 0;
    };
    std::optional<Quick> quickMiddle(Taps taps) const;

private:
    TappedCircuit m_circuit;
    int m_turns = 0;
    double m_selfCapacitance = 0;
    std::vector<double> m_inductance; // uH of n turns, n = 0..N
    std::array<double, 3> m_points{};
    std::array<double, 3> m_resistance{};
};

// A pair of taps and its figures at the three band points.
struct TapChoice {
    std::string choice;       // "most_power", "within_bandwidth" or "given"
    std::optional<Taps> taps; // empty when no pair qualifies
    std::array<LoadedPoint, 3> points{};
    std::string note; // why there is no pair; "" when there is
};

// The pair with the most power at the band's middle, and the pair with the
// most power whose bandwidth there is at or below `bandwidthKHz`; ties go to
// the smaller detector tap, then the smaller antenna tap.
std::array<TapChoice, 2> ChooseTaps(const TapSolver &solver, double bandwidthKHz);

// The figures of given taps.
TapChoice GivenTaps(const TapSolver &solver, Taps taps);

} // namespace spirelle
