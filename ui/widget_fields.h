#pragma once

#include "pages/field_access.h"

class QWidget;

namespace spirelle {

// FieldAccess over the widgets below a window, found by objectName: QLineEdit
// for text boxes (a QComboBox reads as its current text), QLabel for labels.
// A QLineEdit with a maximum length cuts what is written to it, as the
// handlers expect.
class WidgetFields : public FieldAccess {
public:
    explicit WidgetFields(QWidget *root) : m_root(root) {}

    std::string text(std::string_view textBox) const override;
    std::string caption(std::string_view label) const override;
    void setText(std::string_view textBox, std::string_view text) override;
    // The box's tool tip and its accessible description, so a screen reader reads it too.
    void setNote(std::string_view textBox, std::string_view note) override;

private:
    QWidget *m_root;
};

} // namespace spirelle
