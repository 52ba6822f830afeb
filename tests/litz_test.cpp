#include "calc/litz.h"
#include "calc/losses.h"
#include "calc/wire.h"
#include "pages/coil_columns.h"

#include <gtest/gtest.h>

namespace spirelle {
namespace {

// scripts/litz_values.py (mpmath) prints every expected value.
TEST(Litz, BuildsTheBundleAndItsLossesFromTheStrands)
{
    const struct {
        const char *text;
        LengthUnit unit;
        int strands;
        double strand, outside, bare, ratio1MHzPhi3;
    } rows[] = {
        {"litz660x46", LengthUnit::Inches, 660, 0.00156831994, 0.0553457796, 0.0395084473, 2.18006764465},
        {" LITZ 330 X 46 ", LengthUnit::Inches, 330, 0.00156831994, 0.0398272498, 0.027936691, 1.59011976664},
        {"litz100x0.1mm", LengthUnit::Inches, 100, 0.1 / 25.4, 0.0534977196, 0.0386055384, 8.02796165969},
        {"litz100x0,1", LengthUnit::Millimetres, 100, 0.1 / 25.4, 0.0534977196, 0.0386055384, 8.02796165969},
        {"litz7x30", LengthUnit::Inches, 7, 0.0100251576, 0.0357435852, 0.0260089943, 10.4266870617},
    };
    for (const auto &row : rows) {
        const Wire wire = ParseWire(row.text, row.unit, ",");
        EXPECT_EQ(wire.strands, row.strands) << row.text;
        EXPECT_NEAR(wire.strandDiameter, row.strand, 1e-11) << row.text;
        EXPECT_NEAR(wire.outsideDiameter, row.outside, 1e-9) << row.text;
        EXPECT_NEAR(wire.bareDiameter, row.bare, 1e-9) << row.text;
        EXPECT_NEAR(LitzResistanceRatio(wire.strands, wire.strandDiameter, LitzBundleDiameter(wire), 1e6, 3),
                    row.ratio1MHzPhi3, 1e-8)
            << row.text;
    }
}

TEST(Litz, RefusesAConstructionThatCannotBe)
{
    const std::pair<const char *, WireErrorKind> rows[] = {
        {"litz0x46", WireErrorKind::NotAboveZero},      {"litz660x29", WireErrorKind::NoSuchGauge},
        {"litz660x51", WireErrorKind::NoSuchGauge},     {"litz660x0.3mm", WireErrorKind::NoSuchGauge},
        {"litz660x0.02mm", WireErrorKind::NoSuchGauge}, {"litz", WireErrorKind::NotAWire},
        {"litzx46", WireErrorKind::NotAWire},           {"litz660", WireErrorKind::NotAWire},
        {"litz660xmm", WireErrorKind::NotAWire},        {"litz-5x46", WireErrorKind::NotAWire},
    };
    for (const auto &[text, kind] : rows) {
        try {
            ParseWire(text);
            ADD_FAILURE() << text << " accepted";
        } catch (const WireError &error) {
            EXPECT_EQ(error.kind(), kind) << text;
            EXPECT_NE(std::string(error.what()).find(text), std::string::npos) << error.what();
        }
    }
    // 660 strands of 0.00186757 in over the enamel need 0.0527434 in served, even hexagonally packed.
    EXPECT_THROW(LitzWire("litz660x46", 660, 0.00156831994, 0.05274), WireError);
    EXPECT_NEAR(LitzWire("litz660x46", 660, 0.00156831994, 0.05275).outsideDiameter, 0.05275, 1e-12);
}

// 60 turns on 2 in of 660/46 and of solid wire as thick (0.92 copper): at 1 MHz Litz is far better; where the solid
// wire is thin against the skin depth (5 kHz, or 50 kHz three diameters apart) the Q differ less than the DC ohms.
TEST(Litz, BeatsSolidWireOnlyWhereTheSkinDepthIsSmall)
{
    const Wire litz = ParseWire("litz660x46");
    const Wire solid{"solid", litz.outsideDiameter, DefaultBareDiameter(litz.outsideDiameter)};
    const struct {
        double kHz, pitches;
        bool litzAbove;
    } rows[] = {{1000, 1, true}, {1700, 1, true}, {5, 1, false}, {50, 3, false}};
    for (const auto &row : rows) {
        const double pitch = row.pitches * litz.outsideDiameter;
        const Solenoid a = MakeSolenoid(2, litz, 60, pitch), b = MakeSolenoid(2, solid, 60, pitch);
        const double ratio = CoilAt(a, row.kHz).q / CoilAt(b, row.kHz).q, dc = a.dcResistance / b.dcResistance;
        // The tuned coil's way to its Q (tune, the design window) keeps the strands.
        EXPECT_NEAR(CoilAt(SolenoidOf(CoilOf(a), litz), row.kHz).acResistance, CoilAt(a, row.kHz).acResistance, 1e-9);
        if (row.litzAbove)
            EXPECT_GT(ratio, 2) << row.kHz;
        else
            EXPECT_TRUE(ratio > 1 / dc && ratio < dc) << row.kHz << " kHz: " << ratio << " against " << dc;
    }
}

} // namespace
} // namespace spirelle
