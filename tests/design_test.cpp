// The design window's texts, without the window. Expected values from
// scripts/real_coil_values.py (mpmath), rounded by hand as the table shows them.
#include "pages/design.h"
#include "pages/field_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spirelle::design {
namespace {

struct ExpectedCell {
    std::size_t row, column;
    std::string text;
    std::string wholeStart; // the tool tip begins so; "" to skip
};

struct Case {
    const char *name;
    Separators separators;
    std::vector<std::pair<std::string_view, std::string>> typed;
    std::string_view badField; // "" for good inputs
    std::string saysWhat;      // in the message, or in the verdict for good inputs
    std::vector<ExpectedCell> cells;
    std::size_t copyLines; // headers and rows
};

const Case kCases[] = {
    {"inches",
     {},
     {{control::kDiameter, "2"}},
     "",
     "Covered: with the right coil",
     {{0, 0, "# 20 (best Q)", "# 20: outside diameter 0.0345 in, bare 0.03196145"},
      {0, 1, "128", "128 turns"},
      {0, 3, "4.416", ""},
      {0, 4, "315.3", "315.262072934"},
      {0, 5, "318.0", "317.997632272"},
      {0, 6, "2.690", "2.6895806"},
      {0, 7, "1703", "1703.487252"},
      {0, 8, "461.2", "461.24277"},
      {0, 9, "yes", "yes"},
      {0, 10, "68.177", "68.17674937"},
      // The coil's Q in the tank at the band's ends: scripts/loss_values.py.
      {0, 11, "202.3", "Q 202.3 at 530 kHz"},
      {0, 12, "354.3", "Q 354.3 at 1700 kHz"},
      {5, 0, "# 30", ""},
      {5, 1, "71", ""},
      {5, 4, "308.6", "308.579442"},
      {5, 7, "1717", "1716.958371"},
      {5, 8, "466.1", "466.113220"}},
     7},
    {"millimetres, decimal comma",
     {",", "."},
     {{control::kUnits, "mm"}, {control::kDiameter, "50,8"}},
     "",
     "needs a tuning ratio of 10,29",
     {{0, 1, "128", ""},
      {0, 2, "51,676", "51,6763 mm"},
      {0, 3, "112,166", "112,1664 mm"},
      {0, 4, "315,3", ""},
      {0, 10, "20,780", "20,7802732"}},
     7},
    {"capacitor short of the band",
     {},
     {{control::kDiameter, "2"}, {control::kCmax, "200"}},
     "",
     "Short by 56.56 kHz at the low end: a CMAX of 247.2 pF would cover the band",
     {},
     7},
    {"custom wire",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, ".05"}, {control::kWireBare, ".046"}},
     "",
     "Covered",
     {{6, 0, "custom (best Q)", ""},
      {6, 1, "163", ""},
      {6, 4, "303.9", "303.855685"},
      {6, 6, "3.736", ""},
      {6, 7, "1703", "1703.27013"}},
     8},
    // A pitch between # 22 and # 20: # 20 has no coil and says why (mpmath: # 22 at 0.03 in, 117 turns).
    {"pitch below a wire",
     {},
     {{control::kDiameter, "2"}, {control::kPitch, ".03"}},
     "",
     "Covered",
     {{0, 9, "no coil", "the wire is thicker than the pitch"}, {1, 1, "117", ""}, {1, 4, "316.1", "316.149095"}},
     7},
    // scripts/flat_coil_values.py: 60 turns of # 24 (.0222) on a 2 in hub, 349.49099 uH; C self not estimated.
    {"spiderweb",
     {},
     {{control::kCoilKind, "Spiderweb"}, {control::kDiameter, "2"}},
     "",
     "with the stray alone",
     {{2, 0, "# 24", ""}, {2, 1, "60", ""}, {2, 5, "349.5", "349.490991"}, {2, 7, "–", "not estimated"}},
     7},
    {"even spokes",
     {},
     {{control::kCoilKind, "Spiderweb"}, {control::kDiameter, "2"}, {control::kSpokes, "8"}},
     control::kSpokes,
     "The number of spokes must be odd, 5 or more",
     {},
     0},
    {"a letter",
     {},
     {{control::kDiameter, "2x"}},
     control::kDiameter,
     "Form diameter is “2x”, not a number: type",
     {},
     0},
    {"empty",
     {},
     {},
     control::kDiameter,
     "Form diameter is empty: type the diameter of the coil form in inches, such as 1.5.",
     {},
     0},
    {"ambiguous grouping",
     {",", "."},
     {{control::kDiameter, "2"}, {control::kBandHigh, "1.700"}},
     control::kBandHigh,
     "The band's high end: “1.700” could be read two ways",
     {},
     0},
    {"CMIN not below CMAX",
     {},
     {{control::kDiameter, "2"}, {control::kCmin, "400"}},
     control::kCmax,
     "CMAX must be above CMIN (400 pF): type",
     {},
     0},
    {"band upside down",
     {},
     {{control::kDiameter, "2"}, {control::kBandLow, "1700"}, {control::kBandHigh, "530"}},
     control::kBandHigh,
     "must be above the low end (1700 kHz)",
     {},
     0},
    {"bare diameter alone",
     {},
     {{control::kDiameter, "2"}, {control::kWireBare, ".03"}},
     control::kWireOd,
     "outside diameter is empty while a bare diameter is given",
     {},
     0},
    // scripts/litz_values.py: 660 strands of AWG 46 served, 0.0553457796 in over all.
    {"Litz wire",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, "litz660x46"}},
     "",
     "Covered",
     {{6, 0, "litz660x46 (best Q)", "litz660x46: outside diameter 0.0553457"}},
     8},
    {"Litz wire of no strands",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, "litz0x46"}},
     control::kWireOd,
     "“litz0x46” is not a Litz wire: it has no strands",
     {},
     0},
    {"Litz wire with a bare diameter",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, "litz660x46"}, {control::kWireBare, ".03"}},
     control::kWireBare,
     "must be empty for a Litz wire",
     {},
     0},
    {"bare above outside",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, ".03"}, {control::kWireBare, ".04"}},
     control::kWireBare,
     "must not be above the outside diameter",
     {},
     0},
};

