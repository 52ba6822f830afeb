#include "calc/taps.h"

#include "calc/calc_error.h"
#include "calc/losses.h"
#include "calc/solenoid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include <unistd.h>

namespace spirelle {
namespace {

// A coil's resistance rising with the square root of frequency, as skin effect has it.
double Resistance(double kHz)
{
    return 1.5 + 3.0 * std::sqrt(kHz / 1000.0);
}

TappedCircuit Circuit(int turns, double gauge, Loads loads = {}, double form = 2)
{
    TappedCircuit circuit;
    circuit.formDiameter = form;
    const double bare = AwgBareDiameter(static_cast<int>(gauge));
    circuit.wire = {"awg", bare / 0.92, bare};
    circuit.turns = turns;
    circuit.capacitor = {15, 365, 10};
    circuit.capacitorQ = 1500;
    circuit.loads = loads;
    return circuit;
}

// Where a case writes its netlist and reads the sweep: ctest runs the cases side by side.
std::filesystem::path Folder()
{
    return std::filesystem::temp_directory_path() / ("spirelle_taps_test_" + std::to_string(getpid()));
}

// The detector's voltage against frequency, from ngspice's AC sweep of the
// circuit written as a netlist: each section an inductor with its resistance,
// every pair coupled by K = M / sqrt(L1 L2), the capacitor's loss a resistor.
std::vector<std::array<double, 2>> Simulate(const TapSolver &solver, const TappedCircuit &circuit, Taps taps, int point,
                                            const LoadedPoint &at)
{
    const CutCoil coil = solver.cut(taps, point);
    const std::filesystem::path folder = Folder();
    std::filesystem::create_directories(folder);
    const std::filesystem::path data = folder / "sweep.txt";
    std::ostringstream net;
    net.precision(12);
    net << "* tapped coil\n";
    const std::size_t n = coil.sections.size();
    for (std::size_t i = 0; i < n; ++i) {
        net << "L" << i + 1 << " " << (i == 0 ? std::string("0") : "n" + std::to_string(i)) << " m" << i + 1 << " "
            << coil.inductance[i][i] << "u\n";
        net << "R" << i + 1 << " m" << i + 1 << " n" << i + 1 << " " << coil.sections[i].resistance << "\n";
    }
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t k = i + 1; k < n; ++k)
            net << "K" << i + 1 << k + 1 << " L" << i + 1 << " L" << k + 1 << " "
                << coil.inductance[i][k] / std::sqrt(coil.inductance[i][i] * coil.inductance[k][k]) << "\n";
    const double w = 2e3 * std::numbers::pi * at.frequencyKHz;
    net << "Ctune n" << n << " 0 " << at.capacitorPf + circuit.capacitor.stray + solver.selfCapacitance() << "p\n";
    net << "Rloss n" << n << " 0 " << circuit.capacitorQ / (w * at.capacitorPf * 1e-12) << "\n";
    net << "V1 src 0 AC 1\nRa src ca " << circuit.loads.antennaOhm << "\nCa ca n" << coil.antennaNode << " "
        << circuit.loads.antennaPf << "p\n";
    net << "Rd n" << coil.detectorNode << " 0 " << circuit.loads.detectorOhm << "\n";
    net << ".control\nac lin 20001 " << std::max(at.frequencyKHz - 2.5 * at.bandwidthKHz, 0.02 * at.frequencyKHz) * 1e3
        << " " << (at.frequencyKHz + 2.5 * at.bandwidthKHz) * 1e3 << "\nwrdata " << data.string() << " v(n"
        << coil.detectorNode << ")\nquit\n.endc\n.end\n";
    const std::filesystem::path netlist = folder / "circuit.cir";
    std::ofstream(netlist) << net.str();
    std::filesystem::remove(data);
    const std::string command = "ngspice -b " + netlist.string() + " > " + (folder / "log.txt").string() + " 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << "ngspice failed or is not installed (scripts/deps.sh): " << command;
    std::vector<std::array<double, 2>> sweep;
    std::ifstream in(data);
    double f = 0, re = 0, im = 0;
    while (in >> f >> re >> im)
        sweep.push_back({f / 1e3, 4.0 * circuit.loads.antennaOhm / circuit.loads.detectorOhm * (re * re + im * im)});
    return sweep;
}

// Where the sweep's power falls to `level`, between samples i and j, linearly.
double Crossing(const std::vector<std::array<double, 2>> &sweep, std::size_t i, std::size_t j, double level)
{
    const double t = (level - sweep[i][1]) / (sweep[j][1] - sweep[i][1]);
    return sweep[i][0] + t * (sweep[j][0] - sweep[i][0]);
}

struct SimulatorCase {
    int turns;
    int gauge;
    Taps taps;
    Loads loads;
};

class TapsSimulator : public testing::TestWithParam<SimulatorCase> {};

// The peak's frequency, the half-power width and the power in R_d, each band
// point reached, within 1 % of ngspice's sweep of the same circuit.
TEST_P(TapsSimulator, AgreesWithNgspice)
{
    const SimulatorCase &c = GetParam();
    const TappedCircuit circuit = Circuit(c.turns, c.gauge, c.loads);
    const TapSolver solver(circuit, {530, 1700}, Resistance);
    int compared = 0;
    for (int point = 0; point < 3; ++point) {
        const LoadedPoint at = solver.at(c.taps, point);
        if (!at.reached)
            continue;
        ++compared;
        const auto sweep = Simulate(solver, circuit, c.taps, point, at);
        ASSERT_GT(sweep.size(), 1000u);
        std::size_t peak = 0;
        for (std::size_t i = 0; i < sweep.size(); ++i)
            if (sweep[i][1] > sweep[peak][1])
                peak = i;
        ASSERT_TRUE(peak > 0 && peak + 1 < sweep.size()) << "the peak lies at the sweep's end";
        std::size_t lo = peak, hi = peak;
        while (lo > 0 && sweep[lo][1] > sweep[peak][1] / 2)
            --lo;
        while (hi + 1 < sweep.size() && sweep[hi][1] > sweep[peak][1] / 2)
            ++hi;
        ASSERT_TRUE(sweep[lo][1] <= sweep[peak][1] / 2 && sweep[hi][1] <= sweep[peak][1] / 2);
        const double width = Crossing(sweep, hi - 1, hi, sweep[peak][1] / 2) -
            Crossing(sweep, lo, lo + 1, sweep[peak][1] / 2);
        SCOPED_TRACE("point " + std::to_string(point) + " at " + std::to_string(at.frequencyKHz) + " kHz");
        EXPECT_NEAR(sweep[peak][0], at.frequencyKHz, 0.01 * at.frequencyKHz);
        EXPECT_NEAR(width, at.bandwidthKHz, 0.01 * at.bandwidthKHz);
        EXPECT_NEAR(sweep[peak][1], std::pow(10.0, at.powerDb / 10), 0.01 * sweep[peak][1]);
    }
    EXPECT_GT(compared, 0) << "no band point reached: the case checks nothing";
    std::filesystem::remove_all(Folder());
}

INSTANTIATE_TEST_SUITE_P(Designs, TapsSimulator,
                         testing::Values(SimulatorCase{90, 22, {25, 45}, {}}, // the antenna below the detector
                                         SimulatorCase{90, 22, {45, 25}, {}}, // above it
                                         SimulatorCase{90, 22, {30, 30}, {}}, // equal taps
                                         SimulatorCase{90, 22, {30, 31}, {}}, // adjacent taps
                                         SimulatorCase{90, 22, {1, 90}, {}},  // at the ends
                                         SimulatorCase{90, 22, {90, 1}, {}},  // the other way round
                                         SimulatorCase{90, 22, {1, 1}, {}},   // both at the first turn
                                         SimulatorCase{90, 22, {5, 60}, {50, 100, 2000}}, // a heavy detector, Q 2 to 5
                                         SimulatorCase{60, 20, {10, 60}, {25, 200, 100'000}},
                                         SimulatorCase{140, 28, {12, 70}, {}}),
                         [](const testing::TestParamInfo<SimulatorCase> &info) {
                             const SimulatorCase &c = info.param;
                             return "turns" + std::to_string(c.turns) + "_awg" + std::to_string(c.gauge) + "_a" +
                                 std::to_string(c.taps.antenna) + "_d" + std::to_string(c.taps.detector) + "_" +
                                 std::to_string(info.index);
                         });

// With the antenna and the detector all but disconnected and a lossless
// capacitor, the loaded Q is the unloaded tank's (losses.h, w L / R) and the
// peak is where the whole capacitance tunes the whole coil.
TEST(Taps, UnloadedIsTheTank)
{
    TappedCircuit circuit = Circuit(90, 22, {1e12, 200, 1e12});
    circuit.capacitorQ = 1e12;
    const TapSolver solver(circuit, {530, 1700}, CoilAcResistance(circuit));
    const Solenoid coil = MakeSolenoid(2, circuit.wire, 90);
    for (int point = 0; point < 2; ++point) {
        const LoadedPoint at = solver.at({30, 60}, point);
        ASSERT_TRUE(at.reached) << at.note;
        EXPECT_NEAR(at.loadedQ, TankQ(CoilAt(coil, at.frequencyKHz).tankQ, 1e12), 1e-3 * at.loadedQ);
        const double total = (at.capacitorPf + circuit.capacitor.stray + solver.selfCapacitance()) * 1e-12;
        const double w = 2e3 * std::numbers::pi * at.frequencyKHz;
        EXPECT_NEAR(w, 1 / std::sqrt(coil.inductance * 1e-6 * total), 1e-3 * w);
    }
}

// The power never exceeds what the antenna makes available; with a light
// detector (R_d >= 10 w L) a lower detector tap never lowers the loaded Q.
TEST(Taps, PowerAndSelectivityBounds)
{
    const TapSolver solver(Circuit(35, 20, {25, 200, 1e6}, 6), {530, 1700}, Resistance);
    for (int antenna : {1, 3, 8}) {
        double lastQ = 0;
        for (int detector = 35; detector >= 1; --detector) {
            const LoadedPoint at = solver.at({antenna, detector}, 0);
            if (!at.reached)
                continue;
            EXPECT_LE(at.powerDb, 0.0);
            EXPECT_GE(at.loadedQ, lastQ * (1 - 1e-9)) << antenna << " " << detector;
            lastQ = at.loadedQ;
        }
        EXPECT_GT(lastQ, 0);
    }
}

// The choices against every pair worked out in full: no pair has more power
// than most_power, none within the width more than within_bandwidth, and a
// pair of equal power does not come before it in the tie's order.
TEST(Taps, ChoicesAreTheBest)
{
    const TapSolver solver(Circuit(35, 20, {}, 6), {530, 1700}, Resistance);
    for (double limit : {3.0, 8.0, 30.0}) {
        const auto choices = ChooseTaps(solver, limit);
        ASSERT_TRUE(choices[0].taps) << choices[0].note;
        const double most = choices[0].points[1].powerDb;
        const bool found = choices[1].taps.has_value();
        const double within = found ? choices[1].points[1].powerDb : -1e300;
        if (found) {
            EXPECT_LE(choices[1].points[1].bandwidthKHz, limit);
        }
        int narrow = 0;
        for (int d = 1; d <= 35; ++d)
            for (int a = 1; a <= 35; ++a) {
                const LoadedPoint at = solver.at({a, d}, 1);
                if (!at.reached)
                    continue;
                EXPECT_LE(at.powerDb, most + 1e-9) << a << " " << d;
                if (at.bandwidthKHz <= limit) {
                    ++narrow;
                    EXPECT_LE(at.powerDb, within + 1e-9) << a << " " << d;
                }
            }
        EXPECT_EQ(found, narrow > 0) << limit;
    }
}

TEST(Taps, RefusesTapsOffTheCoil)
{
    const TapSolver solver(Circuit(24, 20), {530, 1700}, Resistance);
    for (const Taps taps : {Taps{0, 5}, Taps{5, 25}, Taps{-1, 1}})
        EXPECT_THROW((void)solver.at(taps, 1), CalcError);
}

} // namespace
} // namespace spirelle
