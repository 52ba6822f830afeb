#pragma once

#include "pages/field_access.h"
#include "calc/number_parse.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The design window without the window: it reads the inputs by control name
// (in the locale's notation, as the pages do), designs the coil of each wire
// for the band (calc/winding.h) and returns everything the window shows as
// plain strings, so that the window and the web page only draw it.
namespace spirelle::design {

// The controls, by name (each widget's objectName), written only here. Units
// holds "inch" or "mm"; lengths read and written follow it.
namespace control {
// The window and the parts that show the design.
inline constexpr std::string_view kWindow = "frmDesign";
inline constexpr std::string_view kFormGroup = "designFormGroup";
inline constexpr std::string_view kCapacitorGroup = "designCapacitorGroup";
inline constexpr std::string_view kBandGroup = "designBandGroup";
inline constexpr std::string_view kCapacitors = "designCapacitor"; // the capacitor presets
inline constexpr std::string_view kBands = "designBand";           // the band presets
inline constexpr std::string_view kMessage = "designMessage";      // what is wrong with an input
inline constexpr std::string_view kVerdict = "designVerdict";
inline constexpr std::string_view kTable = "designTable";
inline constexpr std::string_view kCopy = "designCopy";
// The inputs.
inline constexpr std::string_view kDiameter = "designDiameter";
inline constexpr std::string_view kUnits = "designUnits";
inline constexpr std::string_view kCmin = "designCmin";
inline constexpr std::string_view kCmax = "designCmax";
inline constexpr std::string_view kStray = "designStray";
inline constexpr std::string_view kBandLow = "designBandLow";
inline constexpr std::string_view kBandHigh = "designBandHigh";
inline constexpr std::string_view kWireOd = "designWireOd";
inline constexpr std::string_view kWireBare = "designWireBare";
} // namespace control

inline constexpr std::string_view kInch = "inch";
inline constexpr std::string_view kMillimetre = "mm";

// A preset of a list: a variable capacitor (pF) or a band (kHz).
struct Preset {
    std::string_view label;
    double low = 0;
    double high = 0;
};

inline constexpr Preset kCapacitors[] = {
    {"10–365 pF", 10, 365}, {"12–450 pF", 12, 450}, {"15–365 pF", 15, 365},
    {"20–500 pF", 20, 500}, {"8–360 pF", 8, 360},   {"5–140 pF", 5, 140},
};
inline constexpr Preset kBands[] = {
    {"MW Americas, 530–1700 kHz", 530, 1700},
    {"MW Europe/Africa/Asia, 531–1602 kHz", 531, 1602},
    {"MW Europe/Africa/Asia expanded, 531–1701 kHz", 531, 1701},
    {"LW, 148.5–283.5 kHz", 148.5, 283.5},
    {"49 m, 5900–6200 kHz", 5900, 6200},
    {"41 m, 7200–7450 kHz", 7200, 7450},
};
// The last entry of either list: what the two fields hold when no preset does.
inline constexpr std::string_view kCustom = "Custom";

// Every input's text when the window opens (MW Americas, 15-365 pF, 10 pF
// stray, inches, the diameter and the custom wire empty), in the locale's notation.
std::vector<std::pair<std::string_view, std::string>> InitialTexts(const Separators &separators);

// The texts of a preset's two numbers, in the locale's notation: 148.5 with "," -> "148,5".
std::pair<std::string, std::string> PresetTexts(const Preset &preset, const Separators &separators);

// The index of the preset whose numbers the two texts are, or -1 (custom).
int MatchingPreset(std::span<const Preset> presets, std::string_view lowText, std::string_view highText,
                   const Separators &separators);

// A length text in the other unit, for when the unit changes: ("2", to mm) ->
// "50.8", ("50.8", to inches) -> "2"; a text that is not a number stays as it is.
std::string ConvertLength(std::string_view text, bool toMillimetres, const Separators &separators);

// A cell of the table: what it shows, rounded for reading (turns whole,
// lengths to 3 decimals, uH, pF and kHz to 4 significant digits), and its whole
// value with the unit, for the tool tip. The columns are pages/coil_columns.h's.
struct Cell {
    std::string text;
    std::string whole;
};

// What the window shows for the inputs as they are.
struct View {
    bool good = false;                // the inputs are good, and the verdict and rows are theirs
    std::string badField;             // the control to mark when not good
    std::string message;              // which field is wrong and what to type there; "" when good
    std::vector<std::string> verdict; // the capacitor and the band alone, in plain words
    std::vector<std::string> headers; // always there
    std::vector<std::vector<Cell>> rows; // the six gauges, then "custom" when a custom wire is given
};

// Reads the inputs and designs. Never throws a CalcError: a bad input is a
// View that is not good, and a wire that cannot be designed is a row that
// says why. A control missing from `fields` is a ControlError.
//   2 in, 15-365 pF, 10 pF stray, 530-1700 kHz -> # 20: 128 turns, 315.3 uH, 1706-461.3 kHz, covered
View Design(const FieldAccess &fields, const Separators &separators);

// The table as tab-separated lines, the headers first, each line ended by
// "\n": pastes into a spreadsheet. Empty when the view has no rows.
std::string CopyText(const View &view);

} // namespace spirelle::design
