#include "form_widgets.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <cmath>
#include <limits>

namespace spirelle {

QRect ToPixels(int left, int top, int width, int height)
{
    const auto px = [](int twips) { return static_cast<int>(std::lround(twips / double(layout::kTwipsPerPixel))); };
    return {px(left), px(top), px(width), px(height)};
}

QFont FormFont(double pointSize, bool bold)
{
    QFont font;
    // Liberation Sans has Arial's metrics, close to MS Sans Serif's at this size.
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

QWidget *CreateControl(const layout::Control &control, QWidget *parent)
{
    using layout::Flag;
    const QString text = QString::fromUtf8(control.text.data(), static_cast<qsizetype>(control.text.size()));
    QWidget *widget = nullptr;
    switch (control.kind) {
    case layout::Kind::Label:
        widget = new QLabel(text, parent);
        // A caption is drawn from the top of its place, so captions that share a Top line up.
        static_cast<QLabel *>(widget)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        break;
    case layout::Kind::TextBox: {
        auto *box = new QLineEdit(parent);
        // A box without a stated limit takes any text, even a pasted one of
        // megabytes; Qt's own default would cut it at 32767 characters.
        box->setMaxLength(control.maxLength > 0 ? control.maxLength : std::numeric_limits<int>::max());
        box->setText(text);
        box->setCursorPosition(0);
        widget = box;
        break;
    }
    case layout::Kind::Button:
        widget = new QPushButton(text, parent);
        break;
    case layout::Kind::Frame: {
        auto *frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken); // an etched rectangle
        widget = frame;
        break;
    }
    }
    widget->setObjectName(QString::fromUtf8(control.name.data(), static_cast<qsizetype>(control.name.size())));
    widget->setGeometry(ToPixels(control.left, control.top, control.width, control.height));
    widget->setFont(FormFont(control.pointSize > 0 ? control.pointSize : 8.25, control.has(Flag::Bold)));
    widget->setEnabled(!control.has(Flag::Disabled));
    if (!control.caption.empty())
        widget->setAccessibleName(QString::fromUtf8(control.caption.data(), static_cast<qsizetype>(control.caption.size())));

    QPalette palette = widget->palette();
    if (control.has(Flag::Red)) {
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::WindowText, QColor(255, 0, 0));
    }
    if (control.has(Flag::ActiveBorder)) {
        // Qt has no active-border role; the 3D face colour is what that border shows on classic desktops.
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            palette.setColor(group, QPalette::Base, palette.color(QPalette::Active, QPalette::Button));
    }
    widget->setPalette(palette);
    return widget;
}

} // namespace spirelle
