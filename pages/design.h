#pragma once

#include "pages/field_access.h"
#include "calc/band.h"
#include "calc/losses.h"
#include "calc/number_parse.h"
#include "calc/real_coil.h"
#include "forms/drawings.h"

#include <span>
#include <string>
#include <string_view>
#include <optional>
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
inline constexpr std::string_view kPrint = "designPrint"; // the selected row's form or card, for printing
// The inputs.
inline constexpr std::string_view kCoilKind = "designCoilKind";
inline constexpr std::string_view kDiameter = "designDiameter";
inline constexpr std::string_view kSpokes = "designSpokes";
inline constexpr std::string_view kUnits = "designUnits";
inline constexpr std::string_view kCmin = "designCmin";
inline constexpr std::string_view kCmax = "designCmax";
inline constexpr std::string_view kStray = "designStray";
inline constexpr std::string_view kCapacitorQ = "designCapacitorQ";
inline constexpr std::string_view kBandLow = "designBandLow";
inline constexpr std::string_view kBandHigh = "designBandHigh";
inline constexpr std::string_view kWireOd = "designWireOd";
inline constexpr std::string_view kWireBare = "designWireBare";
inline constexpr std::string_view kPitch = "designPitch";
inline constexpr std::string_view kWireSizes = "designWireSize"; // the metric sizes: a choice fills the bare diameter
inline constexpr std::string_view kLeads = "designLeads";        // the wire for each lead, added to the wire length
inline constexpr std::string_view kCopied = "designCopied";      // says that the table was copied
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
// The coil kinds: a solenoid on a form, or a flat coil from the diameter outward (calc/flat_coil.h).
inline constexpr std::string_view kSolenoid = "Solenoid";
inline constexpr std::string_view kSpiderweb = "Spiderweb";
inline constexpr std::string_view kFlatSpiral = "Flat spiral";
inline constexpr std::string_view kCoilKinds[] = {kSolenoid, kSpiderweb, kFlatSpiral};

// The last entry of either list: what the two fields hold when no preset does.
inline constexpr std::string_view kCustom = "Custom";

// The form: the design's inputs, one row each. The window (ui/design_form.cpp)
// and the web page (web/design.js, through web/page_binding.cpp) build their
// fields from it, and the design reads the inputs and words its messages from
// it. Within a group the rows are laid out, and the keyboard goes, in the
// order of the list; the groups stand left to right in the order of kGroups.

enum class Group { Form, Capacitor, Band };

// A group box of the form: its control name and its title.
struct FormGroup {
    Group group;
    std::string_view control;
    std::string_view title;
};
inline constexpr FormGroup kGroups[] = {
    {Group::Form, control::kFormGroup, "Coil form"},
    {Group::Capacitor, control::kCapacitorGroup, "Variable capacitor"},
    {Group::Band, control::kBandGroup, "Band"},
};

enum class Kind {
    Number,  // a text box for a number in its unit
    Units,   // the list of length units (kInch, kMillimetre): sits where the field before it shows its unit
    Presets, // a list of its presets and Custom: a choice fills the two fields after it, low and high
    Choice,  // a list of its choices, its text the one chosen
    Sizes,   // a list of wire sizes (kMetricWires): a choice fills the number field before it with the size's name
};

// A number's unit: a length follows the unit list; the others stay.
enum class Unit { None, Length, Picofarad, Kilohertz };

struct Input {
    std::string_view control{};
    Kind kind = Kind::Number;
    Group group = Group::Form;
    std::string_view caption{}; // with its mnemonic: the window adds ":", the page drops the "&"
    std::string_view spoken{};  // the accessible name; a length's is followed by its unit in words
    Unit unit = Unit::None;
    std::string_view initial{}; // the text as the form opens; a number in C notation, shown in the locale's
    std::span<const Preset> presets{};
    std::span<const std::string_view> choices{};
    std::string_view onlyFor{}; // enabled only while the coil kind (kCoilKind) is this; "" always
    std::string_view heading{}; // a line across the group above the input, if any
    // In a message: what it is (starting a sentence), what to type there, and
    // an example in inches, pF or kHz.
    std::string_view name{};
    std::string_view what{};
    double example = 0;
    double exampleMm = 0;         // a length's example in millimetres, a round number; 0: the example converted
    std::string_view initialMm{}; // a length's first text where the unit list starts in millimetres
};

// The bare diameters in mm of the IEC 60317 magnet wires of the R20 series
// (ISO 3, the preferred numbers 10^(i/20), rounded as the standard lists them),
// 0.10 to 1.00 mm: what a builder outside the US buys by.
inline constexpr double kMetricWires[] = {0.10,  0.112, 0.125, 0.14, 0.16, 0.18, 0.20, 0.224, 0.25, 0.28, 0.315,
                                          0.355, 0.40,  0.45,  0.50, 0.56, 0.63, 0.71, 0.80,  0.90, 1.00};

