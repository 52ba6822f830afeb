#include "cli/cli.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace spirelle::cli {
namespace {

using Strings = std::vector<std::string>;

struct Result {
    int status = -1;
    std::string out;
    std::string err;
};

Result RunArgs(const Strings &args)
{
    Result r;
    r.status = Run(args, r.out, r.err, "6.4.2");
    return r;
}

bool Has(const Strings &args, const std::string &word)
{
    return std::find(args.begin(), args.end(), word) != args.end();
}

// A table line split at runs of two or more blanks: no cell holds two in a row.
Strings SplitColumns(const std::string &line)
{
    Strings cells;
    std::size_t begin = 0;
    while (begin < line.size()) {
        std::size_t end = line.find("  ", begin);
        if (end == std::string::npos)
            end = line.size();
        cells.push_back(line.substr(begin, end - begin));
        begin = line.find_first_not_of(' ', end);
        if (begin == std::string::npos)
            break;
    }
    return cells;
}

// Fields between commas; the CSV here never quotes (no cell holds a comma).
Strings SplitCsv(const std::string &line)
{
    Strings fields;
    std::size_t begin = 0;
    for (std::size_t comma; (comma = line.find(',', begin)) != std::string::npos; begin = comma + 1)
        fields.push_back(line.substr(begin, comma - begin));
    fields.push_back(line.substr(begin));
    return fields;
}

// The printed rows under their headings, each cell as text whatever the
// format; a gap reads as "". Every row must have a cell for every heading.
struct Printed {
    Strings heading;
    std::vector<Strings> rows;

    std::string cell(std::size_t row, const std::string &column) const
    {
        const auto at = std::find(heading.begin(), heading.end(), column);
        if (at == heading.end() || row >= rows.size()) {
            ADD_FAILURE() << "no cell " << column << " in row " << row;
            return {};
        }
        return rows[row][at - heading.begin()];
    }
};

// A JSON number as the shortest text that reads back as it (nlohmann's dump
// may give more digits than were written).
std::string ShortestText(const nlohmann::json &value)
{
    if (!value.is_number_float())
        return value.dump();
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, value.get<double>()).ptr;
    return std::string(text, end);
}

Printed ParseRows(const Strings &args, const std::string &out)
{
    Printed printed;
    if (Has(args, "--json")) {
        for (const auto &object : nlohmann::json::parse(out)) {
            Strings keys;
            Strings cells;
            for (const auto &[key, value] : object.items()) {
                EXPECT_TRUE(value.is_number() || value.is_string() || value.is_boolean() || value.is_null());
                keys.push_back(key);
                cells.push_back(value.is_string()        ? value.get<std::string>()
                                    : value.is_boolean() ? (value.get<bool>() ? "yes" : "no")
                                    : value.is_null()    ? ""
                                                         : ShortestText(value));
            }
            if (printed.heading.empty())
                printed.heading = keys;
            EXPECT_EQ(keys, printed.heading);
            printed.rows.push_back(cells);
        }
        return printed;
    }
    const bool csv = Has(args, "--csv");
    // The table of `tune` follows its story; other tables start at once.
    const bool story = args.front() == "tune" && !csv;
    std::size_t begin = 0;
    while (begin < out.size()) {
        const std::size_t end = out.find('\n', begin);
        const std::string line = out.substr(begin, end - begin);
        begin = end == std::string::npos ? out.size() : end + 1;
        if (printed.heading.empty()) {
            if (!story || line.starts_with("wire  "))
                printed.heading = csv ? SplitCsv(line) : SplitColumns(line);
            continue;
        }
        if (line.empty() || line.find(" left out to fit ") != std::string::npos)
            break;
        Strings cells = csv ? SplitCsv(line) : SplitColumns(line);
        if (!csv && cells.size() + 1 == printed.heading.size() && printed.heading.back() == "error")
            cells.emplace_back(); // the table leaves a row without an error unpadded
        EXPECT_EQ(cells.size(), printed.heading.size()) << line;
        for (std::string &cell : cells)
            cell = !csv && cell == "-" ? "" : cell;
        printed.rows.push_back(std::move(cells));
    }
    return printed;
}

struct Expect {
    std::size_t row;
    std::string column; // the heading in the table, the key in CSV and JSON
    std::string text;
    double tolerance = 0; // 0: the text exactly; else a number within this relative error
};

struct GoodCase {
    Strings args;
    std::optional<std::size_t> rows; // data rows printed; unset for --help and --version
    std::vector<Expect> cells;
    Strings fragments = {};
    int status = kDone; // kCalculationFailed: some rows say why they failed, the rest are printed
};

// Expected values: the window's worked examples, sums by hand, and mpmath
// (Nagaoka's coefficient from ellipk/ellipe at 40 digits; the current-sheet
// turns from findroot; the real coil from scripts/real_coil_values.py).
// Current-sheet values, and the real coil's built on them, carry the core's accuracy, 1e-10.
constexpr double kSheet = 1e-10;
constexpr double kDerived = 1e-13; // several roundings of doubles from mpmath's exact decimals

