#include "pages/form_layout.h"

#include "calc/wire_gauges.h"

namespace spirelle::layout {
namespace {

using K = Kind;
using enum Flag;

// The captions are the program's own and stand exactly as its users know them,
// odd spellings included ("Coil Lenth", "Inces per turn", "Lenth of Coil"):
// they are deliberate, not typos to fix. The accessible names are heard, not
// seen: spelled out, with the unit, wherever a caption would be misread aloud.

// Page 0, "(L) Inductance". Frame1 comes first so that the boxes standing over it lie on top.
constexpr Control kInductancePage[] = {
    {"Frame1", K::Frame, "", 1875, 405, 2460, 3225, None, "Coil length and inductance for each wire"},
    {"Label5", K::Label, "Coil Lenth", 165, 285, 900, 315, InFrame | Bold, "Coil length, inches"},
    {"Label4", K::Label, "(L) Ind.", 1590, 285, 690, 270, InFrame | Bold, "Inductance, microhenries"},
    {"Label35", K::Label, "Diameter", 480, 765, 720, 255},
    {"Text16", K::TextBox, "", 330, 1035, 975, 285, None, "Diameter, inches"},
    {"Label34", K::Label, "# of Turns", 420, 1455, 900, 255, None, "Number of turns"},
    {"Text15", K::TextBox, "", 330, 1740, 975, 285, None, "Number of turns"},
    {"Command2", K::Button, "L=(uH)", 465, 2115, 750, 315, None, "Calculate lengths and inductances"},
    {"Label36", K::Label, "Wire", 1440, 600, 660, 240, Bold},
    {"Label52", K::Label, "Turns per inch", 4380, 555, 1245, 225, Bold},
    {"Label45", K::Label, "Inces per turn", 5730, 555, 1335, 330, Bold, "Inches per turn"},
    {"Label6", K::Label, "You will need", 165, 3870, 1260, 285, Bold},
    {"Text18", K::TextBox, "", 1455, 3810, 480, 285, Disabled | ActiveBorder, "Wire needed, feet"},
    {"Label7", K::Label, "Feet of wire for this coil", 2010, 3870, 2475, 315, Bold},
    // The gauge table, row by row: gauge, length, inductance, turns per inch, inches per turn.
    {"Label63", K::Label, kWireGauges[0].name, 1455, 1050, 495, 285},
    {"Text14", K::TextBox, "lenth of coil", 1995, 1020, 975, 285, Disabled, "Coil length for wire # 20, inches"},
    {"Text1", K::TextBox, "uH", 3405, 1020, 585, 285, Disabled, "Inductance for wire # 20, microhenries", 4},
    {"Label51", K::Label, kWireGauges[0].turnsPerInch, 4740, 1050, 495, 285},
    {"Label44", K::Label, kWireGauges[0].inchesPerTurn, 5910, 1050, 495, 285},
    {"Label62", K::Label, kWireGauges[1].name, 1455, 1455, 495, 285},
    {"Text13", K::TextBox, "lenth of coil", 1995, 1440, 975, 285, Disabled, "Coil length for wire # 22, inches"},
    {"Text2", K::TextBox, "uH", 3405, 1443, 585, 285, Disabled, "Inductance for wire # 22, microhenries", 4},
    {"Label50", K::Label, kWireGauges[1].turnsPerInch, 4740, 1455, 495, 285},
    {"Label43", K::Label, kWireGauges[1].inchesPerTurn, 5910, 1425, 495, 285},
    {"Label61", K::Label, kWireGauges[2].name, 1455, 1860, 495, 285},
    {"Text12", K::TextBox, "lenth of coil", 1995, 1860, 975, 285, Disabled, "Coil length for wire # 24, inches"},
    {"Text3", K::TextBox, "uH", 3405, 1866, 585, 285, Disabled, "Inductance for wire # 24, microhenries", 4},
    {"Label49", K::Label, kWireGauges[2].turnsPerInch, 4740, 1860, 495, 285},
    {"Label42", K::Label, kWireGauges[2].inchesPerTurn, 5895, 1875, 495, 285},
    {"Label60", K::Label, kWireGauges[3].name, 1455, 2280, 495, 285},
    {"Text11", K::TextBox, "lenth of coil", 1995, 2265, 975, 285, Disabled, "Coil length for wire # 26, inches"},
    {"Text6", K::TextBox, "uH", 3405, 2280, 585, 285, Disabled, "Inductance for wire # 26, microhenries", 4},
    {"Label48", K::Label, kWireGauges[3].turnsPerInch, 4740, 2310, 495, 285},
    {"Label41", K::Label, kWireGauges[3].inchesPerTurn, 5895, 2280, 495, 285},
    {"Label59", K::Label, kWireGauges[4].name, 1455, 2685, 495, 285},
    {"Text5", K::TextBox, "lenth of coil", 1995, 2685, 975, 285, Disabled, "Coil length for wire # 28, inches"},
    {"Text7", K::TextBox, "uH", 3405, 2685, 585, 285, Disabled, "Inductance for wire # 28, microhenries", 4},
    {"Label47", K::Label, kWireGauges[4].turnsPerInch, 4740, 2700, 495, 285},
    {"Label40", K::Label, kWireGauges[4].inchesPerTurn, 5910, 2700, 495, 285},
    {"Label58", K::Label, kWireGauges[5].name, 1455, 3105, 495, 285},
    {"Text4", K::TextBox, "lenth of coil", 1995, 3105, 975, 285, Disabled, "Coil length for wire # 30, inches"},
    {"Text8", K::TextBox, "uH", 3405, 3105, 585, 285, Disabled, "Inductance for wire # 30, microhenries", 4},
    {"Label46", K::Label, kWireGauges[5].turnsPerInch, 4740, 3075, 495, 285},
    {"Label39", K::Label, kWireGauges[5].inchesPerTurn, 5910, 3120, 495, 285},
};

// Page 1, "Frequency".
constexpr Control kFrequencyPage[] = {
    {"Label1", K::Label, "(L) Inductance", 255, 450, 1155, 270, Red},
    {"Text9", K::TextBox, "", 360, 765, 900, 285, None, "Inductance, microhenries"},
    {"Label2", K::Label, "Capacitance", 285, 1170, 1080, 285, Red},
    {"Text10", K::TextBox, "", 360, 1485, 900, 285, None, "Capacitance, picofarads"},
    {"Command1", K::Button, "Frequency", 375, 1920, 900, 345, None, "Calculate frequency"},
    {"Text17", K::TextBox, "", 1605, 1080, 900, 315, Disabled, "Frequency, megahertz", 5},
    {"Label3", K::Label, "MHz", 2655, 1110, 615, 255, Bold, "megahertz", 0, 12},
};

// Page 2, "Loose Coil".
constexpr Control kLooseCoilPage[] = {
    {"Label9", K::Label, "Diameter", 540, 675, 915, 285},
    {"Text19", K::TextBox, "", 405, 945, 930, 360, None, "Diameter, inches"},
    {"Label10", K::Label, "# of Turns", 480, 1380, 945, 315, None, "Number of turns"},
    {"Text20", K::TextBox, "", 405, 1665, 930, 360, None, "Number of turns"},
    {"Label11", K::Label, "Lenth of Coil", 405, 2100, 1020, 345, None, "Length of coil, inches"},
    {"Text21", K::TextBox, "", 405, 2385, 930, 360, None, "Coil length, inches"},
    {"Command3", K::Button, "L=(uH)", 390, 2940, 975, 330, None, "Calculate inductance"},
    {"Text22", K::TextBox, "", 1635, 1470, 930, 360, None, "Inductance, microhenries"},
    {"Label8", K::Label, "L (uH)", 2715, 1455, 1065, 510, Bold, "Inductance, microhenries", 0, 13.5},
};

} // namespace

std::span<const Control> PageControls(int page)
{
    switch (page) {
    case 0:
        return kInductancePage;
    case 1:
        return kFrequencyPage;
    case 2:
        return kLooseCoilPage;
    default:
        return {};
    }
}

const Control *FindControl(std::string_view name)
{
    for (int page = 0; page < kPageCount; ++page)
        for (const Control &control : PageControls(page))
            if (control.name == name)
                return &control;
    return nullptr;
}

int MaxLengthOf(std::string_view name)
{
    const Control *control = FindControl(name);
    return control ? control->maxLength : 0;
}

bool IsResultBox(const Control &control)
{
    return control.kind == Kind::TextBox && (control.has(Disabled) || control.name == "Text22");
}

std::string SpokenName(const Control &control)
{
    if (control.kind == Kind::Button)
        return std::string(control.text);
    if (!control.accessibleName.empty())
        return std::string(control.accessibleName);
    std::string text(control.text);
    if (control.kind == Kind::Label) {
        for (const WireGauge &gauge : kWireGauges) {
            const std::string wire = "wire " + std::string(gauge.name);
            if (control.text == gauge.name)
                return "Wire " + text;
            if (control.text == gauge.turnsPerInch)
                return text.append(" turns per inch for ").append(wire);
            if (control.text == gauge.inchesPerTurn)
                return text.append(" inches per turn for ").append(wire);
        }
    }
    return text;
}

} // namespace spirelle::layout
