#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/current_sheet.h"
#include "calc/tuned_circuit.h"
#include "calc/wire_gauges.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>

namespace spirelle {
namespace {

TEST(TurnsSolvers, WindBackToTheTargetOverEveryPracticalCoil)
{
    // Forms from 0.1 to 20 inches; wire from 0.002 to 0.2 inches a turn, the
    // six gauges among them; coils from 200 times wider than long to 200 times
    // longer than wide. Log-uniform, fixed seed. The target is the inductance
    // of that coil, so a count exists; each solver must find one that winds
    // back to the target to 1e-9.
    std::mt19937_64 random(14);
    const auto logUniform = [&](double low, double high) {
        return std::exp(std::uniform_real_distribution<double>(std::log(low), std::log(high))(random));
    };
    for (int i = 0; i < 20000 && !HasFailure(); ++i) {
        const std::string gauge(kWireGauges[i % std::size(kWireGauges)].inchesPerTurn);
        const double pitch = i % 2 == 0 ? logUniform(0.002, 0.2) : std::strtod(gauge.c_str(), nullptr);
        const double diameter = logUniform(0.1, 20);
        const double turns = logUniform(0.005, 200) * diameter / pitch;
        const double target = *CurrentSheetInductance(diameter, turns, turns * pitch) * logUniform(0.5, 2);
        const auto where = ::testing::Message() << "d " << diameter << " p " << pitch << " L " << target;

        const double wheeler = WheelerTurns(diameter, pitch, target);
        ASSERT_TRUE(std::isfinite(wheeler) && wheeler > 0) << where << " Wheeler " << wheeler;
        EXPECT_NEAR(WheelerInductance(diameter, wheeler, CloseWoundLength(pitch, wheeler)) / target, 1.0, 1e-9)
            << where;

        const auto sheetTurns = CurrentSheetTurns(diameter, pitch, target);
        ASSERT_TRUE(sheetTurns && std::isfinite(*sheetTurns) && *sheetTurns > 0) << where;
        EXPECT_NEAR(*CurrentSheetInductance(diameter, *sheetTurns, *sheetTurns * pitch) / target, 1.0, 1e-9)
            << where << " sheet turns " << *sheetTurns;
    }
}

TEST(TurnsSolvers, ReturnOnExtremeOperands)
{
    // Every combination of extremes: each solver answers with a finite count
    // that is not negative, or says it cannot (CalcError, nullopt). Its steps
    // are bounded, so it returns at all.
    constexpr double kTiny = std::numeric_limits<double>::denorm_min();
    constexpr double kHuge = std::numeric_limits<double>::max();
    const double values[] = {kTiny, 1e-300, 1e-30, 1e-6, 0.0345, 1, 1e6, 1e30, 1e300, kHuge};
    for (const double diameter : values) {
        for (const double pitch : values) {
            for (const double target : values) {
                const auto where = ::testing::Message() << "d " << diameter << " p " << pitch << " L " << target;
                try {
                    const double wheeler = WheelerTurns(diameter, pitch, target);
                    EXPECT_TRUE(std::isfinite(wheeler) && wheeler >= 0) << where << " Wheeler " << wheeler;
                } catch (const CalcError &) {
                }
                const auto sheet = CurrentSheetTurns(diameter, pitch, target);
                EXPECT_TRUE(!sheet || (std::isfinite(*sheet) && *sheet > 0)) << where << " sheet " << *sheet;
            }
        }
    }
    for (const double bad : {0.0, -1.0, std::nan(""), HUGE_VAL})
        EXPECT_FALSE(CurrentSheetTurns(bad, 0.0345, 100) || CurrentSheetTurns(1, bad, 100) ||
                     CurrentSheetTurns(1, 0.0345, bad))
            << bad;
}

} // namespace
} // namespace spirelle
