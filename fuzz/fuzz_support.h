#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// What the fuzz targets share: how an input is cut into a separator and field
// texts, and a check that stops the run loudly (libFuzzer saves the input).
namespace spirelle::fuzz {

// The decimal separators a locale can hand the handlers: the two ASCII ones and
// the Arabic one, which is two bytes in UTF-8.
inline constexpr std::string_view kSeparators[] = {".", ",", "\u066B"};

[[noreturn]] inline void Fail(const char *what, std::string_view detail = {})
{
    std::fprintf(stderr, "\n*** %s: [%.*s]\n", what, static_cast<int>(detail.size()), detail.data());
    std::abort();
}

inline void Check(bool holds, const char *what, std::string_view detail = {})
{
    if (!holds)
        Fail(what, detail);
}

struct Input {
    std::string_view separator;
    std::vector<std::string> fields;
};

// Input format: the first line picks the decimal separator by its first byte
// modulo 3 ('0' ".", '1' ",", '2' U+066B; an empty line "."). Each following
// line is one field, in order; the last field takes the rest of the input,
// newlines included, and fields the input does not reach are empty.
inline Input SplitInput(const std::uint8_t *data, std::size_t size, std::size_t fieldCount)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    Input input{kSeparators[0], std::vector<std::string>(fieldCount)};
    std::size_t lineEnd = bytes.find('\n');
    if (!bytes.empty() && lineEnd != 0)
        input.separator = kSeparators[static_cast<unsigned char>(bytes[0]) % 3];
    for (std::size_t i = 0; i < fieldCount && lineEnd != std::string_view::npos; ++i) {
        const std::size_t begin = lineEnd + 1;
        lineEnd = i + 1 < fieldCount ? bytes.find('\n', begin) : std::string_view::npos;
        input.fields[i] = std::string(
            bytes.substr(begin, lineEnd == std::string_view::npos ? lineEnd : lineEnd - begin));
    }
    return input;
}

} // namespace spirelle::fuzz
