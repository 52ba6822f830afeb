#include "calc/calc_error.h"
#include "calc/flat_coil.h"

#include <gtest/gtest.h>

namespace spirelle {
namespace {

TEST(FlatCoil, SumMatchesIndependentValues)
{
    // scripts/flat_coil_values.py: the same ring-and-pair sum in mpmath at 40 digits.
    struct Row {
        double inner, od, bare;
        int turns;
        double pitch, uH;
    } const rows[] = {
        {1, 0.0220, 0.020100756970967415, 1, 0.0220, 0.065375339205930777},
        {1, 0.0220, 0.020100756970967415, 20, 0.0220, 18.801591948048053},
        {2, 0.0345, 0.031961455526526527, 50, 0.0345, 250.74502965752011},
        {0.5, 0.0105, 0.01002515759750624, 100, 0.05, 1016.6181465087738},
    };
    for (const Row &r : rows) {
        const FlatCoil coil = MakeFlatCoil({r.inner, 0, r.pitch}, {"w", r.od, r.bare}, r.turns);
        EXPECT_NEAR(coil.inductance, r.uH, r.uH * 1e-9) << r.turns << " turns";
        // Wheeler 1928 states about 5 % where c > 0.2 a.
        if (r.turns >= 20) {
            EXPECT_NEAR(coil.wheelerInductance / coil.inductance, 1, 0.05) << r.turns << " turns";
        }
    }
    // The spiderweb's band design, the same script: 60 turns of # 24 on a 2 in hub, 349.49099 uH.
    const BandDesign web = DesignFlatForBand({2, 9, {}}, {"# 24", 0.0222, 0.020100756970967415}, {15, 365, 10},
                                             {530, 1700});
    ASSERT_TRUE(web.tuned);
    EXPECT_EQ(web.tuned->coil.turns, 60);
    EXPECT_NEAR(web.tuned->coil.inductance, 349.49099161339002, 1e-6);
}

TEST(FlatCoil, WheelerAsDefined)
{
    // a^2 N^2 / (8a + 11c), c = (N - 1) p + OD, a = D_i/2 + c/2, worked by hand.
    EXPECT_DOUBLE_EQ(WheelerFlatInductance(1, 0.05, 10, 0.05), 0.75 * 0.75 * 100 / (8 * 0.75 + 11 * 0.5));
    EXPECT_DOUBLE_EQ(WheelerFlatInductance(2, 0.03, 1, 0.1), 1.015 * 1.015 / (8 * 1.015 + 11 * 0.03));
    EXPECT_DOUBLE_EQ(WheelerFlatInductance(0.5, 0.02, 41, 0.04), 1.06 * 1.06 * 1681 / (8 * 1.06 + 11 * 1.62));
}

TEST(FlatCoil, BadFormNamesTheInput)
{
    const Wire wire{"w", 0.0345, 0.032};
    struct Row {
        FlatForm form;
        const char *input;
    } const rows[] = {
        {{2, 8, {}}, "spokes"},  {{2, 3, {}}, "spokes"},         {{0.1, 9, {}}, "hub diameter"},
        {{2, 0, 0.03}, "pitch"}, {{0, 0, {}}, "inner diameter"}, {{-1, 9, {}}, "hub diameter"},
    };
    for (const Row &r : rows) {
        try {
            MakeFlatCoil(r.form, wire, 10);
            ADD_FAILURE() << r.input << " not refused";
        } catch (const CalcError &error) {
            EXPECT_EQ(error.kind(), ErrorKind::OutOfRange);
            EXPECT_EQ(error.text(), r.input);
        }
    }
}

} // namespace
} // namespace spirelle