const GoodCase kGood[] = {
    // The coil's losses (scripts/loss_values.py): 128 turns of # 20 on 2 in at 530 and 1700 kHz, each
    // --freq's values in turn; tune's Q in the tank and its bandwidth with a capacitor's Q of 2000.
    {{"solenoid", "2", "128", "--freq", "1700", "--freq", "530", "--json"},
     12,
     {{0, "frequency_kHz", "1700"},
      {0, "q", "320.065790670932", 1e-6},
      {0, "ac_resistance_ohm", "9.50327293989601", 1e-6},
      {1, "frequency_kHz", "530"},
      {1, "q", "200.355643090659", 1e-6}}},
    {{"tune", "2", "15", "365", "--csv"},
     6,
     {{0, "q_low", "202.257475962134", 1e-6},
      {0, "q_high", "354.345819916023", 1e-6},
      {0, "bandwidth_low_kHz", "2.88542229825524", 1e-6}}},
    {{"coil", "1", "20", "--csv"},
     6,
     {{0, "gauge", "# 20"},
      {0, "inches_per_turn", "0.0345"},
      {0, "length_in", "0.69"},
      {0, "wheeler_uH", "8.7719298245614"},
      {0, "current_sheet_uH", "8.76701017270412", kSheet},
      {0, "wheeler_diff_percent", "0.0561155030091839", 1e-9},
      {0, "wire_ft", "5"},
      {5, "gauge", "# 30"},
      {5, "length_in", "0.21"},
      {5, "wheeler_uH", "15.1515151515152"},
      {5, "current_sheet_uH", "15.7326483188296", kSheet}}},
    // The window's statements in doubles (Python) give 1.83908045977012 from the
    // length as written, 0.69, and 1.83908045977011 from 0.6900000000000001.
    {{"coil", "0.4", "20", "--csv"}, 6, {{0, "length_in", "0.69"}, {0, "wheeler_uH", "1.83908045977012"}}},
    // 45 coils x 6 gauges, diameter slowest.
    {{"coil", "1:3:0.5", "20:100:10", "--csv"},
     270,
     {{0, "diameter_in", "1"},
      {0, "turns", "20"},
      {128, "diameter_in", "2"},
      {128, "turns", "50"},
      {128, "gauge", "# 24"},
      {128, "length_in", "1.11"},
      {128, "wheeler_uH", "124.378109452736"},
      {128, "current_sheet_uH", "124.398738503377", kSheet},
      {128, "wire_ft", "26"},
      {269, "diameter_in", "3"},
      {269, "turns", "100"},
      {269, "wheeler_uH", "937.5"},
      {269, "current_sheet_uH", "946.471717143931", kSheet},
      {269, "wire_ft", "79"}}},
    // 0.1 + 2 x 0.1 is 0.30000000000000004: STOP is kept, and written as 0.3.
    {{"coil", "0.1:0.3:0.1", "1", "--json"},
     18,
     {{17, "diameter_in", "0.3"},
      {17, "wheeler_uH", "0.0154639175257732"},
      {17, "current_sheet_uH", "0.0202976580893595", kSheet},
      {17, "wire_ft", "0"}}},
    // A sweep's last row; the 100,000-coil sweep is timed in bench/cli_bench.cpp.
    {{"coil", "9.5:10:0.5", "99:100:1", "--csv"},
     24,
     {{23, "diameter_in", "10"},
      {23, "turns", "100"},
      {23, "gauge", "# 30"},
      {23, "wheeler_uH", "4504.5045045045"},
      {23, "current_sheet_uH", "5019.90661236214", kSheet},
      {23, "wire_ft", "262"}}},
    // 100,000 combinations: the most a command takes.
    {{"lc", "1:1000:1", "1:100:1", "--csv"}, 100000, {{99999, "frequency_MHz", "0.503306964852519"}}},
    {{"coil", "1", "0", "--json"},
     6,
     {{0, "length_in", "0"}, {0, "wheeler_uH", "0"}, {0, "current_sheet_uH", ""}, {0, "wheeler_diff_percent", ""}}},
    {{"loose", "2", "10", "1.1", "--csv"},
     1,
     {{0, "wheeler_uH", "5"},
      {0, "current_sheet_uH", "5.00118268658961", kSheet},
      {0, "length_over_diameter", "0.55"}}},
    {{"loose", "2", "10", "0.1", "--json"},
     1,
     {{0, "wheeler_uH", "10"}, {0, "current_sheet_uH", "12.3954973822038", kSheet}}},
    {{"loose", "0", "10", "1", "--csv"},
     1,
     {{0, "wheeler_uH", "0"}, {0, "current_sheet_uH", ""}, {0, "length_over_diameter", ""}}},
    {{"lc", "240", "100", "--csv"}, 1, {{0, "frequency_MHz", "1.02737103989798"}}},
    {{"lc", "100:300:100", "100", "--csv"},
     3,
     {{1, "frequency_MHz", "1.12542858695933"},
      {2, "inductance_uH", "300"},
      {2, "frequency_MHz", "0.918908593330616", kDerived}}},
    {{"tune", "2", "15", "365", "--csv"},
     6,
     {{0, "wire", "# 20"},
      {0, "turns", "128"},
      {0, "coil_diameter_in", "2.0345"},
      {0, "winding_length_in", "4.416"},
      {0, "inductance_uH", "315.26207293441202", kSheet},
      {0, "self_capacitance_pF", "2.6895806", kDerived},
      {0, "high_kHz", "1703.4872524039001", kSheet},
      {0, "low_kHz", "461.24277341995911", kSheet},
      {0, "covered", "yes"},
      {0, "wire_ft", "68.1767493731033", kDerived},
      {0, "note", ""},
      {5, "turns", "71"},
      {5, "winding_length_in", "0.7455"},
      {5, "inductance_uH", "308.57944206894509", kSheet},
      {5, "self_capacitance_pF", "2.8470606", kDerived},
      {5, "high_kHz", "1716.9583714283514", kSheet},
      {5, "low_kHz", "466.11322093152183", kSheet}}},
    {{"tune", "1.5", "12", "450", "--band", "531-1602", "--csv"},
     6,
     {{2, "wire", "# 24"},
      {2, "turns", "183"},
      {2, "inductance_uH", "406.322766556781", kSheet},
      {2, "high_kHz", "1604.044258260984", kSheet},
      {2, "low_kHz", "367.25529965427096", kSheet},
      {2, "needed_ratio", "9.10198218902614", kDerived}}}, // (1602 / 531)^2
    {{"tune", "2", "15", "200", "--json"},
     6,
     {{0, "capacitor_covers", "no"},
      {0, "capacitor_lowest_kHz", "586.555725441001", kDerived},
      {0, "cmax_to_cover_pF", "247.208971164115", kDerived},
      {0, "capacitor_ratio", "8.4", kDerived},
      {0, "needed_inductance_uH", "350.613011583467", kDerived},
      {0, "stray_pF", "10"}}},
    // The custom wire's bare diameter, 0.92 of 0.05 in, when --bare is not given.
    {{"tune", "2", "15", "365", "--wire", "0.05", "--json"},
     7,
     {{6, "wire", "custom"},
      {6, "turns", "163"},
      {6, "inductance_uH", "303.8556850732135", kSheet},
      {6, "self_capacitance_pF", "3.73634", kDerived},
      {6, "high_kHz", "1703.2701302720357", kSheet}}},
    // 2 in, and the custom wire above: 0.05 in over the enamel, 0.046 in bare.
    {{"tune", "50.8", "15", "365", "--mm", "--wire", "1.27", "--bare", "1.1684", "--csv"},
     7,
     {{0, "diameter_mm", "50.8"},
      {0, "turns", "128"},
      {0, "coil_diameter_mm", "51.6763", kDerived},
      {0, "winding_length_mm", "112.1664", kDerived},
      {0, "wire_m", "20.780273208921886", kDerived},
      {6, "turns", "163"},
      {6, "inductance_uH", "303.8556850732135", kSheet}}},
    // CMIN + stray so large that one turn tunes below the band: an answer without a coil.
    {{"tune", "2", "1e6", "2e6", "--json"},
     6,
     {{0, "wire", "# 20"}, {0, "turns", ""}, {0, "covered", ""}, {5, "inductance_uH", ""}},
     {"CMIN + stray is too large"}},
    {{"wind", "250", "2", "--csv"},
     6,
     {{0, "wanted_uH", "250"},
      {0, "turns", "105"},
      {0, "inductance_uH", "248.926098921231", kSheet},
      {3, "wire", "# 26"},
      {3, "turns", "75"},
      {3, "inductance_uH", "251.84027038161451", kSheet},
      {5, "turns", "62"},
      {5, "inductance_uH", "250.67285297090289", kSheet}}},
    // The coil forward, every field from scripts/real_coil_values.py's forward() (awg24: bare by the
    // gauge's definition, heavy-build enamel); 40.5 turns interpolates Rosa's km between 40 and 41.
    {{"solenoid", "1.5", "40", "--wire", "awg24", "--pitch", "0.05", "--json"},
     1,
     {{0, "wire", "awg24"},
      {0, "pitch_in", "0.05"},
      {0, "coil_diameter_in", "1.52200075697097", kDerived},
      {0, "inductance_uH", "34.4037015734761", kSheet},
      {0, "wheeler_uH", "34.5113190111282", kDerived},
      {0, "current_sheet_uH", "34.6075658821031", kSheet},
      {0, "self_capacitance_pF", "1.80258804599075", kDerived},
      {0, "self_resonance_kHz", "20210.1390883573", kSheet},
      {0, "wire_ft", "15.9392260453382", kDerived},
      {0, "dc_resistance_ohm", "0.409131109967848", 1e-12},
      {0, "note", ""}}},
    {{"solenoid", "38.1", "40.5", "--wire", "awg24", "--length", "51.435", "--mm", "--csv"},
     1,
     {{0, "turns", "40.5"},
      {0, "pitch_mm", "1.27", kDerived},
      {0, "inductance_uH", "34.9470420079141", kSheet},
      {0, "self_capacitance_pF", "1.80385804599075", 1e-12},
      {0, "dc_resistance_ohm", "0.414245248842446", 1e-12},
      {0, "coil_diameter_mm", "38.6588192270626", kDerived}}},
    {{"solenoid", "1.5", "1", "--wire", "awg24", "--json"},
     1,
     {{0, "inductance_uH", "0.107036994596835", kSheet},
      {0, "self_capacitance_pF", "3.71124664579801", kDerived},
      {0, "note", "outside Medhurst's measurements, l/D 0.014"}}},
    // Without --wire, the six gauges: those thicker than the pitch have no coil and say so.
    {{"solenoid", "2", "10", "--pitch", "0.02", "--json"},
     6,
     {{0, "turns", "10"},
      {0, "inductance_uH", ""},
      {0, "note", "the wire is thicker than the pitch (0.0345 in > 0.02 in)"},
      {3, "wire", "# 26"},
      {3, "inductance_uH", "10.0412624928503", kSheet},
      {3, "dc_resistance_ohm", "0.21561543097061", 1e-12}}},
    {{"solenoid", "0.3", "10", "--wire", "#20", "--json"},
     1,
     {{0, "wire", "#20"},
      {0, "note",
       "the wire is thicker than a tenth of the form's diameter, where the round-wire "
       "corrections are rough"}}},
    {{"wind", "250", "2", "--pitch", "0.03", "--csv"},
     6,
     {{0, "turns", ""},
      {0, "note", "the wire is thicker than the pitch (0.0345 in > 0.03 in)"},
      {1, "turns", "97"},
      {1, "inductance_uH", "251.029685510476", kSheet}}},
    // In a sweep of forms, a given wire too thick for one of them is that row's error.
    {{"wind", "250", "1:3:1", "--wire", "2", "--json"},
     21,
     {{6, "wire", "custom"},
      {6, "error",
       "--wire \"2\": the wire's outside diameter, 2 in, is not below the form's "
       "diameter, 1 in; for AWG 2 write --wire awg2"},
      {20, "error", ""}},
     {},
     kCalculationFailed},
    {{"--version"}, {}, {}, {"spirelle 1.0\n", "Qt 6.4.2"}},
    {{"--help"},
     {},
     {},
     {"coil DIAMETER TURNS", "loose DIAMETER TURNS LENGTH", "lc INDUCTANCE CAPACITANCE", "one command's arguments",
      "tune DIAMETER CMIN CMAX [--stray PF] [--band LOW-HIGH] [--wire WIRE [--bare BARE] [--od D]] [--pitch P] [--mm]",
      "wind INDUCTANCE DIAMETER [--wire WIRE [--bare BARE] [--od D]] [--pitch P] [--mm]", "START:STOP:STEP",
      "solenoid DIAMETER TURNS [--wire WIRE [--bare BARE] [--od D]] [--pitch P] [--length L] [--mm]"}},
    {{"tune", "--help"}, {}, {}, {"Usage: spirelle tune", "--band", "530-1700"}},
    {{"--help", "coil"}, {}, {}, {"Usage: spirelle coil", "TURNS"}},
    // The same 15 digits as the table and CSV.
    {{"lc", "170", "310", "--json"}, 1, {{0, "frequency_MHz", "0.693310268771339"}}},
    {{"tune", "2", "15", "365", "--band", "1e300-1e301", "--csv"},
     1,
     {{0, "band_high_kHz", "1E+301"},
      {0, "error",
       "Division by zero. In the inductance for the band: these values take a number beyond a double's "
       "range (1E-308 to 1E+308)."}},
     {},
     kCalculationFailed},
    // A failed combination is a row that says why; the others are all printed.
    {{"lc", "1:1000:1", "0:10:10", "--csv"},
     2000,
     {{0, "frequency_MHz", ""},
      {0, "error", "Division by zero. In the frequency: CAPACITANCE is 0."},
      {1, "frequency_MHz", "50.3306964852519"},
      {1, "error", ""},
      {1999, "inductance_uH", "1000"},
      {1999, "frequency_MHz", "1.59159637116027"}},
     {},
     kCalculationFailed},
    {{"lc", "0:1e-30:1e-30", "1e-300", "--json"},
     2,
     {{0, "inductance_uH", "0"},
      {0, "frequency_MHz", ""},
      {0, "error", "Division by zero. In the frequency: INDUCTANCE is 0."},
      {1, "error",
       "Division by zero. In the frequency: these values take a number beyond a double's range "
       "(1E-308 to 1E+308)."}},
     {},
     kCalculationFailed},
    {{"coil", "0", "0:1:1"},
     12,
     {{0, "in/turn", "0.0345"},
      {0, "Wheeler uH", ""},
      {0, "error",
       "Invalid operation: the result is undefined (zero divided by zero). In the Wheeler inductance: "
       "DIAMETER and TURNS are 0."},
      {6, "Wheeler uH", "0"},
      {6, "error", ""}},
     {},
     kCalculationFailed},
    {{"tune", "0", "15", "365", "--csv"},
     6,
     {{0, "diameter_in", "0"},
      {0, "needed_inductance_uH", "350.613011583467", kDerived},
      {0, "wire", "# 20"},
      {0, "turns", ""},
      {0, "error", "Out of range: form diameter must be a number above 0 (it is 0)."}},
     {},
     kCalculationFailed},
    // The same sum as scripts/flat_coil_values.py prints for # 24 (OD .0222) on a 2 in hub.
    {{"tune", "2", "15", "365", "--kind", "spider", "--csv"},
     6,
     {{2, "turns", "60"}, {2, "inductance_uH", "349.49099161339", 1e-12}, {2, "self_capacitance_pF", ""}},
     {},
     kDone},
};

