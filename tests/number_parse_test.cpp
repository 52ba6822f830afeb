#include "calc/calc_error.h"
#include "calc/number_parse.h"

#include <gtest/gtest.h>

#include <string>

namespace spirelle {
namespace {

struct ParseRow {
    const char *text;
    const char *separator;
    double expected;
};

void PrintTo(const ParseRow &r, std::ostream *os)
{
    *os << '"' << r.text << '"';
}

class ParseNumberOk : public testing::TestWithParam<ParseRow> {};

TEST_P(ParseNumberOk, ReadsValue)
{
    const ParseRow &row = GetParam();
    EXPECT_EQ(ParseNumber(row.text, row.separator), row.expected) << '"' << row.text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberOk,
    testing::Values(ParseRow{".0345", ".", 0.0345},
                    ParseRow{".0105", ",", 0.0105}, // gauge captions keep '.' in a comma locale
                    ParseRow{" 12 ", ".", 12}, ParseRow{"\t-3\t", ".", -3}, ParseRow{"+7", ".", 7},
                    ParseRow{"20", ".", 20}, ParseRow{"5.", ".", 5}, ParseRow{"0,5", ",", 0.5},
                    ParseRow{"0.5", ",", 0.5},
                    ParseRow{"1\u066B25", "\u066B", 1.25}, // Arabic decimal separator, two bytes in UTF-8
                    ParseRow{"-1.5e3", ".", -1500}, ParseRow{"2E-2", ".", 0.02}, ParseRow{"1e+2", ".", 100},
                    ParseRow{"0.1", ".", 0.1}, ParseRow{"1.7976931348623157e308", ".", 1.7976931348623157e308},
                    ParseRow{"4.9e-324", ".", 4.9e-324}, // smallest subnormal
                    ParseRow{"1e-400", ".", 0.0},        // underflow is not an error
                    ParseRow{"1e-99999999999999999999", ".", 0.0}, ParseRow{"0e99999", ".", 0.0},
                    ParseRow{"000000000000000000000000000000001", ".", 1}));

struct BadRow {
    const char *text;
    ErrorKind kind;
};

void PrintTo(const BadRow &r, std::ostream *os)
{
    *os << '"' << r.text << '"';
}

class ParseNumberFails : public testing::TestWithParam<BadRow> {};

TEST_P(ParseNumberFails, RaisesKind)
{
    const BadRow &row = GetParam();
    try {
        ParseNumber(row.text, ",");
        FAIL() << '"' << row.text << "\" parsed";
    } catch (const CalcError &error) {
        EXPECT_EQ(error.kind(), row.kind) << '"' << row.text << '"';
        if (row.kind == ErrorKind::TypeMismatch)
            EXPECT_EQ(error.text(), row.text);
        else
            EXPECT_EQ(error.fault(), ArithmeticFault::Overflow);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumberFails,
    testing::Values(BadRow{"", ErrorKind::TypeMismatch}, BadRow{"   ", ErrorKind::TypeMismatch},
                    BadRow{"uH", ErrorKind::TypeMismatch}, BadRow{"lenth of coil", ErrorKind::TypeMismatch},
                    BadRow{"1,2,3", ErrorKind::TypeMismatch}, BadRow{"1.2,3", ErrorKind::TypeMismatch},
                    BadRow{"..5", ErrorKind::TypeMismatch}, BadRow{".", ErrorKind::TypeMismatch},
                    BadRow{"-", ErrorKind::TypeMismatch}, BadRow{"1e", ErrorKind::TypeMismatch},
                    BadRow{"1e+", ErrorKind::TypeMismatch}, BadRow{"e5", ErrorKind::TypeMismatch},
                    BadRow{"+-1", ErrorKind::TypeMismatch}, BadRow{"12abc", ErrorKind::TypeMismatch},
                    BadRow{"12 uH", ErrorKind::TypeMismatch}, BadRow{"1 000", ErrorKind::TypeMismatch},
                    BadRow{"inf", ErrorKind::TypeMismatch}, BadRow{"nan", ErrorKind::TypeMismatch},
                    BadRow{"0x10", ErrorKind::TypeMismatch},
                    BadRow{"\u0663", ErrorKind::TypeMismatch}, // Arabic-Indic three
                    BadRow{"\uFF11", ErrorKind::TypeMismatch}, // full-width one
                    BadRow{"1\u00A0", ErrorKind::TypeMismatch}, BadRow{"1e999", ErrorKind::ArithmeticError},
                    BadRow{"-1e999", ErrorKind::ArithmeticError},
                    BadRow{"1.7976931348623159e308", ErrorKind::ArithmeticError},
                    BadRow{"1e99999999999999999999999", ErrorKind::ArithmeticError}));

TEST(ParseNumber, RejectsEmbeddedNul)
{
    const std::string text(
        "12\0"
        "3",
        4);
    EXPECT_THROW(ParseNumber(text), CalcError);
}

TEST(ParseNumber, LongTextsAreReadWhole)
{
    EXPECT_EQ(ParseNumber(std::string(100000, '0') + "7"), 7);
    EXPECT_THROW(ParseNumber(std::string(100000, '7') + "x"), CalcError);
    EXPECT_THROW(ParseNumber(std::string(100000, '9')), CalcError); // 1E+100000 overflows
}

TEST(CalcError, MessagesNameTheProblem)
{
    const auto message = [](auto raise) {
        try {
            raise();
        } catch (const CalcError &error) {
            return std::string(error.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([] { ParseNumber("abc"); }), "Type mismatch: \u201Cabc\u201D is not a number.");
    EXPECT_EQ(message([] { ParseNumber(""); }), "Type mismatch: a field is empty, and a number is needed there.");
    EXPECT_EQ(message([] { ParseNumber(std::string(50, 'x')); }),
              "Type mismatch: \u201C" + std::string(39, 'x') + "\u2026\u201D is not a number.");
    EXPECT_EQ(message([] { ParseNumber(std::string("a\0b", 3)); }),
              "Type mismatch: \u201Ca\uFFFDb\u201D is not a number.");
    EXPECT_NE(message([] { ParseNumber("1e999"); }).find("Overflow"), std::string::npos);
}

} // namespace
} // namespace spirelle

namespace spirelle {
namespace {

// Where '.' groups digits (de_DE, it_IT ...: decimal ',', group '.'), a text
// that is a '.'-grouped whole number could be a thousand or one, and fails with
// a message that says how to write it; every other text reads as anywhere else.
// Locales that group with something else read '.' as a decimal point as always.
TEST(ParseNumber, DotGroupingLocalesNeverGuess)
{
    struct Row {
        const char *text;
        const char *decimal;
        const char *group;
        double value;        // when read
        const char *message; // when it fails: the whole message
    };
    const char *const oneThousand =
        "Type mismatch: \u201C1.000\u201D could be read two ways, as a whole number or as a "
        "decimal fraction. Write 1000 for the whole number, or 1,0 for the fraction.";
    const Row rows[] = {
        {"1.000", ",", ".", 0, oneThousand},
        {" 1.000 ", ",", ".", 0,
         "Type mismatch: \u201C 1.000 \u201D could be read two ways, as a whole number or as a decimal fraction. "
         "Write 1000 for the whole number, or 1,0 for the fraction."},
        {"-2.500", ",", ".", 0,
         "Type mismatch: \u201C-2.500\u201D could be read two ways, as a whole number or as a decimal fraction. "
         "Write -2500 for the whole number, or -2,5 for the fraction."},
        {"1.234.567", ",", ".", 0,
         "Type mismatch: \u201C1.234.567\u201D could be read two ways, as a whole number or as a decimal fraction. "
         "Write 1234567 for the whole number."},
        {"999.999", ",", ".", 0,
         "Type mismatch: \u201C999.999\u201D could be read two ways, as a whole number or as a decimal fraction. "
         "Write 999999 for the whole number, or 999,999 for the fraction."},
        {"1.234,5", ",", ".", 1234.5, nullptr},
        {"-12.345,25", ",", ".", -12345.25, nullptr},
        {"1.234.567,5", ",", ".", 1234567.5, nullptr},
        {".0345", ",", ".", 0.0345, nullptr},
        {"1.25", ",", ".", 1.25, nullptr},
        {"12.5", ",", ".", 12.5, nullptr},
        {"0.001", ",", ".", 0.001, nullptr},
        {"1.0000", ",", ".", 1.0, nullptr},
        {"1234.567", ",", ".", 1234.567, nullptr},
        {"012.345", ",", ".", 12.345, nullptr},
        {"1.000e3", ",", ".", 0,
         "Type mismatch: \u201C1.000e3\u201D could be read two ways, as a whole number or as a decimal fraction. "
         "Write 1000e3 for the whole number, or 1,0e3 for the fraction."},
        {"1.234,5e3", ",", ".", 1234500, nullptr},
        {"1,5", ",", ".", 1.5, nullptr},
        {"250", ",", ".", 250, nullptr},
        {"1.000", ".", ",", 1, nullptr},      // en_US
        {"1.000", ",", "\u202F", 1, nullptr}, // fr_FR
        {"1.000", ".", "\u2019", 1, nullptr}, // de_CH
        {"1.000", ",", "\u00A0", 1, nullptr}, // ru_RU
        {"1.000", ",", "", 1, nullptr},       // no group separator given
        {"1.234,", ",", ".", 0, "Type mismatch: \u201C1.234,\u201D is not a number."},
        {"1.23,4", ",", ".", 0, "Type mismatch: \u201C1.23,4\u201D is not a number."},
        {"1.234,e5", ",", ".", 0, "Type mismatch: \u201C1.234,e5\u201D is not a number."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.text) + " with " + row.decimal + " and " + row.group);
        if (!row.message) {
            EXPECT_EQ(ParseNumber(row.text, row.decimal, row.group), row.value);
            continue;
        }
        try {
            ParseNumber(row.text, row.decimal, row.group);
            ADD_FAILURE() << "read as a number";
        } catch (const CalcError &error) {
            EXPECT_EQ(error.kind(), ErrorKind::TypeMismatch);
            EXPECT_EQ(error.text(), row.text);
            EXPECT_STREQ(error.what(), row.message);
            EXPECT_EQ(error.ambiguousGrouping(), std::string_view(row.message).find(" two ways") != std::string::npos);
        }
    }
}

} // namespace
} // namespace spirelle
