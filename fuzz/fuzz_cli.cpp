// The whole command line on arbitrary arguments, through the entry point the
// program's main uses, with the output kept in memory.
//
// Input: one argument a line (at most 12; the last takes the rest). Whatever
// they are, the run ends with status 0, 1 or 2, never prints "inf" or "nan",
// prints nothing on a usage error and says why on stderr whenever it fails.
// The output is capped (a sink that fills up, as a full disk does), which
// keeps the largest sweeps quick and runs the output's failure path.
#include "cli/cli.h"
#include "fuzz_support.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

using spirelle::fuzz::Check;

namespace {

constexpr std::size_t kMaxArguments = 12;
constexpr std::size_t kOutputCap = 64 * 1024;

class CappedSink final : public spirelle::cli::Sink {
public:
    void write(std::string_view text) override
    {
        if (m_text.size() + text.size() > kOutputCap)
            throw spirelle::cli::OutputError("no space left");
        m_text += text;
    }
    std::string m_text;
};

// A word of letters alone that reads as an infinity or a NaN in any case.
bool HasNonNumberWord(const std::string &text)
{
    std::string word;
    for (std::size_t i = 0; i <= text.size(); ++i) {
        const unsigned char c = i < text.size() ? static_cast<unsigned char>(text[i]) : ' ';
        if (std::isalpha(c)) {
            word += static_cast<char>(std::tolower(c));
            continue;
        }
        if (word == "inf" || word == "infinity" || word == "nan")
            return true;
        word.clear();
    }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> args;
    std::size_t begin = 0;
    while (begin <= bytes.size() && args.size() < kMaxArguments) {
        const std::size_t end = args.size() + 1 == kMaxArguments ? bytes.size() : bytes.find('\n', begin);
        args.emplace_back(bytes.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        begin = end == std::string_view::npos ? bytes.size() + 1 : end + 1;
    }

    // --svg writes a file wherever it is told: never from a fuzzer's arguments.
    if (std::any_of(args.begin(), args.end(), [](const std::string &arg) { return arg.starts_with("--svg"); }))
        return 0;

    std::vector<const char *> argv = {"spirelle"};
    for (const std::string &arg : args)
        argv.push_back(arg.c_str());
    // Whether it is for the window or not, it must not crash on any arguments.
    (void)spirelle::cli::IsCommandLine(static_cast<int>(argv.size()), argv.data());

    CappedSink out;
    std::string err;
    const int status = spirelle::cli::Run(args, out, err, "6.4.2");
    Check(status == 0 || status == 1 || status == 2, "an exit status other than 0, 1 or 2", err);
    Check(!HasNonNumberWord(out.m_text), "inf or nan in the output", out.m_text);
    Check(status == 0 || !err.empty(), "a failure without a message", out.m_text);
    Check(status != 2 || out.m_text.empty(), "a usage error printed rows", out.m_text);
    return 0;
}
