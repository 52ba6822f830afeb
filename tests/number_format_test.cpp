#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/quote.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

namespace spirelle {
namespace {

struct FormatRow {
    double value;
    const char *separator;
    const char *expected;
};

void PrintTo(const FormatRow &r, std::ostream *os)
{
    *os << r.value;
}

class FormatNumberTest : public testing::TestWithParam<FormatRow> {};

TEST_P(FormatNumberTest, Writes)
{
    const FormatRow &row = GetParam();
    EXPECT_EQ(FormatNumber(row.value, row.separator), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatNumberTest,
    testing::Values(FormatRow{0.0345 * 20, ".", "0.69"}, FormatRow{1.0 / 3, ".", "0.333333333333333"},
                    FormatRow{2.0 / 3, ".", "0.666666666666667"}, FormatRow{20, ".", "20"}, FormatRow{1.5, ".", "1.5"},
                    FormatRow{1.5, ",", "1,5"}, FormatRow{-0.69, ".", "-0.69"}, FormatRow{0, ".", "0"},
                    FormatRow{-0.0, ".", "0"}, FormatRow{100 / 11.4, ".", "8.7719298245614"},
                    FormatRow{1.02737103989798, ".", "1.02737103989798"}, FormatRow{0.0001, ".", "0.0001"},
                    FormatRow{0.00012345, ".", "0.00012345"}, FormatRow{1e-05, ".", "1E-05"},
                    FormatRow{1.5e-07, ".", "1.5E-07"}, FormatRow{-1.5e-07, ",", "-1,5E-07"},
                    FormatRow{123456789012345, ".", "123456789012345"},
                    FormatRow{999999999999999.4, ".", "999999999999999"}, FormatRow{999999999999999.5, ".", "1E+15"},
                    FormatRow{1e15, ".", "1E+15"}, FormatRow{1.7976931348623157e308, ".", "1.79769313486232E+308"},
                    FormatRow{4.9406564584124654e-324, ".", "4.94065645841247E-324"}, FormatRow{12.5, ".", "12.5"},
                    FormatRow{1e100, ".", "1E+100"}));

TEST(RoundHalfEven, HalvesGoToEven)
{
    const std::pair<double, double> rows[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {12.5, 12},
        {13.5, 14},
        {0.5, 0},
        {1.5, 2},
        {-0.5, -0.0},
        {5.2359833, 5},
        {5.5000001, 6},
        {4.4999999, 4},
        {-1.2, -1},
        {-1.7, -2},
        {0, 0},
        {4503599627370497.0, 4503599627370497.0},
        {1e300, 1e300},
        {0.49999999999999994, 0},
    };
    for (const auto &[value, expected] : rows)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
}

// The tables' roundings, worked by hand from printf's "%.3e" and "%.3f".
TEST(FormatNumber, RoundsAsAFormatSays)
{
    constexpr NumberFormat four{.significant = 4, .plainUpTo = 14, .keepTrailingZeros = true};
    constexpr NumberFormat three{.significant = 7, .decimals = 3};
    const struct {
        double value;
        NumberFormat format;
        const char *expected;
    } rows[] = {
        {315.262072934, four, "315.3"},
        {318.0, four, "318.0"},
        {1705.525214, four, "1706"},
        {12345.6, four, "12350"},
        {0.0015, four, "0.001500"},
        {-27.33979, four, "-27.34"},
        {1.5e-07, four, "1.5E-07"},
        {0, four, "0"},
        {318.0, {.significant = 4, .plainUpTo = 14}, "318"},
        {3.26, three, "3.260"},
        {0, three, "0.000"},
        {2e15, three, "2E+15"},
        {127.5, {.decimals = 0}, "128"},
        {68.17674937, {.significant = 7, .decimals = 3, .decimal = ","}, "68,177"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(FormatNumber(row.value, row.format), row.expected) << row.value;
}

TEST(Quote, MarksControlsAndCutsAsTheStyleSays)
{
    constexpr QuoteStyle asTyped{.control = "", .decode = false, .limit = 40, .ellipsisWithin = false};
    const struct {
        std::string text;
        QuoteStyle style;
        std::string expected;
    } rows[] = {
        {std::string("a\0b\xff", 4), kMessageQuote, "\u201Ca\uFFFDb\uFFFD\u201D"},
        {std::string(40, 'x'), kMessageQuote, "\u201C" + std::string(40, 'x') + "\u201D"},
        {std::string(41, 'x'), kMessageQuote, "\u201C" + std::string(39, 'x') + "\u2026\u201D"},
        {std::string(41, 'x'), asTyped, "\u201C" + std::string(40, 'x') + "\u2026\u201D"},
        {"a\tb\xff", kArgumentQuote, "\"a?b\xff\""},
        {"\u00B5H\n", asTyped, "\u201C\u00B5H\n\u201D"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(Quote(row.text, row.style), row.expected) << row.text;
}

// Whatever a page writes it must read back: formatting then parsing gives the
// value rounded to 15 significant digits, with either separator.
TEST(RoundTrip, FormatThenParseKeepsFifteenDigits)
{
    std::mt19937_64 random(20261207);
    std::uniform_int_distribution<std::uint64_t> bits;
    int checked = 0;
    for (int i = 0; i < 200000; ++i) {
        double x;
        const std::uint64_t b = bits(random);
        std::memcpy(&x, &b, sizeof x);
        if (!std::isfinite(x))
            continue;
        char expected[40];
        std::snprintf(expected, sizeof expected, "%.14e", x);
        const double rounded = std::strtod(expected, nullptr);
        for (const char *separator : {".", ","}) {
            const std::string text = FormatNumber(x, separator);
            ASSERT_EQ(ParseNumber(text, separator), rounded) << text;
        }
        ++checked;
    }
    EXPECT_GT(checked, 190000);
}

} // namespace
} // namespace spirelle