// clang-format off
inline constexpr Input kInputs[] = {
    {.control = control::kCoilKind, .kind = Kind::Choice, .caption = "Coil &kind", .spoken = "Coil kind",
     .initial = kSolenoid, .choices = kCoilKinds},
    {.control = control::kDiameter, .caption = "Form &diameter", .spoken = "Form diameter", .unit = Unit::Length,
     .name = "Form diameter", .what = "the diameter of the coil form", .example = 1.5, .exampleMm = 40},
    {.control = control::kUnits, .kind = Kind::Units, .spoken = "Unit of length", .initial = kInch},
    {.control = control::kSpokes, .caption = "Spok&es", .spoken = "Spokes of a spiderweb", .initial = "9",
     .onlyFor = kSpiderweb,
     .name = "The number of spokes", .what = "an odd number of spokes, 5 or more", .example = 9},
    {.control = control::kWireOd, .caption = "&Outside", .spoken = "Custom wire outside diameter", .unit = Unit::Length,
     .heading = "Custom wire (optional)", .name = "The custom wire's outside diameter",
     .what = "the wire's diameter over its enamel or its name (awg26, swg30, 0.25mm)", .example = 0.03,
     .exampleMm = 0.8},
    {.control = control::kWireBare, .caption = "Ba&re", .spoken = "Custom wire bare diameter", .unit = Unit::Length,
     .name = "The custom wire's bare diameter",
     .what = "the copper's diameter or the wire's name (awg26, swg30, 0.25mm)",
     .example = 0.028, .exampleMm = 0.25},
    {.control = control::kWireSizes, .kind = Kind::Sizes, .caption = "&Metric", .spoken = "Metric wire size, bare"},
    {.control = control::kCapacitors, .kind = Kind::Presets, .group = Group::Capacitor, .caption = "&Capacitor",
     .spoken = "Capacitor", .presets = kCapacitors},
    {.control = control::kCmin, .group = Group::Capacitor, .caption = "CM&IN", .spoken = "CMIN, pF",
     .unit = Unit::Picofarad, .initial = "15", .name = "CMIN", .what = "the capacitor's minimum", .example = 15},
    {.control = control::kCmax, .group = Group::Capacitor, .caption = "CMA&X", .spoken = "CMAX, pF",
     .unit = Unit::Picofarad, .initial = "365", .name = "CMAX", .what = "the capacitor's maximum", .example = 365},
    {.control = control::kStray, .group = Group::Capacitor, .caption = "&Stray", .spoken = "Stray capacitance, pF",
     .unit = Unit::Picofarad, .initial = "10", .name = "Stray capacitance", .what = "the stray capacitance",
     .example = 10},
    {.control = control::kCapacitorQ, .group = Group::Capacitor, .caption = "Capacitor &Q",
     .spoken = "Capacitor Q, for the tuned circuit's bandwidth", .initial = "2000", .name = "The capacitor's Q",
     .what = "the capacitor's Q, about 2000 for a good air-spaced one", .example = 2000},
    {.control = control::kBands, .kind = Kind::Presets, .group = Group::Band, .caption = "&Band", .spoken = "Band",
     .presets = kBands},
    {.control = control::kBandLow, .group = Group::Band, .caption = "&Low end", .spoken = "Band low end, kHz",
     .unit = Unit::Kilohertz, .initial = "530", .name = "The band's low end", .what = "the band's lowest frequency",
     .example = 530},
    {.control = control::kBandHigh, .group = Group::Band, .caption = "&High end", .spoken = "Band high end, kHz",
     .unit = Unit::Kilohertz, .initial = "1700", .name = "The band's high end",
     .what = "the band's highest frequency", .example = 1700},
    {.control = control::kPitch, .caption = "&Pitch", .spoken = "Pitch", .unit = Unit::Length,
     .heading = "Spaced winding (optional)", .name = "The pitch",
     .what = "the distance from one turn to the next, or leave it empty for close-wound", .example = 0.05,
     .exampleMm = 1},
    {.control = control::kLeads, .caption = "Le&ads", .spoken = "Wire for each lead", .unit = Unit::Length,
     .initial = "6", .heading = "Wire to buy", .name = "The wire for each lead",
     .what = "the wire to leave at each end, or leave it empty for none", .example = 6, .exampleMm = 150,
     .initialMm = "150"},
};
// clang-format on

// The row of the input with that control name; a name not in the list is a ControlError.
const Input &InputNamed(std::string_view control);

// A group's rows, in the order of the list.
std::vector<const Input *> InputsOf(Group group);

