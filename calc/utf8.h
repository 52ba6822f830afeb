#pragma once

#include <string>
#include <string_view>

// Field texts travel as UTF-8; lengths and cuts count characters (code points),
// as a text box counts them.
namespace spirelle::utf8 {

// Code points of text; a byte that does not start a valid sequence becomes U+FFFD.
std::u32string Decode(std::string_view text);
// One code point as UTF-8: Encode(U'\u00B5') -> "\xC2\xB5"
std::string Encode(char32_t c);

// Length("0,5") -> 3, Length("0\u066B5") -> 3
std::size_t Length(std::string_view text);
// Prefix("8.7719298245614 uH", 4) -> "8.77"
std::string Prefix(std::string_view text, std::size_t characters);

} // namespace spirelle::utf8
