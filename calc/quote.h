#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// A text quoted for a message, in one function whose style says how: which
// marks, what a control character shows as (a pasted NUL or line break would
// garble a message box or a terminal) and where a long text is cut.
namespace spirelle {

struct QuoteStyle {
    std::string_view open = "\u201C";
    std::string_view close = "\u201D";
    // What a control character (below U+0020, and U+007F) shows as; "" keeps it.
    std::string_view control = "\uFFFD";
    // Read as UTF-8, a byte that starts no valid sequence shown as U+FFFD;
    // false: byte by byte, as it came.
    bool decode = true;
    // A text of more characters than this is cut and ends with "…"; 0: never cut.
    std::size_t limit = 0;
    // The "…" is one of the `limit` characters (true) or one more.
    bool ellipsisWithin = true;
};

// A calculation's messages quote the offending text, shortened to this many
// characters so that a pasted essay still fits in a message box.
inline constexpr std::size_t kQuotedTextLimit = 40;

// The calculation's messages: Quote("abc") -> "“abc”", Quote("a\0b") -> "“a\uFFFDb”",
// 50 x's -> "“" + 39 x's + "…”".
inline constexpr QuoteStyle kMessageQuote{.limit = kQuotedTextLimit};

// The command line's messages, for a terminal: Quote("a\tb", kArgumentQuote) -> "\"a?b\"".
inline constexpr QuoteStyle kArgumentQuote{.open = "\"", .close = "\"", .control = "?", .decode = false};

std::string Quote(std::string_view text, const QuoteStyle &style = kMessageQuote);

} // namespace spirelle
