#include "widget_fields.h"

#include <QLabel>
#include <QLineEdit>

namespace spirelle {
namespace {

template <class Widget>
Widget *find(QWidget *root, std::string_view name, const char *kind)
{
    const QString objectName = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    auto *widget = root->findChild<Widget *>(objectName);
    if (!widget)
        throw ControlError("No " + std::string(kind) + " named " + std::string(name) + ".");
    return widget;
}

} // namespace

std::string WidgetFields::text(std::string_view textBox) const
{
    return find<QLineEdit>(m_root, textBox, "text box")->text().toStdString();
}

std::string WidgetFields::caption(std::string_view label) const
{
    return find<QLabel>(m_root, label, "label")->text().toStdString();
}

void WidgetFields::setText(std::string_view textBox, std::string_view text)
{
    auto *box = find<QLineEdit>(m_root, textBox, "text box");
    box->setText(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    box->setCursorPosition(0);
}

} // namespace spirelle
