#pragma once

#include <string_view>

// The window's controls by role. A control's name (its objectName, the name
// people, screen readers' scripts and tests find it by) is written here once;
// the handlers, the widgets, the tests and the fuzzers use these roles. Only
// the control tables (form_layout.cpp) spell the names again, beside each
// control's place and text.
namespace spirelle::control {

// The main window and its tab control.
inline constexpr std::string_view kWindow = "Form1";
inline constexpr std::string_view kTabs = "SSTab1";
inline constexpr std::string_view kMenu = "menu";
inline constexpr std::string_view kDesignItem = "design";         // the menu's first item
inline constexpr std::string_view kAboutItem = "about";           // and its second
inline constexpr std::string_view kErrorMessage = "errorMessage"; // the box a failed calculation opens

// The inductance page.
inline constexpr std::string_view kDiameter = "Text16";
inline constexpr std::string_view kTurnsCaption = "Label34";
inline constexpr std::string_view kTurns = "Text15";
inline constexpr std::string_view kCoilButton = "Command2";
inline constexpr std::string_view kGaugeFrame = "Frame1";
inline constexpr std::string_view kLengthHeading = "Label5";
inline constexpr std::string_view kInductanceHeading = "Label4";
inline constexpr std::string_view kInchesPerTurnHeading = "Label45";
inline constexpr std::string_view kWireFeet = "Text18";
// The first gauge row's shown-only captions: "# 20" and its turns per inch, "29".
inline constexpr std::string_view kGauge20Caption = "Label63";
inline constexpr std::string_view kGauge20TurnsPerInch = "Label51";

// One line of the inductance page's gauge table.
struct GaugeRow {
    std::string_view inchesPerTurnLabel; // ".0345" ...: read at every calculation
    std::string_view lengthField;
    std::string_view inductanceField;
};

// The gauge table, # 20 to # 30.
inline constexpr GaugeRow kGaugeRows[] = {
    {"Label44", "Text14", "Text1"}, {"Label43", "Text13", "Text2"}, {"Label42", "Text12", "Text3"},
    {"Label41", "Text11", "Text6"}, {"Label40", "Text5", "Text7"},  {"Label39", "Text4", "Text8"},
};

// The frequency page.
inline constexpr std::string_view kInductanceCaption = "Label1";
inline constexpr std::string_view kInductance = "Text9";
inline constexpr std::string_view kCapacitanceCaption = "Label2";
inline constexpr std::string_view kCapacitance = "Text10";
inline constexpr std::string_view kFrequencyButton = "Command1";
inline constexpr std::string_view kFrequency = "Text17";
inline constexpr std::string_view kFrequencyUnit = "Label3";

// The loose-coil page.
inline constexpr std::string_view kLooseDiameter = "Text19";
inline constexpr std::string_view kLooseTurnsCaption = "Label10";
inline constexpr std::string_view kLooseTurns = "Text20";
inline constexpr std::string_view kLooseLengthCaption = "Label11";
inline constexpr std::string_view kLooseLength = "Text21";
inline constexpr std::string_view kLooseButton = "Command3";
inline constexpr std::string_view kLooseInductance = "Text22";
inline constexpr std::string_view kLooseInductanceUnit = "Label8";

// The About dialog, a window of its own: its names are its own too.
inline constexpr std::string_view kAbout = "frmAbout";
inline constexpr std::string_view kAboutTitle = "Label1";
inline constexpr std::string_view kAboutVersion = "lblVersion";
inline constexpr std::string_view kAboutLine = "Line1"; // the two etched lines
inline constexpr std::string_view kAboutCredits = "Text1";
inline constexpr std::string_view kAboutOk = "cmdOK";

} // namespace spirelle::control
