// The design window's texts, without the window. Expected values from
// scripts/real_coil_values.py (mpmath), rounded by hand as the table shows them.
#include "pages/design.h"
#include "pages/field_table.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spirelle::design {
namespace {

constexpr std::size_t kLast = SIZE_MAX; // the row's note, the last column

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
      {0, 10, "69.177", "69.17674937"}, // 2 × 6 in for the leads
      // The coil's Q in the tank at the band's ends: scripts/loss_values.py.
      {0, 11, "202.3", "Q 202.3 at 530 kHz"},
      {0, 12, "354.3", "Q 354.3 at 1700 kHz"},
      {0, kLast, "", ""},
      {5, 0, "# 30", ""},
      {5, 1, "71", ""},
      {5, 4, "308.6", "308.579442"},
      {5, 7, "1717", "1716.958371"},
      {5, 8, "466.1", "466.113220"}},
     8},
    {"millimetres, decimal comma",
     {",", "."},
     {{control::kUnits, "mm"}, {control::kDiameter, "50,8"}, {control::kLeads, "150"}},
     "",
     "needs a tuning ratio of 10,29",
     {{0, 1, "128", ""},
      {0, 2, "51,676", "51,6763 mm"},
      {0, 3, "112,166", "112,1664 mm"},
      {0, 4, "315,3", ""},
      {0, 10, "21,080", "21,0802732"}}, // and 2 × 150 mm
     8},
    {"capacitor short of the band",
     {},
     {{control::kDiameter, "2"}, {control::kCmax, "200"}},
     "",
     "Short by 56.56 kHz at the low end: a CMAX of 247.2 pF would cover the band",
     {},
     8},
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
     9},
    // A pitch between # 22 and # 20: # 20 has no coil and says why (mpmath: # 22 at 0.03 in, 117 turns).
    {"pitch below a wire",
     {},
     {{control::kDiameter, "2"}, {control::kPitch, ".03"}},
     "",
     "Covered",
     {{0, 9, "no coil", "the wire is thicker than the pitch"}, {1, 1, "117", ""}, {1, 4, "316.1", "316.149095"}},
     8},
    // scripts/flat_coil_values.py: 60 turns of # 24 (.0222) on a 2 in hub, 349.49099 uH; C self not estimated.
    {"spiderweb",
     {},
     {{control::kCoilKind, "Spiderweb"}, {control::kDiameter, "2"}},
     "",
     "with the stray alone",
     {{2, 0, "# 24", ""}, {2, 1, "60", ""}, {2, 5, "349.5", "349.490991"}, {2, 7, "–", "not estimated"}},
     8},
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
    // 0.25 mm copper on a 40 mm form, the outside 0.25 / 0.92 mm (mpmath): 95 turns, 325.19396 uH, 12.019 + 0.3 m.
    {"bare diameter alone",
     {},
     {{control::kUnits, "mm"}, {control::kDiameter, "40"}, {control::kWireBare, "0.25"}, {control::kLeads, "150"}},
     "",
     "Covered",
     {{6, 0, "custom", "custom: outside diameter 0.27173913"},
      {6, 1, "95", ""},
      {6, 4, "325.2", "325.19396"},
      {6, 10, "12.319", "12.31915"}},
     9},
    // AWG 20 by name: NEMA's heavy build, 0.0342615 in over 0.0319615 (mpmath: 127 turns, 314.08266 uH).
    {"a gauge by name",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, "awg20"}},
     "",
     "Covered",
     {{6, 0, "awg20", ""}, {6, 1, "127", ""}, {6, 4, "314.1", "314.08266"}},
     9},
    {"no such gauge",
     {},
     {{control::kDiameter, "2"}, {control::kWireBare, "AWG47"}},
     control::kWireBare,
     "“AWG47”",
     {},
     0},
    // Long wave on a 40 mm pipe: # 20 winds 3509 turns, 3074.9 mm (mpmath); no wire makes a coil to wind.
    {"too long to wind",
     {},
     {{control::kUnits, "mm"}, {control::kDiameter, "40"}, {control::kBandLow, "148.5"}, {control::kBandHigh, "283.5"}},
     "",
     "No wire here gives a coil that both tunes the whole band and can be wound: try a larger form",
     {{0, 1, "3509", ""},
      {0, kLast, "too long; C self a guess", "Too long to wind: 3075 mm of winding on a 40 mm form"}},
     8},
    // scripts/litz_values.py: 660 strands of AWG 46 served, 0.0553457796 in over all.
    {"Litz wire",
     {},
     {{control::kDiameter, "2"}, {control::kWireOd, "litz660x46"}},
     "",
     "Covered",
     {{6, 0, "litz660x46 (best Q)", "litz660x46: outside diameter 0.0553457"}},
     9},
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
        const Cell &cell = e.column == kLast ? view.rows[e.row].back() : view.rows[e.row][e.column];
        EXPECT_EQ(cell.text, e.text) << e.column;
        EXPECT_TRUE(cell.whole.starts_with(e.wholeStart)) << cell.whole;
    }
    const std::string copied = CopyText(view);
    EXPECT_EQ(static_cast<std::size_t>(std::count(copied.begin(), copied.end(), '\n')), c.copyLines);
    if (c.copyLines > 0) { // the inputs' line, then the headers
        const std::string headers = copied.substr(copied.find('\n') + 1);
        EXPECT_TRUE(copied.starts_with(c.typed.empty() ? "" : "Solenoid") || copied.starts_with("Spiderweb")) << copied;
        EXPECT_TRUE(headers.starts_with("Wire\tTurns\tCoil diameter (") || headers.starts_with("Wire\tTurns\tInner"))
            << copied;
    }
}

// The CSV: a cell holding the decimal comma is quoted, the inputs' line is one field.
TEST(DesignCsv, QuotesDecimalCommas)
{
    const Separators comma(",", ".");
    FieldTable fields = FieldTable::designWindow(comma);
    fields.setText(control::kDiameter, "2");
    const std::string csv = CsvText(Design(fields, comma));
    EXPECT_TRUE(csv.starts_with("\"Solenoid, form diameter 2 in; capacitor 15–365 pF, stray 10 pF;")) << csv;
    EXPECT_NE(csv.find("\r\n# 20 (best Q),128,\"2,034\",\"4,416\","), std::string::npos) << csv;
}

INSTANTIATE_TEST_SUITE_P(Cases, DesignTest, ::testing::ValuesIn(kCases), [](const auto &info) {
    std::string name = info.param.name;
    std::replace_if(
        name.begin(), name.end(), [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); }, '_');
    return name;
});

} // namespace
} // namespace spirelle::design
