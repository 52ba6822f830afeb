#pragma once

#include <QPageSize>
#include <QString>

class QWidget;

// A form or winding card (forms/drawings.h's SVG, in millimetres) saved for
// printing: as the SVG itself, or as a PDF at 1:1 on A4 or Letter. The PDF is
// Qt SVG's rendering of that same SVG text through QPdfWriter, so the
// command line's, the page's and the window's drawings cannot part: there is
// one drawing, written once. A drawing too large for the sheet turns it to
// landscape, and when it fits neither way the page is the drawing's own size
// (still 1:1, for a larger sheet or a cutter).
namespace spirelle {

// Writes `svg` to `path` as a PDF on a `page` sheet, the drawing at its top,
// centred across, at 1:1, replacing the file only when the whole PDF is written. Returns "" or
// why it could not (the file's error, or an SVG Qt SVG cannot read).
QString WritePrintPdf(const QByteArray &svg, const QString &path, QPageSize::PageSizeId page);

// The same for the SVG as it is.
QString WritePrintSvg(const QByteArray &svg, const QString &path);

// Asks where to save `svg` and as what (PDF on A4, PDF on Letter, or SVG),
// suggesting `name`, and saves it there; a failure is said in a message box.
void SaveForPrinting(QWidget *parent, const QByteArray &svg, const QString &name);

} // namespace spirelle
