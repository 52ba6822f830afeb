#include "ui/print_drawing.h"

#include <QFileDialog>
#include <QLocale>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgRenderer>

namespace spirelle {
namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kDotsPerInch = 1200;

// The sheet the drawing goes on: `page` upright, else turned, else the drawing's own size.
QPageLayout LayoutFor(QSizeF drawing, QPageSize::PageSizeId page)
{
    const QPageSize sheet(page);
    const QSizeF upright = sheet.size(QPageSize::Millimeter);
    const QMarginsF none(0, 0, 0, 0);
    if (drawing.width() <= upright.width() && drawing.height() <= upright.height())
        return QPageLayout(sheet, QPageLayout::Portrait, none, QPageLayout::Millimeter);
    if (drawing.width() <= upright.height() && drawing.height() <= upright.width())
        return QPageLayout(sheet, QPageLayout::Landscape, none, QPageLayout::Millimeter);
    return QPageLayout(QPageSize(drawing, QPageSize::Millimeter, QStringLiteral("Drawing"), QPageSize::ExactMatch),
                       QPageLayout::Portrait, none, QPageLayout::Millimeter);
}

} // namespace

QString WritePrintPdf(const QByteArray &svg, const QString &path, QPageSize::PageSizeId page)
{
    QSvgRenderer renderer(svg);
    // The document's viewBox counts millimetres (forms/svg.h).
    const QRectF box = renderer.viewBoxF();
    if (!renderer.isValid() || box.isEmpty())
        return QStringLiteral("the drawing is not an SVG Qt SVG can read");
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    {
        QPdfWriter pdf(&file);
        pdf.setResolution(kDotsPerInch);
        pdf.setCreator(QStringLiteral("Spirelle"));
        pdf.setPageLayout(LayoutFor(box.size(), page));
        const QSizeF sheet = pdf.pageLayout().fullRect(QPageLayout::Millimeter).size();
        const double dots = kDotsPerInch / kMillimetresPerInch; // device dots a millimetre
        QPainter painter(&pdf);
        // Centred across the sheet, at its top: the drawing's own 10 mm margin is the printer's.
        const QPointF at((sheet.width() - box.width()) / 2 * dots, 0);
        renderer.render(&painter, QRectF(at, box.size() * dots));
        if (!painter.end())
            return QStringLiteral("the PDF could not be drawn");
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

QString WritePrintSvg(const QByteArray &svg, const QString &path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(svg) != svg.size() || !file.commit())
        return file.errorString();
    return {};
}

void SaveForPrinting(QWidget *parent, const QByteArray &svg, const QString &name)
{
    const QString a4 = QStringLiteral("PDF on A4, 1:1 (*.pdf)");
    const QString letter = QStringLiteral("PDF on Letter, 1:1 (*.pdf)");
    const QString plain = QStringLiteral("SVG, millimetres (*.svg)");
    QString chosen = QLocale().measurementSystem() == QLocale::ImperialUSSystem ? letter : a4;
    QString path = QFileDialog::getSaveFileName(
        parent, QStringLiteral("Save for printing"), name + QStringLiteral(".pdf"),
        a4 + QStringLiteral(";;") + letter + QStringLiteral(";;") + plain, &chosen);
    if (path.isEmpty())
        return;
    const bool asSvg = chosen == plain || path.endsWith(QStringLiteral(".svg"), Qt::CaseInsensitive);
    const QString extension = asSvg ? QStringLiteral(".svg") : QStringLiteral(".pdf");
    if (!path.endsWith(extension, Qt::CaseInsensitive))
        path += extension;
    const QString why = asSvg ? WritePrintSvg(svg, path)
                              : WritePrintPdf(svg, path, chosen == letter ? QPageSize::Letter : QPageSize::A4);
    if (!why.isEmpty())
        QMessageBox::warning(parent, QStringLiteral("Save for printing"),
                             QStringLiteral("%1 could not be saved: %2").arg(path, why));
}

} // namespace spirelle
