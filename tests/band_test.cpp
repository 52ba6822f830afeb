#include "calc/band.h"
#include "calc/calc_error.h"

#include <gtest/gtest.h>

namespace spirelle {
namespace {

// Expected values from f = 100 / (6.283 sqrt(0.01 L C)) MHz solved by hand and
// evaluated with mpmath at 40 digits: L = 1e6 / (6.283^2 (HIGH/1000)^2 cLow),
// lowest = HIGH sqrt(cLow / cHigh), cmaxToCover = cLow (HIGH/LOW)^2 - stray.
struct BandCase {
    double cmin, cmax, stray, low, high;
    double inductance, lowest, cmaxToCover;
    bool covered;
};

const BandCase kBands[] = {
    {15, 365, 10, 530, 1700, 350.61301158346739, 438.93811257017391, 247.20897116411534, true},
    {15, 200, 10, 530, 1700, 350.61301158346739, 586.55572544100109, 247.20897116411534, false},
    {15, 90, 10, 500, 1000, 1013.2716034762208, 500.0, 90.0, true},
    {7, 63, 0, 500, 1500, 1608.3676245654298, 500.0, 63.0, true}, // exactly wide enough: rounds a hair above 500
    {30, 400, 0, 540, 1600, 329.84101675658228, 438.17804600413289, 263.37448559670782, true},
};

TEST(CoverBand, TunesTheTopAtCminAndTellsHowLowCmaxReaches)
{
    for (const BandCase &c : kBands) {
        const BandCoverage b = CoverBand({c.cmin, c.cmax, c.stray}, {c.low, c.high});
        EXPECT_NEAR(b.inductance / c.inductance, 1.0, 1e-13) << c.cmax;
        EXPECT_NEAR(b.lowest / c.lowest, 1.0, 1e-13) << c.cmax;
        EXPECT_NEAR(b.cmaxToCover / c.cmaxToCover, 1.0, 1e-13) << c.cmax;
        EXPECT_NEAR(b.neededRatio, (c.high / c.low) * (c.high / c.low), 1e-12) << c.cmax;
        EXPECT_DOUBLE_EQ(b.capacitorRatio, (c.cmax + c.stray) / (c.cmin + c.stray)) << c.cmax;
        EXPECT_EQ(b.covered, c.covered) << c.cmax;
    }
    EXPECT_THROW(CoverBand({0, 365, 0}, {530, 1700}), CalcError); // no capacitance tunes nothing
}

} // namespace
} // namespace spirelle