void CheckPrinted(const GoodCase &c)
{
    const std::string line = ::testing::PrintToString(c.args);
    const Result r = RunArgs(c.args);
    ASSERT_EQ(r.status, c.status) << line << "\n" << r.err;
    EXPECT_EQ(r.err.empty(), c.status == kDone) << line << r.err;
    for (const std::string &fragment : c.fragments)
        EXPECT_NE(r.out.find(fragment), std::string::npos) << line << " lacks " << fragment << "\n" << r.out;
    if (!c.rows)
        return;
    // A value written as a word ("self_resonance_kHz" holds "nan", not as a word).
    EXPECT_FALSE(std::regex_search(r.out, std::regex(R"(\b(inf|nan|INF|NAN)\b)"))) << line << " prints inf or nan";
    const Printed printed = ParseRows(c.args, r.out);
    ASSERT_EQ(printed.rows.size(), *c.rows) << line;
    for (const Expect &e : c.cells) {
        const std::string got = printed.cell(e.row, e.column);
        if (e.tolerance == 0) {
            EXPECT_EQ(got, e.text) << line << " row " << e.row << " " << e.column;
        } else {
            const double expected = std::strtod(e.text.c_str(), nullptr);
            EXPECT_NEAR(std::strtod(got.c_str(), nullptr) / expected, 1.0, e.tolerance)
                << line << " row " << e.row << " " << e.column << ": " << got;
        }
    }
}

