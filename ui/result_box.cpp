#include "ui/result_box.h"

#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLayout>
#include <QToolTip>

#include <algorithm>

namespace spirelle {
namespace {

// What QLineEdit keeps clear beside its text, left and right.
constexpr int kHorizontalMargin = 2;

} // namespace

ResultBox::ResultBox(QWidget *parent) : QLineEdit(parent)
{
    setAccessibleDescription(emptyDescription());
}

QString ResultBox::emptyDescription()
{
    return QStringLiteral("Empty: no result yet.");
}

QRect ResultBox::textRect() const
{
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents =
        style()->subElementRect(QStyle::SE_LineEditContents, &panel, this).marginsRemoved(textMargins());
    // Placed as QLineEdit places its line: centred, one font height tall.
    const int height = fontMetrics().height();
    return {contents.x() + kHorizontalMargin, contents.y() + (contents.height() - height + 1) / 2,
            contents.width() - 2 * kHorizontalMargin, height};
}

bool ResultBox::isElided() const
{
    return !hasFocus() && fontMetrics().horizontalAdvance(text()) > textRect().width();
}

bool ResultBox::event(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const QString tip = toolTip().isEmpty() && isElided() ? text() : toolTip();
        if (tip.isEmpty())
            return QLineEdit::event(event);
        // The tip's own frame and margin take a few pixels of the window's width.
        const int frame = 2 * (2 + style()->pixelMetric(QStyle::PM_ToolTipLabelFrameWidth, nullptr, this));
        const QString wrapped = WrapToWidth(tip, QToolTip::font(), window()->width() - frame);
        // Moved left as far as it takes to end within the window, not beyond its edge.
        const QFontMetrics metrics(QToolTip::font());
        int width = 0;
        for (const QString &line : wrapped.split(QLatin1Char('\n')))
            width = std::max(width, metrics.horizontalAdvance(line) + frame);
        QPoint at = static_cast<QHelpEvent *>(event)->globalPos();
        const int right = window()->mapToGlobal(QPoint(window()->width(), 0)).x();
        at.setX(std::max(window()->mapToGlobal(QPoint(0, 0)).x(), std::min(at.x(), right - width)));
        QToolTip::showText(at, wrapped, this);
        return true;
    }
    return QLineEdit::event(event);
}

void ResultBox::paintEvent(QPaintEvent *event)
{
    if (!isElided()) {
        QLineEdit::paintEvent(event);
        return;
    }
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    const QPalette::ColorGroup group = !isEnabled() ? QPalette::Disabled
        : isActiveWindow()                          ? QPalette::Active
                                                    : QPalette::Inactive;
    painter.setPen(palette().color(group, QPalette::Text));
    const QRect room = textRect();
    painter.drawText(room, Qt::AlignLeft | Qt::AlignTop,
                     fontMetrics().elidedText(text(), Qt::ElideRight, room.width()));
}

QString WrapToWidth(const QString &text, const QFont &font, int width)
{
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font);
        layout.beginLayout();
        int count = 0;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine(), ++count) {
            line.setLineWidth(width);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (count == 0)
            lines << QString();
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace spirelle
