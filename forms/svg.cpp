#include "forms/svg.h"

#include <cmath>
#include <cstdint>

namespace spirelle::forms {

std::string Mm(double value)
{
    // Thousandths as a whole number, written by hand: no locale's decimal comma.
    const auto thousandths = std::int64_t(std::llround(value * 1000));
    const std::uint64_t magnitude = thousandths < 0 ? std::uint64_t(-thousandths) : std::uint64_t(thousandths);
    std::string text = (thousandths < 0 ? "-" : "") + std::to_string(magnitude / 1000);
    std::uint64_t fraction = magnitude % 1000;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 3 - digits.size(), '0');
        digits.erase(digits.find_last_not_of('0') + 1);
        text += "." + digits;
    }
    return text;
}

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

// How each part looks, besides the document's black 0.25 mm outline: the
// rule's bar and the text filled, the marks that are not cut lighter.
std::string Look(std::string_view part)
{
    if (part == "text" || part == "rule")
        return R"( fill="#000" stroke="none")";
    if (part == "winding")
        return R"( stroke="#555" stroke-dasharray="2,1")";
    if (part == "spoke")
        return R"( stroke="#888" stroke-dasharray="1,1")";
    if (part == "tick" || part == "end")
        return R"( stroke-width="0.2")";
    return "";
}

// ` class="part"` and the part's look.
std::string Class(std::string_view part)
{
    return " class=\"" + std::string(part) + "\"" + Look(part);
}

} // namespace

Svg::Svg(double width, double height) : m_width(width), m_height(height) {}

void Svg::circle(std::string_view part, Point centre, double radius)
{
    m_body += "<circle" + Class(part) + " cx=\"" + Mm(centre.x) + "\" cy=\"" + Mm(centre.y) + "\" r=\"" + Mm(radius) +
        "\"/>\n";
}

void Svg::line(std::string_view part, Point from, Point to)
{
    m_body += "<line" + Class(part) + " x1=\"" + Mm(from.x) + "\" y1=\"" + Mm(from.y) + "\" x2=\"" + Mm(to.x) +
        "\" y2=\"" + Mm(to.y) + "\"/>\n";
}

void Svg::polygon(std::string_view part, std::initializer_list<Point> points)
{
    std::string list;
    for (const Point &p : points)
        list += (list.empty() ? "" : " ") + Mm(p.x) + "," + Mm(p.y);
    m_body += "<polygon" + Class(part) + " points=\"" + list + "\"/>\n";
}

void Svg::rect(std::string_view part, Point topLeft, double width, double height, std::string_view id)
{
    const std::string idText = id.empty() ? "" : " id=\"" + std::string(id) + "\"";
    m_body += "<rect" + Class(part) + idText + " x=\"" + Mm(topLeft.x) + "\" y=\"" + Mm(topLeft.y) + "\" width=\"" +
        Mm(width) + "\" height=\"" + Mm(height) + "\"/>\n";
}

void Svg::text(std::string_view part, Point at, std::string_view words, double size)
{
    m_body += "<text" + Class(part) + " x=\"" + Mm(at.x) + "\" y=\"" + Mm(at.y) + "\" font-size=\"" + Mm(size) + "\">" +
        Escaped(words) + "</text>\n";
}

std::string Svg::finish() const
{
    // Presentation attributes as well as the style sheet: SVG Tiny renderers
    // (Qt SVG) read the attributes, browsers and cutters both.
    const std::string w = Mm(m_width);
    const std::string h = Mm(m_height);
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" +
        w + "mm\" height=\"" + h + "mm\" viewBox=\"0 0 " + w + " " + h +
        "\">\n"
        "<g fill=\"none\" stroke=\"#000\" stroke-width=\"0.25\" font-family=\"sans-serif\">\n" +
        m_body + "</g>\n</svg>\n";
}

} // namespace spirelle::forms