// The two fields a preset list fills, low and high: the two rows after it.
std::pair<const Input *, const Input *> PresetFields(const Input &list);

// What the form shows beside a number, and what a screen reader says after a
// length's name, for the unit list's choice: (Length, mm) -> "mm" and
// ", millimetres"; (Picofarad, either) -> "pF" and "".
std::string_view UnitText(Unit unit, bool mm);
std::string_view SpokenUnit(Unit unit, bool mm);

// Whether lengths start in millimetres where the desktop or the browser says
// the user is, by its two-letter region: inches in the US, Liberia and
// Myanmar, the countries that have not gone metric; millimetres elsewhere, and
// where the region is not known.  "US" -> false, "DE", "GB", "" -> true.
bool StartsInMillimetres(std::string_view region);

// Every input's text when the window opens (MW Americas, 15-365 pF, 10 pF
// stray, the unit, the diameter, the custom wire and the pitch empty, 6 in or
// 150 mm of wire for each lead), in the locale's notation.
std::vector<std::pair<std::string_view, std::string>> InitialTexts(const Separators &separators, bool mm = false);

// What an empty number field shows until something is typed: its example in
// the unit, "e.g. 40" (mm) or "e.g. 1.5" (inches); "" for a field with a first text.
std::string Placeholder(const Input &input, bool mm, const Separators &separators);

// The metric sizes' labels ("0,25 mm"), and the name a choice writes into the
// bare diameter ("0,25mm"), in the locale's notation.
std::vector<std::string> MetricWireLabels(const Separators &separators);
std::string MetricWireName(double mm, const Separators &separators);

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
// value with the unit, for the tool tip, followed by the row's note (a value
// held outside Medhurst's measurements) when it has one. The columns are
// pages/coil_columns.h's that the design window shows.
struct Cell {
    std::string text;
    std::string whole;
    double sortKey = 0; // what the window and the page sort the column by: the number, or the row's place
};

// What the window shows for the inputs as they are.
struct View {
    bool good = false;                   // the inputs are good, and the verdict and rows are theirs
    std::string badField;                // the control to mark when not good
    std::string message;                 // which field is wrong and what to type there; "" when good
    std::vector<std::string> verdict;    // the capacitor and the band alone, in plain words
    std::vector<std::string> headers;    // always there
    std::vector<std::vector<Cell>> rows; // the six gauges, then "custom" when a custom wire is given; a wire
                                         // thicker than the pitch has no coil and its tips say so
    std::vector<std::string> drawings;   // each row's form or winding card for printing (forms/drawings.h),
                                         // SVG; "" for a row with no coil
    std::string inputs;                  // the inputs in one line, as typed, for the copy and the CSV
    int best = -1; // the covered solenoid of the highest Q in the band's middle, its wire marked "(best Q)"; -1: none
};

// A coil too long to wind: a solenoid whose winding is longer than eight of
// its form's diameters or than 300 mm, a flat coil wider than 300 mm. Not
// physics but the bench: past eight diameters a coil spends more wire and
// copper loss for its inductance than a wider form would, and sags between
// its ends; 300 mm is about the longest tube or board a crystal set is built on.
inline constexpr double kLongestRatio = 8;
inline constexpr double kLongestMm = 300;

// Reads the inputs and designs. Never throws a CalcError: a bad input is a
// View that is not good, and a wire that cannot be designed is a row that
// says why. A control missing from `fields` is a ControlError.
//   2 in, 15-365 pF, 10 pF stray, 530-1700 kHz -> # 20: 128 turns, 315.3 uH, 1706-461.3 kHz, covered
View Design(const FieldAccess &fields, const Separators &separators);

// The table as tab-separated lines, the inputs first, then the headers, each
// line ended by "\n": pastes into a spreadsheet. Empty when the view has no rows.
std::string CopyText(const View &view);

// The same as CSV (RFC 4180): fields separated by commas, a field holding a
// comma, a quote or a line break in quotes, each line ended by "\r\n".
std::string CsvText(const View &view);
// The coil of the table's row `row` (0 the first gauge) for the inputs as they
// are, with the capacitor and the band: what the taps panel (pages/taps_panel.h)
// works on. nullopt when the inputs are bad, the row's wire has no coil or the
// coil is flat.
struct RowCoil {
    double formDiameter = 0; // inches
    Wire wire;
    int turns = 0;
    std::optional<double> pitch;
    Capacitor capacitor;
    double capacitorQ = kDefaultCapacitorQ;
    Band band;
    forms::Card card; // its winding card (the Leads field's wire for each lead), no taps marked
};
std::optional<RowCoil> CoilOfRow(const FieldAccess &fields, const Separators &separators, int row);

} // namespace spirelle::design
