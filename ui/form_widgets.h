#pragma once

#include "pages/form_layout.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>

#include <functional>
#include <string_view>

class QPalette;
class QWidget;

// Turning the control tables into widgets.
namespace spirelle {

// A UTF-8 text of the tables and handlers as a QString.
QString ToQString(std::string_view text);

// Twips to logical pixels, 15 to a pixel.
QRect ToPixels(int left, int top, int width, int height);
inline QRect ToPixels(const layout::Rect &r)
{
    return ToPixels(r.left, r.top, r.width, r.height);
}

// "MS Sans Serif" where the system has it, else a sans serif of similar metrics.
QFont FormFont(double pointSize = 8.25, bool bold = false);

// WCAG 2 relative luminance of an sRGB colour (0 black, 1 white) and the contrast ratio of two colours.
double RelativeLuminance(const QColor &colour);
double ContrastRatio(const QColor &a, const QColor &b);

// The least step of 0 to 255 at which `passes` holds, where it holds from
// some step on and never before; 255 where it never holds. Starts at the
// step `forecast` and the one beside it, which settle it when the forecast
// is right, and halves what is left when it is not.
int LeastPassingStep(int forecast, const std::function<bool(int)> &passes);

// The colour of marks that are not text, the focus ring and the selected tab:
// the palette's highlight, moved towards its text colour until it stands at
// 3:1 against every ground it is drawn beside.
QColor MarkColour(const QPalette &palette);

// Gives the window's highlight the mark colour, so that the style's focus
// rings stand out; follows the desktop's palette as it changes.
void KeepFocusVisible(QWidget *window);

// A widget for one control: a QLabel, QLineEdit, QPushButton or QFrame whose
// objectName is the control's name, placed and styled as the table says.
QWidget *CreateControl(const layout::Control &control, QWidget *parent);

} // namespace spirelle
