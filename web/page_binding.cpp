// The web page's side of the page handlers: a FieldAccess over the page's DOM
// elements, found by control name (their ids), and one entry point per press.
// The handlers are the window's own (pages/pages.h), so the browser reads the
// same texts in the same order and writes the same results and notes; the
// band design is the design window's own (pages/design.h), which the page draws.
#include "pages/design.h"
#include "pages/field_access.h"
#include "pages/field_table.h"
#include "pages/pages.h"
#include "pages/taps_panel.h"
#include "calc/utf8.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>

#include <exception>
#include <span>
#include <string>
#include <vector>

namespace spirelle {
namespace {

using emscripten::val;

// A text box is an <input> or a <select> (the design's unit list), read by its
// value; any other element with the name is a label, whose caption is its text content.
class DomFields : public FieldAccess {
public:
    std::string text(std::string_view textBox) const override
    {
        return element(textBox, true)["value"].as<std::string>();
    }

    std::string caption(std::string_view label) const override
    {
        return element(label, false)["textContent"].as<std::string>();
    }

    // A box with a maximum length keeps that many leading characters, as a window's box does.
    void setText(std::string_view textBox, std::string_view text) override
    {
        val box = element(textBox, true);
        const int maxLength = box["maxLength"].as<int>(); // -1 where the page sets none
        box.set("value", maxLength > 0 ? utf8::Prefix(text, static_cast<std::size_t>(maxLength)) : std::string(text));
    }

    // The note is the box's tool tip (title) and, through aria-describedby, its
    // description for screen readers; the page shows it on focus or tap.
    void setNote(std::string_view textBox, std::string_view note) override
    {
        val box = element(textBox, true);
        const std::string noteId = std::string(textBox) + "-note";
        val noteElement = m_document.call<val>("getElementById", noteId);
        if (noteElement.isNull())
            throw ControlError("No note for the text box " + std::string(textBox) + ".");
        box.set("title", std::string(note));
        noteElement.set("textContent", std::string(note));
        box.call<void>("setAttribute", std::string("aria-describedby"), noteId);
    }

private:
    val element(std::string_view name, bool textBox) const
    {
        val found = m_document.call<val>("getElementById", std::string(name));
        const std::string tag = found.isNull() ? "" : found["tagName"].as<std::string>();
        if (found.isNull() || (tag == "INPUT" || tag == "SELECT") != textBox)
            throw ControlError("No " + std::string(textBox ? "text box" : "label") + " named " + std::string(name) +
                               ".");
        return found;
    }

