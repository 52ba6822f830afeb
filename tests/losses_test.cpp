#include "calc/calc_error.h"
#include "calc/losses.h"
#include "calc/winding.h"

#include <gtest/gtest.h>

#include <cmath>

namespace spirelle {
namespace {

struct Row {
    const char *what;
    double actual;
    double expected;
    double relative;
};

void ExpectRows(std::initializer_list<Row> rows)
{
    for (const Row &row : rows)
        EXPECT_NEAR(row.actual, row.expected, std::abs(row.expected) * row.relative) << row.what;
}

TEST(Losses, ReproducesButterworthAndMedhurstTables)
{
    // F and G: scripts/loss_values.py (mpmath's ber, bei), to Butterworth's 4 digits and to
    // 1e-9 across the switch from the series to the asymptotic expansion at q = 25.
    const auto f = [](double q) { return ButterworthFunctions(q).f; };
    const auto g = [](double q) { return ButterworthFunctions(q).g; };
    ExpectRows({
        {"F 1", f(1), 0.00518673, 5e-5},
        {"G 1", g(1), 0.0151904, 5e-5},
        {"F 2", f(2), 0.0781587, 5e-5},
        {"G 2", g(2), 0.172448, 5e-5},
        {"F 3", f(3), 0.318095, 5e-5},
        {"G 3", g(3), 0.404958, 5e-5},
        {"F 5", f(5), 1.04273, 5e-5},
        {"G 5", g(5), 0.754994, 5e-5},
        {"F 10", f(10), 2.79858, 5e-5},
        {"G 10", g(10), 1.64060, 5e-5},
        {"F 20", f(20), 6.32767, 5e-5},
        {"G 20", g(20), 3.40943, 5e-5},
        {"F 100", f(100), 34.6067, 5e-5},
        {"G 100", g(100), 17.5524, 5e-5},
        {"F 24.9", f(24.9), 8.0587915886514, 1e-9},
        {"G 24.9", g(24.9), 4.27585479924002, 1e-9},
        {"F 25.1", f(25.1), 8.12946014416482, 1e-9},
        {"G 25.1", g(25.1), 4.31121714738911, 1e-9},
        {"F 0.5", f(0.5), 0.000325436086667702, 1e-9},
        {"G 0.5", g(0.5), 0.000974817354078792, 1e-9},
        {"delta 1 MHz", SkinDepth(1e6), 6.60847661563833e-5, 1e-12},
        // Medhurst 1947's table at grid points (p/d = 1 / (d/p)) and between them, bilinear in l/D and d/p.
        {"Phi 0 1", MedhurstProximity(1e-9, 1).phi, 5.31, 1e-6},
        {"Phi 1 2", MedhurstProximity(1, 2).phi, 1.67, 1e-12},
        {"Phi 4 1.25", MedhurstProximity(4, 1.25).phi, 2.60, 1e-12},
        {"Phi 8 10", MedhurstProximity(8, 10).phi, 1.04, 1e-12},
        {"Phi 10 1/0.7", MedhurstProximity(10, 1 / 0.7).phi, 2.37, 1e-12},
        {"Phi 0.5 1", MedhurstProximity(0.5, 1).phi, (5.65 + 5.80) / 2, 1e-12},
        {"Phi 3 1/0.95", MedhurstProximity(3, 1 / 0.95).phi, (3.73 + 3.295) / 2, 1e-12},
        {"Phi 20 2 held", MedhurstProximity(20, 2).phi, 1.83, 1e-12},
        {"Phi 1 20", MedhurstProximity(1, 20).phi, 1.015, 1e-12},
    });
    EXPECT_TRUE(MedhurstProximity(10.5, 2).outsideTable);
    EXPECT_FALSE(MedhurstProximity(10, 2).outsideTable);
}

TEST(Losses, CoilMatchesIndependentQ)
{
    // 128 turns of # 20 on a 2 in form: scripts/loss_values.py.
    const Solenoid coil = MakeSolenoid(2, GaugeWires()[0], 128);
    const CoilAtFrequency at530 = CoilAt(coil, 530), at1000 = CoilAt(coil, 1000), at1700 = CoilAt(coil, 1700);
    ExpectRows({
        {"Rdc", coil.dcResistance, 0.692164974888592, 1e-9},
        {"R 530", at530.acResistance, 5.19066357388916, 1e-6},
        {"Q 530", at530.q, 200.355643090659, 1e-6},
        {"tank Q 530", at530.tankQ, 202.257475962134, 1e-6},
        {"R 1000", at1000.acResistance, 7.22798343299047, 1e-6},
        {"Q 1000", at1000.q, 264.879102693333, 1e-6},
        {"R 1700", at1700.acResistance, 9.50327293989601, 1e-6},
        {"Q 1700", at1700.q, 320.065790670932, 1e-6},
        {"tank Q 1700", at1700.tankQ, 354.345819916023, 1e-6},
        {"tank with capacitor", TankQ(200, 2000), 2000.0 / 11, 1e-12},
    });
}

TEST(Losses, SanityHoldsForSolidWire)
{
    // For every gauge, form and length: Rac >= Rdc; Q rises with frequency below a tenth
    // of self-resonance. Medhurst's best coil, 50 Dc[cm] sqrt(f[MHz]), bounds Q (x 1.15) for
    // coils no longer than wide from 500 kHz up; longer coils exceed it, as a long solenoid's
    // Q, (pi D / 2 delta) (d/p) / Phi, says they should (up to 1.66 x at l/D 10).
    for (const Wire &wire : GaugeWires())
        for (double form : {0.5, 1.0, 2.0, 4.0})
            for (double turns : {5.0, 40.0, 300.0}) {
                const Solenoid coil = MakeSolenoid(form, wire, turns);
                double previousQ = 0;
                for (double kHz = 100; kHz < coil.selfResonanceKHz / 10; kHz *= 1.5) {
                    const CoilAtFrequency at = CoilAt(coil, kHz);
                    EXPECT_GE(at.acResistance, coil.dcResistance) << wire.name << " " << form << " " << turns;
                    EXPECT_GT(at.q, previousQ) << wire.name << " " << form << " " << turns << " at " << kHz;
                    if (coil.windingLength <= coil.coilDiameter && kHz >= 500) {
                        EXPECT_LE(at.q, 1.15 * MedhurstBestQ(coil.coilDiameter, kHz)) << wire.name << " " << turns;
                    }
                    previousQ = at.q;
                }
            }
}

TEST(Losses, RefusesBadFrequencyAndNotesSelfResonance)
{
    const Solenoid coil = MakeSolenoid(2, GaugeWires()[0], 128);
    for (double kHz : {0.0, -1.0, double(NAN)}) {
        try {
            CoilAt(coil, kHz);
            ADD_FAILURE() << kHz << " was taken";
        } catch (const CalcError &e) {
            EXPECT_EQ(e.text(), "frequency");
        }
    }
    const CoilAtFrequency above = CoilAt(coil, coil.selfResonanceKHz * 1.01);
    EXPECT_TRUE(above.aboveSelfResonance && std::isnan(above.q));
    EXPECT_NE(above.note.find("self-resonance"), std::string::npos);
}

} // namespace
} // namespace spirelle