TEST(CommandLine, PrintsTheExpectedRows)
{
    for (const GoodCase &c : kGood)
        CheckPrinted(c);
}

// The table rounded for reading, from the values above rounded by hand: lengths
// to 3 decimals, a wire's pitch to 4, turns whole (2 decimals when not), the
// rest to 4 significant digits or --digits; the story above tune's table alike.
const GoodCase kRounded[] = {
    {{"coil", "1", "20.5"},
     6,
     {{0, "turns", "20.50"}, {0, "in/turn", "0.0345"}, {5, "in/turn", "0.0105"}, {5, "wire ft", "5"}}},
    {{"coil", "1", "20"},
     6,
     {{0, "turns", "20"},
      {0, "length in", "0.690"},
      {0, "Wheeler uH", "8.772"},
      {0, "current sheet uH", "8.767"},
      {0, "Wheeler diff %", "0.05612"},
      {5, "Wheeler uH", "15.15"}}},
    {{"loose", "2", "10", "1.1"}, 1, {{0, "Wheeler uH", "5.000"}, {0, "length/diameter", "0.5500"}}},
    {{"lc", "240", "100"}, 1, {{0, "inductance uH", "240"}, {0, "frequency MHz", "1.027"}}},
    {{"lc", "240", "100", "--digits", "7"}, 1, {{0, "frequency MHz", "1.027371"}}},
    {{"tune", "2", "15", "365"},
     6,
     {{0, "turns", "128"},
      {0, "length in", "4.416"},
      {0, "L uH", "315.3"},
      {0, "C self pF", "2.690"},
      {0, "high kHz", "1703"},
      {0, "low kHz", "461.2"},
      {0, "wire ft", "68.177"},
      {5, "length in", "0.746"}},
     {"530-1700 kHz needs a tuning ratio of 10.29 ", "10 pF stray = 25-375 pF gives a ratio of 15\n",
      "350.6 uH tunes 1700 kHz", "438.9 kHz at 375 pF"}},
    {{"tune", "2", "15", "200", "--digits", "6"},
     6,
     {{0, "L uH", "315.262"}},
     {"350.613 uH", "short by 56.5557 kHz", "CMAX of 247.209 pF"}},
    {{"tune", "50.8", "15", "365", "--mm"}, 6, {{0, "coil dia mm", "51.676"}, {0, "wire m", "20.780"}}},
};

