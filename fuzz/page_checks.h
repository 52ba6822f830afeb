#pragma once

#include "calc/calc_error.h"
#include "pages/controls.h"
#include "pages/field_table.h"
#include "pages/form_layout.h"
#include "fuzz_support.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/utf8.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One press of a page's button over a FieldTable, and the checks every page
// must pass whatever its inputs.
namespace spirelle::fuzz {

inline constexpr std::string_view kUnit = " uH";

// A result box in the order the handler must write it.
struct Output {
    std::string_view name;
    bool withUnit; // an inductance, written with " uH" after it
};

// Computes the page's results from its input texts, in write order and
// unfitted, straight from the formulas; throws the CalcError where the page
// must stop, with the results before it already in `results`.
using Reference = void (*)(const std::vector<std::string> &inputs, std::string_view separator,
                           std::vector<std::string> &results);

// Passes everything through to a table and records each write, uncut.
class WriteRecorder : public FieldAccess {
public:
    explicit WriteRecorder(FieldAccess &inner) : m_inner(inner) {}
    std::string text(std::string_view box) const override { return m_inner.text(box); }
    std::string caption(std::string_view label) const override { return m_inner.caption(label); }
    void setText(std::string_view box, std::string_view text) override
    {
        writes.emplace_back(box, text);
        m_inner.setText(box, text);
    }
    void setNote(std::string_view box, std::string_view note) override
    {
        notes.emplace_back(box, note);
        m_inner.setNote(box, note);
    }
    std::vector<std::pair<std::string, std::string>> writes;
    std::vector<std::pair<std::string, std::string>> notes;

private:
    FieldAccess &m_inner;
};

inline bool AllHashes(std::string_view text)
{
    return text.find_first_not_of('#') == std::string_view::npos;
}

// Characters a box must show for the magnitude to be right: up to the end of
// the exponent when there is one, else up to the decimal separator.
inline std::size_t MagnitudeLength(std::string_view number, std::string_view separator)
{
    if (number.find('E') != std::string_view::npos)
        return utf8::Length(number);
    return utf8::Length(number.substr(0, number.find(separator)));
}

// What a box of maxLength characters must be given for a result text.
inline std::string Fitted(const std::string &text, bool withUnit, int maxLength, std::string_view separator)
{
    const std::string_view number = std::string_view(text).substr(0, text.size() - (withUnit ? kUnit.size() : 0));
    if (maxLength == 0 || utf8::Length(text) <= std::size_t(maxLength) ||
        MagnitudeLength(number, separator) <= std::size_t(maxLength))
        return text;
    return std::string(std::size_t(maxLength), '#');
}

// A CalcError must say why truthfully: a TypeMismatch quotes a whole input
// that is indeed no number, and only an ArithmeticError has a fault.
inline void CheckError(const CalcError &error, const Input &input)
{
    if (error.kind() != ErrorKind::TypeMismatch) {
        Check((error.kind() == ErrorKind::ArithmeticError) == (error.fault() != ArithmeticFault::None),
              "an error's fault does not match its kind", error.what());
        return;
    }
    bool isAnInput = false;
    for (const std::string &field : input.fields)
        isAnInput = isAnInput || error.text() == field;
    Check(isAnInput, "a TypeMismatch names a text that is no input", error.text());
    try {
        ParseNumber(error.text(), input.separator);
        Fail("a TypeMismatch names a text that parses", error.text());
    } catch (const CalcError &) {
    }
}

// One result as written (uncut) and as its box shows it: hashes that fill the
// box, or a number that reads back as itself and keeps its magnitude when cut.
inline void CheckWrite(const Output &output, const std::string &text, const std::string &shown,
                       std::string_view separator)
{
    const int maxLength = layout::MaxLengthOf(output.name);
    if (maxLength > 0 && AllHashes(text)) {
        Check(utf8::Length(text) == std::size_t(maxLength), "hashes that do not fill their box", text);
        Check(shown == text, "a box does not show its hashes", shown);
        return;
    }
    Check(!output.withUnit || std::string_view(text).ends_with(kUnit), "an inductance without its unit", text);
    const std::string number = text.substr(0, text.size() - (output.withUnit ? kUnit.size() : 0));
    try {
        const double value = ParseNumber(number, separator);
        Check(std::isfinite(value) && FormatNumber(value, separator) == number, "a result does not read back as itself",
              text);
    } catch (const CalcError &) {
        Fail("a result is not a number", text);
    }
    if (maxLength > 0 && utf8::Length(text) > std::size_t(maxLength))
        Check(MagnitudeLength(number, separator) <= std::size_t(maxLength), "a cut drops magnitude", text);
    Check(shown == utf8::Prefix(text, maxLength > 0 ? std::size_t(maxLength) : text.size()),
          "a box does not show what was written", shown);
}

// Types the inputs into a fresh main window table, seeds the result boxes with
// sentinels, presses the button through a recorder and checks what it left.
inline void CheckPress(void (*handler)(FieldAccess &, const Separators &),
                       const std::vector<std::string_view> &inputNames, std::span<const Output> order,
                       Reference reference, const Input &input)
{
    FieldTable table = FieldTable::mainWindow();
    for (std::size_t i = 0; i < inputNames.size(); ++i)
        table.setText(inputNames[i], input.fields[i]);
    // Sentinels no result can be, short enough for any box.
    const auto sentinel = [](std::size_t k) { return "?" + std::to_string(k); };
    for (std::size_t k = 0; k < order.size(); ++k)
        table.setText(order[k].name, sentinel(k));

    WriteRecorder recorder(table);
    bool failed = false;
    try {
        handler(recorder, input.separator);
    } catch (const CalcError &error) {
        failed = true;
        CheckError(error, input);
    } catch (const std::exception &error) {
        Fail("the handler threw something other than a CalcError", error.what());
    } catch (...) {
        Fail("the handler threw something other than a CalcError");
    }

    // The writes are a prefix of the page's order: all of it unless it failed.
    const auto &writes = recorder.writes;
    Check(writes.size() <= order.size() && (failed ? writes.size() < order.size() : writes.size() == order.size()),
          "the handler wrote the wrong number of results", std::to_string(writes.size()));
    for (std::size_t k = 0; k < order.size(); ++k) {
        const std::string shown = table.text(order[k].name);
        if (k >= writes.size()) {
            Check(shown == sentinel(k), "a box the handler did not reach lost its text", order[k].name);
            continue;
        }
        Check(writes[k].first == order[k].name, "a result went out of order or into the wrong box", writes[k].first);
        CheckWrite(order[k], writes[k].second, shown, input.separator);
    }
    // Every inductance and frequency written has a note that starts with its whole value.
    for (const auto &[box, text] : writes) {
        if (layout::MaxLengthOf(box) == 0 && box != control::kLooseInductance) // lengths and feet of wire: shown whole
            continue;
        const auto note = std::find_if(recorder.notes.begin(), recorder.notes.end(),
                                       [&box = box](const auto &n) { return n.first == box; });
        Check(note != recorder.notes.end(), "a result written without its note", box);
        Check(note->second.starts_with(text) || AllHashes(text), "a note that does not start with the value",
              note->second);
    }
    // The inputs stay as typed, and no box holds more than its maximum length.
    for (std::size_t i = 0; i < inputNames.size(); ++i)
        Check(table.text(inputNames[i]) == input.fields[i], "an input changed", inputNames[i]);
    for (int page = 0; page < layout::kPageCount; ++page)
        for (const layout::Control &control : layout::PageControls(page))
            if (control.kind == layout::Kind::TextBox && control.maxLength > 0)
                Check(utf8::Length(table.text(control.name)) <= std::size_t(control.maxLength),
                      "a box holds more than its maximum length", control.name);

    // The formulas stop at the same result, and agree with every one written.
    std::vector<std::string> expected;
    bool referenceFailed = false;
    try {
        reference(input.fields, input.separator, expected);
    } catch (const CalcError &) {
        referenceFailed = true;
    }
    Check(referenceFailed == failed && expected.size() == writes.size(), "the handler stops at the wrong result",
          std::to_string(writes.size()) + " written, " + std::to_string(expected.size()) + " expected");
    for (std::size_t k = 0; k < writes.size(); ++k)
        Check(writes[k].second ==
                  Fitted(expected[k], order[k].withUnit, layout::MaxLengthOf(order[k].name), input.separator),
              "a result differs from the formula's", writes[k].second);
}

} // namespace spirelle::fuzz
