#pragma once

#include "pages/form_layout.h"

#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

class QWidget;

// Turning the control tables into widgets.
namespace spirelle {

// A UTF-8 text of the tables and handlers as a QString.
QString ToQString(std::string_view text);

// Twips to logical pixels, 15 to a pixel.
QRect ToPixels(int left, int top, int width, int height);
inline QRect ToPixels(const layout::Rect &r) { return ToPixels(r.left, r.top, r.width, r.height); }

// "MS Sans Serif" where the system has it, else a sans serif of similar metrics.
QFont FormFont(double pointSize = 8.25, bool bold = false);

// A widget for one control: a QLabel, QLineEdit, QPushButton or QFrame whose
// objectName is the control's name, placed and styled as the table says.
QWidget *CreateControl(const layout::Control &control, QWidget *parent);

} // namespace spirelle
