#include "ui/widget_fields.h"

#include "ui/form_widgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace spirelle {
namespace {

template <class Widget>
Widget *Find(QWidget *root, std::string_view name, const char *kind)
{
    const QString objectName = ToQString(name);
    auto *widget = root->findChild<Widget *>(objectName);
    if (!widget)
        throw ControlError("No " + std::string(kind) + " named " + std::string(name) + ".");
    return widget;
}

} // namespace

std::string WidgetFields::text(std::string_view textBox) const
{
    if (auto *list = m_root->findChild<QComboBox *>(ToQString(textBox)))
        return list->currentText().toStdString();
    return Find<QLineEdit>(m_root, textBox, "text box")->text().toStdString();
}

std::string WidgetFields::caption(std::string_view label) const
{
    return Find<QLabel>(m_root, label, "label")->text().toStdString();
}

void WidgetFields::setText(std::string_view textBox, std::string_view text)
{
    auto *box = Find<QLineEdit>(m_root, textBox, "text box");
    box->setText(ToQString(text));
    box->setCursorPosition(0);
}

void WidgetFields::setNote(std::string_view textBox, std::string_view note)
{
    auto *box = Find<QLineEdit>(m_root, textBox, "text box");
    const QString text = ToQString(note);
    box->setToolTip(text);
    box->setAccessibleDescription(text);
}

} // namespace spirelle
