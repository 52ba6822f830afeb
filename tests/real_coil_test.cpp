#include "calc/calc_error.h"
#include "calc/solenoid.h"
#include "calc/winding.h"
#include "calc/wire.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <random>

namespace spirelle {
namespace {

struct Row {
    const char *what;
    double actual;
    double expected;
    double tolerance; // absolute
};

Row Relative(const char *what, double actual, double expected)
{
    return {what, actual, expected, expected * 1e-6};
}

TEST(RealCoil, ReproducesPublishedAndIndependentValues)
{
    // Grover 1946 (km to his 4 places) and scripts/real_coil_values.py (mpmath, 40 digits; Medhurst's table).
    const std::vector<Wire> gauges = GaugeWires();
    const auto on2in = DesignForBand(2, gauges, {15, 365, 10}, {530, 1700});
    const auto on15in = DesignForBand(1.5, gauges[2], {12, 450, 10}, {531, 1602});
    ASSERT_TRUE(on2in[0].tuned && on2in[5].tuned && on15in.tuned);
    const TunedCoil &g20 = *on2in[0].tuned, &g30 = *on2in[5].tuned, &g24 = *on15in.tuned;
    const RealCoil w20 = Wind(250, 2, gauges[0]), w26 = Wind(250, 2, gauges[3]), w30 = Wind(250, 2, gauges[5]);
    const RealCoil custom = DesignForBand(2, {"custom", 0.05, 0.046}, {15, 365, 10}, {530, 1700}).tuned->coil;
    const Row rows[] = {
        {"km 1", RosaMutualCorrection(1), 0, 1e-15},
        {"km 2", RosaMutualCorrection(2), 0.1137, 1e-4},
        {"km 3", RosaMutualCorrection(3), 0.1663, 1e-4},
        {"km 5", RosaMutualCorrection(5), 0.2180, 1e-4},
        {"km 10", RosaMutualCorrection(10), 0.2664, 1e-4},
        {"km 20", RosaMutualCorrection(20), 0.2964, 1e-4},
        {"km 50", RosaMutualCorrection(50), 0.3182, 1e-4},
        {"km 100", RosaMutualCorrection(100), 0.3269, 1e-4},
        {"km 1e8", RosaMutualCorrection(kMaxTurns), std::log(2 * M_PI) - 1.5, 1e-7},
        {"km 15", RosaMutualCorrection(15), 0.28572900070599817, 1e-13},
        {"km 16", RosaMutualCorrection(16), 0.28831625830531398, 1e-13},
        {"km 17", RosaMutualCorrection(17), 0.29063745918728935, 1e-13},
        {"km 1000", RosaMutualCorrection(1000), 0.33639493156711423, 1e-13},
        Relative("AWG 20", gauges[0].bareDiameter, 0.031961455526526527),
        Relative("AWG 30", gauges[5].bareDiameter, 0.01002515759750624),
        {"# 20 turns", double(g20.coil.turns), 128, 0},
        Relative("# 20 length", g20.coil.windingLength, 4.416),
        Relative("# 20 Dc", g20.coil.coilDiameter, 2.0345),
        Relative("# 20 L", g20.coil.inductance, 315.26207293441202),
        Relative("# 20 Wheeler", g20.coil.wheelerInductance, 317.99763227219229),
        Relative("# 20 C", g20.coil.selfCapacitance, 2.6895806),
        Relative("# 20 high", g20.highKHz, 1703.4872524039001),
        Relative("# 20 low", g20.lowKHz, 461.24277341995911),
        Relative("# 20 wire", g20.coil.wireLength, 818.1209924772396),
        {"# 20 covered", double(g20.covered), 1, 0},
        {"# 30 turns", double(g30.coil.turns), 71, 0},
        Relative("# 30 length", g30.coil.windingLength, 0.7455),
        Relative("# 30 L", g30.coil.inductance, 308.57944206894509),
        Relative("# 30 C", g30.coil.selfCapacitance, 2.8470606),
        Relative("# 30 high", g30.highKHz, 1716.9583714283514),
        Relative("# 30 low", g30.lowKHz, 466.11322093152183),
        {"# 24 turns", double(g24.coil.turns), 183, 0},
        Relative("# 24 L", g24.coil.inductance, 406.322766556781),
        Relative("# 24 high", g24.highKHz, 1604.044258260984),
        Relative("# 24 low", g24.lowKHz, 367.25529965427096),
        {"custom turns", double(custom.turns), 163, 0},
        Relative("custom L", custom.inductance, 303.8556850732135),
        {"wind # 20", double(w20.turns), 105, 0},
        Relative("wind # 20 L", w20.inductance, 248.926098921231),
        {"wind # 26", double(w26.turns), 75, 0},
        Relative("wind # 26 L", w26.inductance, 251.84027038161451),
        {"wind # 30", double(w30.turns), 62, 0},
        Relative("wind # 30 L", w30.inductance, 250.67285297090289),
    };
    for (const Row &row : rows)
        EXPECT_NEAR(row.actual, row.expected, row.tolerance) << row.what;
}

TEST(RealCoil, ForwardCoilAtAnyPitchMatchesIndependentValues)
{
    // awg24 on a 1.5 in form: scripts/real_coil_values.py (mpmath); Grover 1946's G = ks - 1/4 against d/p.
    const Wire awg24 = ParseWire("awg24");
    const Solenoid spaced = MakeSolenoid(1.5, awg24, 40, 0.05), half = MakeSolenoid(1.5, awg24, 40.5, 0.05);
    const Solenoid one = MakeSolenoid(1.5, awg24, 1);
    const Row rows[] = {
        {"G d/p 1", RosaSelfCorrection(1, 1) - 0.25, 0.556853, 1e-6},
        {"G d/p .8", RosaSelfCorrection(1, 0.8) - 0.25, 0.333709, 1e-6},
        {"G d/p .2", RosaSelfCorrection(1, 0.2) - 0.25, -1.05259, 1e-5},
        {"km 2.5", RosaMutualCorrection(2.5), (0.1137 + 0.1663) / 2, 1e-4},
        Relative("Dc", spaced.coilDiameter, 1.52200075697097),
        Relative("length", spaced.windingLength, 2),
        Relative("L", spaced.inductance, 34.4037015734761),
        Relative("Wheeler", spaced.wheelerInductance, 34.5113190111282),
        Relative("sheet", spaced.currentSheetInductance, 34.6075658821031),
        Relative("wire", spaced.wireLength, 191.270712544058),
        Relative("R", spaced.dcResistance, 0.409131109967848),
        Relative("40.5 L", half.inductance, 34.9470420079141),
        Relative("40.5 wire", half.wireLength, 193.661596450859),
        Relative("40.5 R", half.dcResistance, 0.414245248842446),
        Relative("1 turn L", one.inductance, 0.107036994596835),
        Relative("1 turn sheet", one.currentSheetInductance, 0.12444162931185),
        // Medhurst 1947's table: rows, linear between them, held at its ends.
        {"H 0.125", MedhurstCoefficient(0.125), 0.875, 1e-12},
        {"H 2.75", MedhurstCoefficient(2.75), 0.585, 1e-12},
        {"H 12.5", MedhurstCoefficient(12.5), 1.59, 1e-12},
        {"H 45", MedhurstCoefficient(45), 5.2, 1e-12},
        {"H 0.06", MedhurstCoefficient(0.06), 0.96, 0},
        {"H 80", MedhurstCoefficient(80), 5.8, 0},
        Relative("C", spaced.selfCapacitance, 1.80258804599075),
        Relative("SRF", spaced.selfResonanceKHz, 20210.1390883573),
        Relative("40.5 C", half.selfCapacitance, 1.80385804599075),
        Relative("1 turn C", one.selfCapacitance, 3.71124664579801),
        Relative("AWG 20 ohm/1000 ft", CopperResistance(12000, AwgBareDiameter(20)), 10.1523598319604), // tables: 10.15
    };
    for (const Row &row : rows)
        EXPECT_NEAR(row.actual, row.expected, row.tolerance) << row.what;
    EXPECT_EQ(spaced.note, "");
    EXPECT_EQ(one.note, "outside Medhurst's measurements, l/D 0.014");
    EXPECT_EQ(MedhurstNote(1, 60), "outside Medhurst's measurements, l/D 60");
}

TEST(RealCoil, ReproducesAMeasuredCoil)
{
    // Tesla Coil Mailing List, Feb. 2002 (pupman.com/listarchives/2002/February/msg01443.html): 1817 turns of
    // 24 awg, 40.375 in long on 8.4375 in, measured 134.6 mH, no accuracy stated. 1 %: the diameter read as the
    // form's or to the wire centres (0.5 %), ks 3/2 or 5/4 (0.05 %), a bench meter.
    const Solenoid coil = MakeSolenoid(8.4375, ParseWire("awg24"), 1817, 40.375 / 1817);
    const Row rows[] = {{"Rosa", coil.inductance, 134600, 1346},
                        {"Wheeler", coil.wheelerInductance, 134600, 1346},
                        {"current sheet", coil.currentSheetInductance, 134600, 1346}};
    for (const Row &row : rows)
        EXPECT_NEAR(row.actual, row.expected, row.tolerance) << row.what;
}

TEST(RealCoil, ChosenTurnsReachTheTopAndOneMoreDoesNot)
{
    // Forms, wires, capacitors and bands over what builders use and beyond.
    std::mt19937_64 random(19);
    const auto uniform = [&](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const std::vector<Wire> gauges = GaugeWires();
    for (int i = 0; i < 300 && !HasFailure(); ++i) {
        const double od = uniform(0.004, 0.1);
        const Wire wire = i % 2 ? gauges[i % 6] : Wire{"custom", od, od * uniform(0.7, 0.95)};
        const double form = uniform(0.3, 6), high = uniform(500, 50000);
        const Capacitor capacitor{uniform(0, 50), uniform(100, 500), uniform(0, 30)};
        const Band band{high / 3, high};
        const std::optional<double> pitch = i % 3 ? std::nullopt : std::optional(wire.outsideDiameter * uniform(1, 3));
        const BandDesign design = DesignForBand(form, wire, capacitor, band, pitch);
        const int n = design.tuned ? design.tuned->coil.turns : 0; // none: not even one turn reaches
        EXPECT_EQ(design.reason.empty(), n > 0) << i;
        if (n > 0) {
            EXPECT_GE(Tune(MakeRealCoil(form, wire, n, pitch), capacitor, band).highKHz, high) << i;
        }
        EXPECT_LT(Tune(MakeRealCoil(form, wire, n + 1, pitch), capacitor, band).highKHz, high) << i;
    }
}

TEST(RealCoil, RefusesInvalidInputsByName)
{
    const Wire good{"# 20", 0.0345, 0.032};
    const std::pair<std::function<void()>, const char *> rows[] = {
        {[&] { Wind(250, -2, good); }, "form diameter"},
        {[&] { Wind(0, 2, good); }, "inductance"},
        {[&] {
             Wind(250, 2, {"custom", NAN, 0.01});
         },
         "outside diameter of the wire custom"},
        {[&] {
             Wind(250, 2, {"custom", 0.01, 0.02});
         },
         "bare diameter of the wire custom"},
        {[&] {
             DesignForBand(2, good, {15, 10, 10}, {530, 1700});
         },
         "CMAX"},
        {[&] {
             DesignForBand(2, good, {15, 365, 10}, {530, 0});
         },
         "top of the band"},
        {[&] { Wind(250, 2, good, 0.03); }, "pitch"},
        {[&] { MakeSolenoid(2, good, 40, 0.0344); }, "pitch"},
        {[&] { PitchForLength(0, 40); }, "winding length"},
        {[&] { MakeSolenoid(2, good, 0.5); }, "number of turns"},
    };
    for (const auto &[call, input] : rows) {
        try {
            call();
            ADD_FAILURE() << input << " accepted";
        } catch (const CalcError &error) {
            EXPECT_EQ(error.kind(), ErrorKind::OutOfRange) << input;
            EXPECT_EQ(error.text(), input);
        }
    }
    EXPECT_EQ(DesignForBand(2, good, {15, 365, 10}, {530, 1700}, 0.03).reason,
              "the wire is thicker than the pitch (0.0345 in > 0.03 in)");
}

} // namespace
} // namespace spirelle