void PrintTo(const Case &c, std::ostream *out)
{
    *out << c.name;
}

class DesignTest : public ::testing::TestWithParam<Case> {};

TEST_P(DesignTest, ShowsTheDesignOrSaysWhatToType)
{
    const Case &c = GetParam();
    FieldTable fields = FieldTable::designWindow(c.separators);
    for (const auto &[name, text] : c.typed)
        fields.setText(name, text);
    const View view = Design(fields, c.separators);

    EXPECT_EQ(view.good, c.badField.empty());
    EXPECT_EQ(view.badField, c.badField);
    std::string said = view.message;
    for (const std::string &line : view.verdict)
        said += line + "\n";
    EXPECT_NE(said.find(c.saysWhat), std::string::npos) << said;
    for (const ExpectedCell &e : c.cells) {
        ASSERT_LT(e.row, view.rows.size());
        ASSERT_EQ(view.rows[e.row].size(), view.headers.size());
        EXPECT_EQ(view.rows[e.row][e.column].text, e.text) << view.headers[e.column];
        EXPECT_TRUE(view.rows[e.row][e.column].whole.starts_with(e.wholeStart)) << view.rows[e.row][e.column].whole;
    }
    const std::string copied = CopyText(view);
    EXPECT_EQ(static_cast<std::size_t>(std::count(copied.begin(), copied.end(), '\n')), c.copyLines);
    if (c.copyLines > 0) {
        EXPECT_TRUE(copied.starts_with("Wire\tTurns\tCoil diameter (") || copied.starts_with("Wire\tTurns\tInner"))
            << copied;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DesignTest, ::testing::ValuesIn(kCases), [](const auto &info) {
    std::string name = info.param.name;
    std::replace_if(
        name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
    return name;
});

} // namespace
} // namespace spirelle::design