    val m_document = val::global("document");
};

using Handler = void (*)(FieldAccess &, const Separators &);

// Runs a handler and returns its message, empty when it ran to the end. A
// message comes from a CalcError or ControlError; what was written stays.
std::string RunHandler(Handler handler, FieldAccess &fields, const std::string &decimal, const std::string &group)
{
    try {
        handler(fields, Separators(decimal, group));
        return {};
    } catch (const std::exception &error) {
        return error.what();
    }
}

Handler HandlerOf(const std::string &button)
{
    if (button == "Command2")
        return Command2_Click;
    if (button == "Command1")
        return Command1_Click;
    if (button == "Command3")
        return Command3_Click;
    return nullptr;
}

// The press of the button with that control name, over the page.
std::string Press(const std::string &button, const std::string &decimal, const std::string &group)
{
    const Handler handler = HandlerOf(button);
    if (handler == nullptr)
        return "No button named " + button + ".";
    DomFields fields;
    return RunHandler(handler, fields, decimal, group);
}

// For the benchmark: `count` inductance presses (20 turns on a 1 in form) over
// a plain field table, the computation without the page, as natively timed.
void PressInductanceOverTable(int count)
{
    FieldTable table = FieldTable::mainWindow();
    table.setText("Text15", "20");
    table.setText("Text16", "1");
    for (int i = 0; i < count; ++i)
        RunHandler(Command2_Click, table, ".", ",");
}

// The band design, drawn by the page's script (design.js) from these plain values.

val Strings(const std::vector<std::string> &texts)
{
    val out = val::array();
    for (const std::string &text : texts)
        out.call<void>("push", text);
    return out;
}

std::span<const design::Preset> PresetsOf(const std::string &list)
{
    for (const design::Input &input : design::kInputs)
        if (input.control == list)
            return input.presets;
    return {};
}

std::vector<std::string> Labels(std::span<const design::Preset> presets)
{
    std::vector<std::string> labels;
    for (const design::Preset &preset : presets)
        labels.emplace_back(preset.label);
    labels.emplace_back(design::kCustom);
    return labels;
}

// A caption as the page shows it, without the window's mnemonic: "CM&IN" -> "CMIN", "A && B" -> "A & B".
std::string WithoutMnemonic(std::string_view caption)
{
    std::string out;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i; // the letter it marks, or the "&" it doubles
        out += caption[i];
    }
    return out;
}

// One input of the form as design.js builds it: {id, kind ("number", "units",
// "choice" or "presets"), caption, heading, length, spoken and unit (each
// [inches, mm]), onlyFor (the coil kind it is for, or ""), choices (a choice's texts), presets (the list's labels) and
// fills (the two fields a preset fills)}.
val FormInput(const design::Input &input, const Separators &separators)
{
    using design::Kind;
    val out = val::object();
    out.set("id", std::string(input.control));
    out.set("kind",
            std::string(input.kind == Kind::Number       ? "number"
                            : input.kind == Kind::Units  ? "units"
                            : input.kind == Kind::Choice ? "choice"
                            : input.kind == Kind::Sizes  ? "sizes"
                                                         : "presets"));
    out.set("caption", WithoutMnemonic(input.caption));
    out.set("heading", std::string(input.heading));
    out.set("onlyFor", std::string(input.onlyFor));
    out.set("length", input.unit == design::Unit::Length);
    std::vector<std::string> spoken, unit, placeholder;
    for (const bool mm : {false, true}) {
        spoken.push_back(std::string(input.spoken) + std::string(design::SpokenUnit(input.unit, mm)));
        unit.emplace_back(design::UnitText(input.unit, mm));
        placeholder.push_back(design::Placeholder(input, mm, separators));
    }
    out.set("spoken", Strings(spoken));
    out.set("unit", Strings(unit));
    out.set("placeholder", Strings(placeholder));
    if (input.kind == Kind::Sizes) {
        std::vector<std::string> names;
        for (const double mm : design::kMetricWires)
            names.push_back(design::MetricWireName(mm, separators));
        out.set("sizes", Strings(design::MetricWireLabels(separators)));
        out.set("names", Strings(names));
    }
    if (input.kind == Kind::Choice) {
        std::vector<std::string> choices(input.choices.begin(), input.choices.end());
        out.set("choices", Strings(choices));
    }
    if (input.kind == Kind::Presets) {
        const auto [low, high] = design::PresetFields(input);
        out.set("presets", Strings(Labels(input.presets)));
        out.set("fills", Strings({std::string(low->control), std::string(high->control)}));
    }
    return out;
}

// What the design shows as it opens: its groups of inputs ({title, inputs}),
// the inputs' texts and the units, the first by the browser's region ("US", "DE").
val DesignStart(const std::string &decimal, const std::string &group, const std::string &region)
{
    const Separators separators(decimal, group);
    val groups = val::array();
    for (const design::FormGroup &formGroup : design::kGroups) {
        val inputs = val::array();
        for (const design::Input *input : design::InputsOf(formGroup.group))
            inputs.call<void>("push", FormInput(*input, separators));
        val each = val::object();
        each.set("title", std::string(formGroup.title));
        each.set("inputs", inputs);
        groups.call<void>("push", each);
    }
    val texts = val::array();
    for (const auto &[name, text] : design::InitialTexts(separators, design::StartsInMillimetres(region)))
        texts.call<void>("push", Strings({std::string(name), text}));
    val out = val::object();
    out.set("groups", groups);
    out.set("texts", texts);
    out.set("units", Strings({std::string(design::kInch), std::string(design::kMillimetre)}));
    return out;
}

// The two texts a preset fills in; none for Custom.
val DesignPreset(const std::string &list, int index, const std::string &decimal, const std::string &group)
{
    const std::span<const design::Preset> presets = PresetsOf(list);
    if (index < 0 || index >= int(presets.size()))
        return Strings({});
    const auto [low, high] = design::PresetTexts(presets[std::size_t(index)], Separators(decimal, group));
    return Strings({low, high});
}

int DesignMatch(const std::string &list, const std::string &low, const std::string &high, const std::string &decimal,
                const std::string &group)
{
    return design::MatchingPreset(PresetsOf(list), low, high, Separators(decimal, group));
}

std::string DesignConvert(const std::string &text, bool toMillimetres, const std::string &decimal,
                          const std::string &group)
{
    return design::ConvertLength(text, toMillimetres, Separators(decimal, group));
}

// The design of the page's inputs as they are: {good, badField, message,
// verdict, headers, rows (of [text, whole, sort key]), copy, drawings (each row's form or card as SVG, "" for none)}.
val Design(const std::string &decimal, const std::string &group)
{
    val out = val::object();
    design::View view;
    try {
        view = design::Design(DomFields(), Separators(decimal, group));
    } catch (const std::exception &error) { // a control the page lacks
        view.message = error.what();
    }
    val rows = val::array();
    for (const std::vector<design::Cell> &cells : view.rows) {
        val row = val::array();
        for (const design::Cell &cell : cells) {
            val item = Strings({cell.text, cell.whole});
            item.call<void>("push", cell.sortKey);
            row.call<void>("push", item);
        }
        rows.call<void>("push", row);
    }
    out.set("good", view.good);
    out.set("badField", view.badField);
    out.set("message", view.message);
    out.set("verdict", Strings(view.verdict));
    out.set("headers", Strings(view.headers));
    out.set("rows", rows);
    out.set("copy", design::CopyText(view));
    out.set("drawings", Strings(view.drawings));
    out.set("csv", design::CsvText(view));
    return out;
}

// The taps panel's fields as design.js builds them: [{id, caption, spoken, unit, initial}].
val TapsStart()
{
    val out = val::array();
    for (const design::TapsInput &input : design::kTapsInputs) {
        val each = val::object();
        each.set("id", std::string(input.control));
        each.set("caption", WithoutMnemonic(input.caption));
        each.set("spoken", std::string(input.spoken));
        each.set("unit", std::string(input.unit));
        each.set("initial", std::string(input.initial));
        out.call<void>("push", each);
    }
    return out;
}

// The taps of the design table's row `row` (-1: none) for the page's inputs:
// {title, badField, message, headers, rows (of texts)}.
val DesignTaps(int row, const std::string &decimal, const std::string &group)
{
    design::TapsView view;
    try {
        view = design::DesignTaps(DomFields(), Separators(decimal, group), row);
    } catch (const std::exception &error) { // a control the page lacks
        view.message = error.what();
    }
    val rows = val::array();
    for (const std::vector<std::string> &cells : view.rows)
        rows.call<void>("push", Strings(cells));
    val out = val::object();
    out.set("title", view.title);
    out.set("badField", view.badField);
    out.set("message", view.message);
    out.set("headers", Strings(view.headers));
    out.set("rows", rows);
    out.set("drawing", view.drawing); // the card with these taps marked, "" for none
    return out;
}

} // namespace
} // namespace spirelle

EMSCRIPTEN_BINDINGS(spirelle)
{
    emscripten::function("press", &spirelle::Press);
    emscripten::function("pressInductanceOverTable", &spirelle::PressInductanceOverTable);
    emscripten::function("designStart", &spirelle::DesignStart);
    emscripten::function("designPreset", &spirelle::DesignPreset);
    emscripten::function("designMatch", &spirelle::DesignMatch);
    emscripten::function("designConvert", &spirelle::DesignConvert);
    emscripten::function("design", &spirelle::Design);
    emscripten::function("tapsStart", &spirelle::TapsStart);
    emscripten::function("designTaps", &spirelle::DesignTaps);
}
