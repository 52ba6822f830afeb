#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

// SVG written as text, every length in millimetres: the document's width and
// height carry the unit and its viewBox counts millimetres, so a printer and a
// laser cutter take it at 1:1. Each element carries a class that names the
// part it draws ("hub", "spoke", "rule"), for a cutter's layers and for tests.
// Numbers are written with a point whatever the locale, to a thousandth of a
// millimetre.
namespace spirelle::forms {

// A point, millimetres from the drawing's top left, y downwards.
struct Point {
    double x = 0;
    double y = 0;
};

class Svg {
public:
    // A drawing `width` by `height` millimetres.
    Svg(double width, double height);

    void circle(std::string_view part, Point centre, double radius);
    void line(std::string_view part, Point from, Point to);
    // A closed outline through `points`.
    void polygon(std::string_view part, std::initializer_list<Point> points);
    // `id` names one of several of a part ("rule-100mm"); "" for none.
    void rect(std::string_view part, Point topLeft, double width, double height, std::string_view id = "");
    // One line of text, its baseline starting at `at`, `size` millimetres high.
    void text(std::string_view part, Point at, std::string_view words, double size = 3.5);

    // The document, with its style sheet: cut lines, marks and text.
    std::string finish() const;

private:
    double m_width;
    double m_height;
    std::string m_body;
};

// A millimetre count as the document writes it: 12.5 -> "12.5", 1/3 -> "0.333", -0.0001 -> "0".
std::string Mm(double value);

// Text with &, <, > and " escaped: "a<b" -> "a&lt;b".
std::string Escaped(std::string_view text);

} // namespace spirelle::forms
