#include "calc/wire.h"

#include <gtest/gtest.h>

namespace spirelle {
namespace {

TEST(Wire, ReadsNamesByTheGaugesDefinitionsAndTables)
{
    // AWG by definition and SWG from BS 3737; the enamel is NEMA's heavy-build
    // increment (scripts/real_coil_values.py, mpmath).
    const struct {
        const char *text;
        LengthUnit unit;
        const char *name;
        double outside, bare, tolerance;
    } rows[] = {
        {"awg0000", LengthUnit::Inches, "awg0000", 0.4635, 0.46, 1e-6},
        {"AWG4/0", LengthUnit::Inches, "AWG4/0", 0.4635, 0.46, 1e-6},
        {"awg0", LengthUnit::Inches, "awg0", 0.324860740243 + 0.0035, 0.324860740243, 1e-6},
        {"awg10", LengthUnit::Inches, "awg10", 0.101897115276 + 0.0031, 0.101897115276, 1e-6},
        {" #20 ", LengthUnit::Inches, "#20", 0.0342614555265, 0.0319614555265, 1e-6},
        {"# 20", LengthUnit::Millimetres, "# 20", 0.0342614555265, 0.0319614555265, 1e-6},
        {"awg36", LengthUnit::Inches, "awg36", 0.005 + 0.0008, 0.005, 1e-6},
        {"awg44", LengthUnit::Inches, "awg44", 0.00235495863898, 0.00197761492970, 1e-9},
        {"awg46", LengthUnit::Inches, "awg46", 0.00186756710521, 0.00156831993918, 1e-9},
        {"swg22", LengthUnit::Inches, "swg22", 0.0301851568921, 0.028, 1e-9},
        {"swg7/0", LengthUnit::Inches, "swg7/0", 0.5035, 0.5, 1e-9},
        {"swg0000000", LengthUnit::Inches, "swg0000000", 0.5035, 0.5, 1e-9},
        {"swg36", LengthUnit::Inches, "swg36", 0.00875975072672, 0.0076, 1e-9},
        {"swg50", LengthUnit::Inches, "swg50", 0.00119080747400, 0.001, 1e-9},
        {"0.5mm", LengthUnit::Inches, "0.5mm", 0.5 / 25.4, 0.46 / 25.4, 1e-12},
        {"0,5 MM", LengthUnit::Inches, "0,5 MM", 0.5 / 25.4, 0.46 / 25.4, 1e-12},
        {"0.05", LengthUnit::Inches, "custom", 0.05, 0.046, 1e-12},
        {"0.5", LengthUnit::Millimetres, "custom", 0.5 / 25.4, 0.46 / 25.4, 1e-12},
    };
    for (const auto &row : rows) {
        const Wire wire = ParseWire(row.text, row.unit, ",");
        EXPECT_EQ(wire.name, row.name) << row.text;
        EXPECT_NEAR(wire.outsideDiameter, row.outside, row.tolerance) << row.text;
        EXPECT_NEAR(wire.bareDiameter, row.bare, row.tolerance) << row.text;
    }
}

TEST(Wire, RefusesWhatIsNoWireNamingTheText)
{
    const std::pair<const char *, WireErrorKind> rows[] = {
        {"awg47", WireErrorKind::NoSuchGauge}, {"awg00000", WireErrorKind::NoSuchGauge},
        {"swg51", WireErrorKind::NoSuchGauge}, {"swg8/0", WireErrorKind::NoSuchGauge},
        {"swg", WireErrorKind::NotAWire},      {"awg", WireErrorKind::NotAWire},
        {"#", WireErrorKind::NotAWire},        {"awg020", WireErrorKind::NotAWire},
        {"awg-1", WireErrorKind::NotAWire},    {"22x", WireErrorKind::NotAWire},
        {"mm", WireErrorKind::NotAWire},       {"", WireErrorKind::NotAWire},
        {"0", WireErrorKind::NotAboveZero},    {"-1mm", WireErrorKind::NotAboveZero},
    };
    for (const auto &[text, kind] : rows) {
        try {
            ParseWire(text);
            ADD_FAILURE() << text << " accepted";
        } catch (const WireError &error) {
            EXPECT_EQ(error.kind(), kind) << text;
            EXPECT_EQ(error.text(), text);
            EXPECT_NE(std::string(error.what()).find(std::string("\u201C") + text + "\u201D"), std::string::npos)
                << error.what();
        }
    }
    const std::pair<double, const char *> suggestions[] = {{22, "awg22"}, {0, "awg0"},       {46, "awg46"},
                                                           {47, nullptr}, {0.0285, nullptr}, {-2, nullptr}};
    for (const auto &[number, suggestion] : suggestions)
        EXPECT_EQ(GaugeSuggestion(number).value_or(""), suggestion ? suggestion : "") << number;
}

} // namespace
} // namespace spirelle
