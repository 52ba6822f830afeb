#include "pages.h"

#include "coil.h"
#include "form_layout.h"
#include "number_text.h"
#include "utf8.h"

#include <array>

namespace spirelle {
namespace {

constexpr GaugeRow kGaugeRows[] = {
    {"Label63", "Label44", "Label51", "Text14", "Text1"},
    {"Label62", "Label43", "Label50", "Text13", "Text2"},
    {"Label61", "Label42", "Label49", "Text12", "Text3"},
    {"Label60", "Label41", "Label48", "Text11", "Text6"},
    {"Label59", "Label40", "Label47", "Text5", "Text7"},
    {"Label58", "Label39", "Label46", "Text4", "Text8"},
};

// Writes a result into a box, fitted to the box's maximum length.
void writeResult(FieldAccess &fields, std::string_view box, const std::string &text)
{
    fields.setText(box, FitToField(text, layout::MaxLengthOf(box)));
}

// Wheeler's inductance from texts read all before any conversion, one read per
// use of a value, parsed in the order diameter, turns, diameter, turns, diameter, length.
double inductanceFromTexts(FieldAccess &fields, std::string_view diameterBox, std::string_view turnsBox,
                           std::string_view lengthBox, std::string_view separator)
{
    const std::array<std::string, 6> read = {
        fields.text(turnsBox), fields.text(diameterBox), fields.text(turnsBox),
        fields.text(diameterBox), fields.text(lengthBox), fields.text(diameterBox),
    };
    // Each use of a value parses its own read, in the order the formula uses them.
    std::array<double, 6> value{};
    for (const std::size_t i : {1, 0, 3, 2, 5, 4})
        value[i] = ParseNumber(read[i], separator);
    return WheelerInductance(value[1], value[0], value[4]);
}

} // namespace

std::span<const GaugeRow> GaugeRows() { return kGaugeRows; }

std::string FitToField(std::string_view text, int maxLength)
{
    const std::u32string chars = utf8::decode(text);
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

void Command2_Click(FieldAccess &fields, std::string_view separator)
{
    // Coil lengths; each row is written before the next is read.
    for (const GaugeRow &row : kGaugeRows) {
        const std::string inchesText = fields.caption(row.inchesPerTurnLabel);
        const std::string turnsText = fields.text("Text15");
        const double inchesPerTurn = ParseNumber(inchesText, separator);
        const double turns = ParseNumber(turnsText, separator);
        writeResult(fields, row.lengthField, FormatNumber(CloseWoundLength(inchesPerTurn, turns), separator));
    }
    // Inductances, from each length as it now reads: the 15-digit text, not the raw product.
    for (const GaugeRow &row : kGaugeRows) {
        const double inductance = inductanceFromTexts(fields, "Text16", "Text15", row.lengthField, separator);
        writeResult(fields, row.inductanceField, FormatNumber(inductance, separator) + std::string(kInductanceUnit));
    }
    // Feet of wire.
    const std::string diameterText = fields.text("Text16");
    const std::string turnsText = fields.text("Text15");
    const double diameter = ParseNumber(diameterText, separator);
    const double turns = ParseNumber(turnsText, separator);
    writeResult(fields, "Text18", FormatNumber(WireFeet(diameter, turns), separator));
}

void Command1_Click(FieldAccess &fields, std::string_view separator)
{
    const std::string capacitanceText = fields.text("Text10");
    const std::string inductanceText = fields.text("Text9");
    const double capacitance = ParseNumber(capacitanceText, separator);
    const double inductance = ParseNumber(inductanceText, separator);
    writeResult(fields, "Text17", FormatNumber(ResonantFrequency(inductance, capacitance), separator));
}

void Command3_Click(FieldAccess &fields, std::string_view separator)
{
    const double inductance = inductanceFromTexts(fields, "Text19", "Text20", "Text21", separator);
    writeResult(fields, "Text22", FormatNumber(inductance, separator) + std::string(kInductanceUnit));
}

} // namespace spirelle
