#include "pages/field_table.h"

#include "pages/design.h"
#include "pages/form_layout.h"
#include "pages/taps_panel.h"
#include "calc/utf8.h"

namespace spirelle {

FieldTable FieldTable::mainWindow()
{
    FieldTable table;
    for (int page = 0; page < layout::kPageCount; ++page) {
        for (const layout::Control &control : layout::PageControls(page)) {
            if (control.kind == layout::Kind::Label || control.kind == layout::Kind::TextBox) {
                table.m_entries.emplace(
                    std::string(control.name),
                    Entry{std::string(control.text), control.kind == layout::Kind::Label, control.maxLength, {}});
            }
        }
    }
    return table;
}

FieldTable FieldTable::designWindow(const Separators &separators)
{
    FieldTable table;
    for (auto &[name, text] : design::InitialTexts(separators))
        table.m_entries.emplace(std::string(name), Entry{std::move(text), false, 0, {}});
    for (const design::TapsInput &input : design::kTapsInputs) // the taps panel's, under the table
        table.m_entries.emplace(std::string(input.control), Entry{std::string(input.initial), false, 0, {}});
    return table;
}

template <class Self>
auto &FieldTable::find(Self &self, std::string_view name, bool label)
{
    const auto it = self.m_entries.find(name);
    if (it == self.m_entries.end() || it->second.isLabel != label)
        throw ControlError("No " + std::string(label ? "label" : "text box") + " named " + std::string(name) + ".");
    return it->second;
}

std::string FieldTable::text(std::string_view textBox) const
{
    return find(*this, textBox, false).text;
}

std::string FieldTable::caption(std::string_view label) const
{
    return find(*this, label, true).text;
}

void FieldTable::setText(std::string_view textBox, std::string_view text)
{
    Entry &entry = find(*this, textBox, false);
    entry.text = entry.maxLength > 0 ? utf8::Prefix(text, static_cast<std::size_t>(entry.maxLength))
                                     : std::string(text);
}

void FieldTable::setNote(std::string_view textBox, std::string_view note)
{
    find(*this, textBox, false).note = note;
}

std::string FieldTable::note(std::string_view textBox) const
{
    return find(*this, textBox, false).note;
}

} // namespace spirelle
