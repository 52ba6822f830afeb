#pragma once

#include <QLineEdit>

namespace spirelle {

// A text box the page handlers write a result into. Where the text is wider
// than the box it is drawn cut with a visible "…", never as a shorter number
// ("1309" for 13090); text() stays the whole written text, and the tool tip
// (the box's note, or the text itself) tells it whole, wrapped to the
// window's width. Until a note is written, a screen reader hears that the box
// is empty: its first text is a placeholder ("uH", "lenth of coil").
class ResultBox : public QLineEdit {
    Q_OBJECT
public:
    explicit ResultBox(QWidget *parent = nullptr);

    // Whether the text is drawn cut: wider than the room the box has for it.
    bool isElided() const;

    // The description a box has before its first result.
    static QString emptyDescription();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QRect textRect() const;
};

// The text broken into lines no wider than `width` pixels in `font`, at word
// boundaries where it has them; its own line breaks stay.
QString WrapToWidth(const QString &text, const QFont &font, int width);

} // namespace spirelle
