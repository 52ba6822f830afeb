#include "calc/quote.h"

#include "calc/utf8.h"

namespace spirelle {

std::string Quote(std::string_view text, const QuoteStyle &style)
{
    const auto isControl = [&style](char32_t c) { return !style.control.empty() && (c < 0x20 || c == 0x7f); };
    std::string shown;
    if (style.decode) {
        for (const char32_t c : utf8::Decode(text))
            shown += isControl(c) ? std::string(style.control) : utf8::Encode(c);
    } else {
        for (const char c : text) {
            if (isControl(static_cast<unsigned char>(c)))
                shown += style.control;
            else
                shown += c;
        }
    }
    if (style.limit > 0 && utf8::Length(shown) > style.limit)
        shown = utf8::Prefix(shown, style.limit - (style.ellipsisWithin ? 1 : 0)) + "\u2026";
    return std::string(style.open).append(shown).append(style.close);
}

} // namespace spirelle