TEST(CommandLine, RoundsTheTableForReading)
{
    for (const GoodCase &c : kRounded)
        CheckPrinted(c);
}

// Each command at its default options fits 100 columns, leaving out the
// columns of the lowest priority and saying so; --wide shows them.
TEST(CommandLine, FitsTheTableToAHundredColumns)
{
    const std::pair<Strings, std::string> rows[] = {
        {{"tune", "2", "15", "365", "--wire", "0.05"}, "Wheeler uH"},
        {{"tune", "2", "15", "365", "--band", "148.5-283.5"}, "Wheeler uH"},
        {{"wind", "250", "50.8", "--mm", "--wire", "0.8"}, ""},
        {{"coil", "10", "5000"}, ""},
        {{"coil", "1:3:0.5", "20:100:10"}, ""},
        {{"loose", "1:2:0.5", "10:30:10", "1:2:1"}, ""},
        {{"lc", "100:300:100", "100"}, ""},
    };
    for (const auto &[args, leftOut] : rows) {
        const std::string text = RunArgs(args).out;
        for (std::size_t begin = 0, end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1)
            EXPECT_LE(end - begin, 100u) << ::testing::PrintToString(args) << text.substr(begin, end - begin);
        EXPECT_EQ(text.find("  note"), text.find("  error")) << "a column with nothing in it is shown\n" << text;
        const std::string footer = leftOut + " left out to fit 100 columns; --wide shows it\n";
        EXPECT_EQ(text.ends_with(footer), !leftOut.empty()) << text;
        Strings wide = args;
        wide.push_back("--wide");
        const std::string all = RunArgs(wide).out;
        EXPECT_EQ(all.find(" left out "), std::string::npos) << all;
        EXPECT_TRUE(leftOut.empty() || all.find("  " + leftOut + "  ") != std::string::npos) << all;
    }
    // The error column, empty in the first 1000 rows, is not shown; an error further down follows its title.
    const std::string late = RunArgs({"lc", "1:1001:1", "1.7969e305"}).out;
    EXPECT_TRUE(late.starts_with("inductance uH  capacitance pF  frequency MHz\n")) << late.substr(0, 100);
    EXPECT_NE(late.find("\n1001           1.797E+305      -  error: Overflow"), std::string::npos);
}

