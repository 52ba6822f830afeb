#include "pages/pages.h"

#include "calc/coil.h"
#include "pages/controls.h"
#include "pages/form_layout.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "pages/result_notes.h"
#include "calc/utf8.h"
#include "calc/wire_gauges.h"

#include <array>
#include <iterator>

namespace spirelle {
namespace {

// A field text as a number, in the locale's notation.
double Parse(const std::string &text, const Separators &separators)
{
    return ParseNumber(text, separators.decimal, separators.group);
}

// Writes a result into a box, fitted to the box's maximum length.
void WriteResult(FieldAccess &fields, std::string_view box, const std::string &text)
{
    fields.setText(box, FitToField(text, layout::MaxLengthOf(box)));
}

// The same with the note that goes with it; a box that is not written keeps its old note.
void WriteResult(FieldAccess &fields, std::string_view box, const std::string &text, const std::string &note)
{
    WriteResult(fields, box, text);
    fields.setNote(box, note);
}

struct Inductance {
    double value;
    CoilInputs coil; // as the formula got them
};

// Wheeler's inductance from texts read all before any conversion, one read per
// use of a value, parsed in the order diameter, turns, diameter, turns, diameter, length.
Inductance InductanceFromTexts(FieldAccess &fields, std::string_view diameterBox, std::string_view turnsBox,
                               std::string_view lengthBox, const Separators &separators)
{
    const std::array<std::string, 6> read = {
        fields.text(turnsBox),    fields.text(diameterBox), fields.text(turnsBox),
        fields.text(diameterBox), fields.text(lengthBox),   fields.text(diameterBox),
    };
    // Each use of a value parses its own read, in the order the formula uses them.
    std::array<double, 6> value{};
    for (const std::size_t i : {1, 0, 3, 2, 5, 4})
        value[i] = Parse(read[i], separators);
    return {WheelerInductance(value[1], value[0], value[4]), {value[1], value[0], value[4]}};
}

// An inductance written with its unit and its note.
void WriteInductance(FieldAccess &fields, std::string_view box, const Inductance &inductance,
                     std::string_view separator)
{
    const std::string written = FormatNumber(inductance.value, separator) + std::string(kInductanceUnit);
    WriteResult(fields, box, written, InductanceNote(written, inductance.value, inductance.coil, separator));
}

} // namespace

std::string FitToField(std::string_view text, int maxLength)
{
    const std::u32string chars = utf8::Decode(text);
    if (maxLength <= 0 || chars.size() <= static_cast<std::size_t>(maxLength))
        return std::string(text);
    const auto isDigit = [](char32_t c) { return c >= U'0' && c <= U'9'; };
    std::size_t integerEnd = chars.front() == U'-' ? 1 : 0;
    while (integerEnd < chars.size() && isDigit(chars[integerEnd]))
        ++integerEnd;
    std::size_t numberEnd = integerEnd;
    if (const std::size_t e = chars.find(U'E'); e != std::u32string::npos) {
        numberEnd = e + 1;
        if (numberEnd < chars.size() && (chars[numberEnd] == U'+' || chars[numberEnd] == U'-'))
            ++numberEnd;
        while (numberEnd < chars.size() && isDigit(chars[numberEnd]))
            ++numberEnd;
    }
    if (numberEnd > static_cast<std::size_t>(maxLength))
        return std::string(static_cast<std::size_t>(maxLength), '#');
    return std::string(text);
}

void Command2_Click(FieldAccess &fields, const Separators &separators)
{
    const std::string_view separator = separators.decimal;
    // Coil lengths; each row is written before the next is read.
    for (std::size_t i = 0; i < std::size(control::kGaugeRows); ++i) {
        const control::GaugeRow &row = control::kGaugeRows[i];
        const std::string inchesText = fields.caption(row.inchesPerTurnLabel);
        const std::string turnsText = fields.text(control::kTurns);
        const double inchesPerTurn = Parse(inchesText, separators);
        const double turns = Parse(turnsText, separators);
        const std::string written = CloseWoundLengthText(inchesPerTurn, turns, separator);
        WriteResult(fields, row.lengthField, written,
                    LengthNote(written, kWireGauges[i].name, inchesText, turns, separator));
    }
    // Inductances, from each length as it now reads: the 15-digit text, not the raw product.
    for (const control::GaugeRow &row : control::kGaugeRows) {
        const Inductance inductance = InductanceFromTexts(fields, control::kDiameter, control::kTurns, row.lengthField,
                                                          separators);
        WriteInductance(fields, row.inductanceField, inductance, separator);
    }
    // Feet of wire.
    const std::string diameterText = fields.text(control::kDiameter);
    const std::string turnsText = fields.text(control::kTurns);
    const double diameter = Parse(diameterText, separators);
    const double turns = Parse(turnsText, separators);
    const std::string feet = FormatNumber(WireFeet(diameter, turns), separator);
    WriteResult(fields, control::kWireFeet, feet, WireFeetNote(feet, diameter, turns, separator));
}

void Command1_Click(FieldAccess &fields, const Separators &separators)
{
    const std::string_view separator = separators.decimal;
    const std::string capacitanceText = fields.text(control::kCapacitance);
    const std::string inductanceText = fields.text(control::kInductance);
    const double capacitance = Parse(capacitanceText, separators);
    const double inductance = Parse(inductanceText, separators);
    const std::string written = FormatNumber(ResonantFrequency(inductance, capacitance), separator);
    WriteResult(fields, control::kFrequency, written, FrequencyNote(written, inductance, capacitance, separator));
}

void Command3_Click(FieldAccess &fields, const Separators &separators)
{
    const Inductance inductance = InductanceFromTexts(fields, control::kLooseDiameter, control::kLooseTurns,
                                                      control::kLooseLength, separators);
    WriteInductance(fields, control::kLooseInductance, inductance, separators.decimal);
}

} // namespace spirelle
