#pragma once

#include "pages/field_access.h"
#include "calc/number_parse.h"

#include <map>
#include <string>

namespace spirelle {

// FieldAccess over a plain table of texts keyed by control name, with the main
// window's maximum lengths. The handlers run on it exactly as on the window.
class FieldTable : public FieldAccess {
public:
    // Every control of the main window with its initial text or caption.
    static FieldTable mainWindow();
    // The design window's inputs as it opens (design.h) and its taps panel's
    // (taps_panel.h), in the notation of `separators`.
    static FieldTable designWindow(const Separators &separators);

    std::string text(std::string_view textBox) const override;
    std::string caption(std::string_view label) const override;
    void setText(std::string_view textBox, std::string_view text) override;
    void setNote(std::string_view textBox, std::string_view note) override;
    // The box's note, empty until one is set.
    std::string note(std::string_view textBox) const;

private:
    struct Entry {
        std::string text;
        bool isLabel = false;
        int maxLength = 0;
        std::string note;
    };
    template <class Self>
    static auto &find(Self &self, std::string_view name, bool label);

    std::map<std::string, Entry, std::less<>> m_entries;
};

} // namespace spirelle