// CSV and JSON keep their 15 digits and every column whatever --digits and --wide say.
TEST(CommandLine, WritesCsvAndJsonWhateverTheTableOptions)
{
    for (const char *format : {"--csv", "--json"}) {
        for (Strings args : {Strings{"coil", "1", "20"}, Strings{"tune", "2", "15", "200"},
                             Strings{"wind", "250", "50.8", "--mm"}, Strings{"lc", "0:200:100", "100"}}) {
            args.push_back(format);
            const Result plain = RunArgs(args);
            args.insert(args.end(), {"--digits", "2", "--wide"});
            EXPECT_EQ(RunArgs(args).out, plain.out) << ::testing::PrintToString(args);
        }
    }
}

struct BadCase {
    Strings args;
    int status;
    std::string message;
};

const BadCase kBad[] = {
    {{"coil", "abc", "20"}, kUsageError, "coil: DIAMETER: \"abc\" is not a number"},
    {{"coil", "1"}, kUsageError, "TURNS is missing"},
    {{"coil", "1", "20", "5"}, kUsageError, "\"5\" is one argument too many"},
    {{"coil", "1", "20", "--stray", "5"}, kUsageError, "\"--stray\" is not an option of coil"},
    {{"tune", "2", "15", "365", "--stray", "5", "--stray", "6"}, kUsageError, "--stray is given twice"},
    {{"tune", "2", "15", "365", "--stray"}, kUsageError, "--stray needs a value: --stray PF"},
    {{"coil", "-.5", "20"}, kUsageError, "DIAMETER: \"-.5\" is negative"},
    {{"coil", "-1", "20"}, kUsageError, "DIAMETER: \"-1\" is negative"},
    {{"loose", "1", "20", "-.5"}, kUsageError, "LENGTH: \"-.5\" is negative"},
    {{"lc", "240", "100", "--csv", "--json"}, kUsageError, "--csv and --json cannot both be given"},
    {{"lc", "240", "1,5"}, kUsageError, "CAPACITANCE: \"1,5\" is not a number; write 1.5: '.' is the decimal point"},
    {{"coil", "1e-400", "20"},
     kUsageError,
     "DIAMETER: \"1e-400\" is too small; the smallest besides 0 is 2.2250738585072E-308"},
    {{"lc", "1e-320", "1e-320"}, kUsageError, "INDUCTANCE: \"1e-320\" is too small"},
    {{"coil", "1:2", "20"}, kUsageError, "\"1:2\" is not a number or a range START:STOP:STEP"},
    {{"coil", "1:x:1", "20"}, kUsageError, "DIAMETER: \"x\" in \"1:x:1\" is not a number"},
    {{"coil", "3:1:1", "20"}, kUsageError, "STOP below its START"},
    {{"coil", "1:2:0", "20"}, kUsageError, "STEP above 0"},
    {{"coil", "1:2:-0.5", "20"}, kUsageError, "DIAMETER: the range \"1:2:-0.5\" needs a STEP above 0"},
    {{"coil", "0:1e6:1", "20"}, kUsageError, "more than 100000 values"},
    {{"coil", "0:1000:1", "0:1000:1"}, kUsageError, "more than 100000 combinations"},
    {{"coil", "1e999", "20"}, kUsageError, "\"1e999\" is too large"},
    {{"tune", "2", "400", "365"}, kUsageError, "CMIN 400 is not below CMAX 365"},
    {{"tune", "2", "100:400:100", "365"}, kUsageError, "CMIN 400 is not below CMAX 365"},
    {{"tune", "2", "15", "365", "--band", "1700-530"}, kUsageError, "LOW 1700 is not below its HIGH 530"},
    {{"tune", "2", "15", "365", "--band", "530"}, kUsageError, "not a band LOW-HIGH"},
    {{"tune", "2", "15", "365", "--band", "0-1700"}, kUsageError, "--band: the band's LOW 0 is not above 0 kHz"},
    {{"tune", "2", "15", "365", "--stray", "-3"}, kUsageError, "--stray: \"-3\" is negative"},
    {{"tune", "2", "15", "365", "--bare", "0.03"}, kUsageError, "--bare needs --wire"},
    {{"wind", "250", "2", "--wire", "0.03", "--bare", "0.04"}, kUsageError, "--bare 0.04 is above --wire 0.03"},
    {{"wind", "250", "2", "--wire", "0.03:0.05:0.01"}, kUsageError, "--wire: \"0.03:0.05:0.01\" is a range"},
    {{"wind", "250", "2", "--wire", "litz0x46"}, kUsageError, "--wire: \u201Clitz0x46\u201D is not a Litz wire"},
    {{"tune", "2", "15", "365", "--wire", "litz660x52"}, kUsageError, "--wire: \u201Clitz660x52\u201D is not a Litz"},
    {{"solenoid", "2", "9", "--wire", "litz660x46", "--od", "0.04"}, kUsageError, "--od 0.04: \u201Clitz660x46\u201D"},
    {{"solenoid", "2", "9", "--wire", "awg22", "--od", "0.04"}, kUsageError, "--od goes only with a Litz --wire"},
    {{"solenoid", "2", "9", "--wire", "litz9x30", "--bare", "0.02"}, kUsageError, "--bare goes not with a Litz"},
    {{"coil", "1", "20", "--mm"}, kUsageError, "\"--mm\" is not an option of coil"},
    {{"lc", "240", "100", "--digits", "16"}, kUsageError, "--digits: \"16\" is not a whole number from 1 to 15"},
    {{"wind", "250", "2", "--wire", "22"},
     kUsageError,
     "--wire \"22\": the wire's outside diameter, 22 in, is not below the form's diameter, 2 in; for AWG 22 write "
     "--wire awg22"},
    {{"solenoid", "2", "10", "--wire", "awg20", "--pitch", "0.03"},
     kUsageError,
     "--pitch 0.03 is below the outside diameter of --wire awg20, 0.0342615 in"},
    {{"tune", "2", "15", "365", "--wire", "awg47"}, kUsageError, "--wire: “awg47” is not a wire gauge"},
    {{"solenoid", "2", "10", "--wire", "swg"}, kUsageError, "--wire: “swg” is not a wire"},
    {{"solenoid", "2", "10", "--length", "0"}, kUsageError, "--length: \"0\" is not above 0"},
    {{"solenoid", "2", "10", "--pitch", "0.05", "--length", "1"}, kUsageError, "--pitch and --length cannot both"},
    // Two faults: the positionals are read first, then the checks of single values, then the ranges.
    {{"tune", "x", "15", "365", "--wire", "0"}, kUsageError, "DIAMETER: \"x\" is not a number"},
    {{"tune", "2", "400", "365", "--stray", "x"}, kUsageError, "CMIN 400 is not below CMAX 365"},
    {{"tune", "2", "15", "365", "--band", "x", "--wire", "0"}, kUsageError, "--wire: “0” is not a wire"},
    {{"tune", "2", "15", "365", "--band", "x", "--stray", "y"}, kUsageError, "--stray: \"y\" is not a number"},
    {{"spider", "2", "20", "--spokes", "8"},
     kUsageError,
     "--spokes: \"8\" is not an odd whole number of spokes, 5 or more"},
    {{"spider", "2", "20", "--spokes", "3"}, kUsageError, "--spokes: \"3\" is not an odd whole number"},
    {{"spider", "0.1", "20"}, kUsageError, "HUB 0.1 with the wire # 20: hub diameter is too small for 9 spokes"},
    {{"spiral", "1", "20", "--wire", "awg20", "--pitch", "0.01"},
     kUsageError,
     "--pitch 0.01 is below the outside diameter"},
    {{"spiral", "1", "20.5"}, kUsageError, "TURNS 20.5 is not a whole number of turns"},
    {{"tune", "2", "15", "365", "--kind", "cone"}, kUsageError, "--kind: \"cone\" is not a coil kind"},
    {{"wind", "250", "2", "--kind", "spiral", "--spokes", "9"}, kUsageError, "--spokes 9 goes only with --kind spider"},
    {{"tune", "2", "15", "365", "--svg", "x.svg"}, kUsageError, "--svg draws one design: name its row with --row WIRE"},
    {{"tune", "2:3:1", "15", "365", "--svg", "x.svg", "--row", "#20"}, kUsageError, "DIAMETER has 2 values; give one"},
    {{"tune", "2", "15", "365", "--svg", "x.svg", "--row", "awg99"}, kUsageError, "--row awg99 is none of the rows"},
    {{"tune", "2", "15", "365", "--row", "#20"}, kUsageError, "--row needs --svg"},
    {{"spider", "1", "20", "--svg", "x.svg"}, kUsageError, "--svg draws one design: name its wire with --wire"},
    {{"solenoid", "2", "10:20:10", "--wire", "awg20", "--svg", "x.svg"}, kUsageError, "TURNS has 2 values"},
    {{"tune", "2", "15", "365", "--cap-q", "0"}, kUsageError, "--cap-q: \"0\" is not one number above 0"},
    {{"solenoid", "2", "128", "--freq", "0"}, kUsageError, "--freq: 0 is not above 0"},
    {{"wind", "250", "2", "--freq", "1000", "--freq", "-1"}, kUsageError, "--freq: \"-1\" is negative"},
    {{"taps", "2", "128", "15", "365"}, kUsageError, "--wire is missing"},
    {{"taps", "2", "128", "15", "365", "--wire", "awg20", "--antenna-tap", "0", "--detector-tap", "5"},
     kUsageError,
     "--antenna-tap 0 is not a whole number of turns from 1 to 128"},
    {{"taps", "2", "128", "15", "365", "--wire", "awg20", "--antenna-tap", "3", "--detector-tap", "129"},
     kUsageError,
     "--detector-tap 129 is not a whole number of turns from 1 to 128"},
    {{"taps", "2", "128", "15", "365", "--wire", "awg20", "--antenna-tap", "3"},
     kUsageError,
     "--detector-tap is missing"},
    {{"taps", "2", "128", "15", "365", "--wire", "awg20", "--detector-ohm", "0"},
     kUsageError,
     "--detector-ohm must be above 0"},
    {{"taps", "2", "128", "15", "365", "--wire", "awg20", "--bandwidth", "0"},
     kUsageError,
     "--bandwidth must be above 0"},
    {{"frob"},
     kUsageError,
     "\"frob\" is no command; the first argument is one of coil, loose, lc, tune, wind, solenoid, taps, spiral, "
     "spider"},
    {{"--xyz"}, kUsageError, "\"--xyz\" is not an option of spirelle"},
    {{"-v"}, kUsageError, "\"-v\" is not an option of spirelle"},
    {{"--csv", "coil", "1", "20"}, kUsageError, "--csv goes after the command and its arguments"},
    {{"coil", "0", "0"}, kCalculationFailed, "coil: 6 of 6 rows failed (the first: Invalid operation: the result"},
    {{"loose", "0", "10", "0"}, kCalculationFailed, "Invalid operation"},
    {{"coil", "1e200", "1e200"}, kCalculationFailed, "Overflow: a number is too large to compute with."},
    {{"lc", "0", "100"},
     kCalculationFailed,
     "lc: 1 of 1 row failed (Division by zero. In the frequency: INDUCTANCE is 0.)"},
    {{"tune", "2", "0", "365", "--stray", "0"},
     kCalculationFailed,
     "Division by zero. In the inductance for the band: CMIN and --stray are 0."},
    {{"tune", "0", "15", "365"},
     kCalculationFailed,
     "tune: 6 of 6 rows failed (the first: Out of range: form diameter must be a number above 0"},
    {{"wind", "250", "0"}, kCalculationFailed, "wind: 6 of 6 rows failed (the first: Out of range: form diameter"},
};

TEST(CommandLine, RejectsBadCommandLines)
{
    for (const BadCase &c : kBad) {
        const std::string line = ::testing::PrintToString(c.args);
        const Result r = RunArgs(c.args);
        EXPECT_EQ(r.status, c.status) << line << "\n" << r.err;
        EXPECT_TRUE(c.status != kUsageError || r.out.empty()) << line << r.out;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << line << " says\n" << r.err;
        if (c.status == kUsageError) {
            const bool command = c.args.front() != "frob" && !c.args.front().starts_with('-');
            const std::string usage = command ? "Usage: spirelle " + c.args.front() + " "
                                              : "Usage: spirelle [Qt options]";
            EXPECT_NE(r.err.find(usage), std::string::npos) << line << r.err;
        }
    }
}

// --svg writes its one drawing whole, or leaves the file as it was and nothing beside it.
TEST(CommandLine, WritesTheDrawingWholeOrNotAtAll)
{
    namespace fs = std::filesystem;
    const fs::path folder = fs::temp_directory_path() / ("spirelle-svg-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string old = (folder / "old.svg").string();
    std::ofstream(old) << "kept";
    struct Case {
        Strings args;
        int status;
        std::string file;  // the file --svg names
        std::string holds; // what it then holds, in part
    };
    const Case cases[] = {
        {{"spider", "1", "20", "--wire", "awg24"}, kDone, "form.svg", "class=\"spoke\""},
        {{"solenoid", "2", "100", "--wire", "awg20"}, kDone, "card.svg", "class=\"winding\""},
        {{"tune", "2", "15", "365", "--row", "# 22"}, kDone, "tuned.svg", "Winding card: 114 turns of # 22"},
        {{"taps", "2", "60", "15", "365", "--wire", "awg24", "--antenna-tap", "12", "--detector-tap", "30"},
         kDone,
         "taps.svg",
         "detector tap, turn 30"},
        {{"tune", "2", "15", "365", "--pitch", "0.03", "--row", "#20"}, kCalculationFailed, old, "kept"},
        {{"spiral", "1", "20", "--wire", "awg24"}, kCalculationFailed, (folder / "no" / "x.svg").string(), ""},
    };
    for (const Case &c : cases) {
        const std::string path = c.file.starts_with('/') ? c.file : (folder / c.file).string();
        Strings args = c.args;
        args.insert(args.end(), {"--svg", path});
        const Result r = RunArgs(args);
        EXPECT_EQ(r.status, c.status) << r.err;
        std::stringstream text;
        text << std::ifstream(path).rdbuf();
        EXPECT_NE(text.str().find(c.holds), std::string::npos) << path;
        if (c.status != kDone) {
            EXPECT_NE(r.err.find("--svg " + path + ": "), std::string::npos) << r.err;
        }
    }
    // The drawings and the old file, no temporary beside them.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 5);
    fs::remove_all(folder);
}

TEST(CommandLine, TakesOnlyItsOwnFirstWords)
{
    const std::pair<Strings, bool> rows[] = {
        {{"spirelle"}, false},
        {{"spirelle", "coil"}, true},
        {{"spirelle", "loose"}, true},
        {{"spirelle", "lc"}, true},
        {{"spirelle", "tune", "x"}, true},
        {{"spirelle", "--help"}, true},
        {{"spirelle", "-h"}, true},
        {{"spirelle", "--version"}, true},
        {{"spirelle", "Coil"}, true},
        {{"spirelle", "-style", "fusion"}, false},
        {{"spirelle", "-platform", "offscreen"}, false},
        {{"spirelle", "frob"}, true}, // no command: a usage error rather than a window
        {{"spirelle", "--xyz"}, true},
        {{"spirelle", "-v"}, true},
        {{"spirelle", "--csv", "coil"}, true},
        {{"spirelle", "-reverse"}, false},
        {{"spirelle", "--style", "fusion", "-stylesheet=a.qss"}, false},
        {{"spirelle", "-qwindowgeometry", "200x100", "-reverse=1"}, true},
    };
    for (const auto &[args, expected] : rows) {
        std::vector<const char *> argv;
        for (const std::string &a : args)
            argv.push_back(a.c_str());
        EXPECT_EQ(IsCommandLine(int(argv.size()), argv.data()), expected) << ::testing::PrintToString(args);
    }
}

} // namespace
} // namespace spirelle::cli
