#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// The commands as one table: each command's name, summary, positional
// arguments with their help, options, the overview's paragraph and the
// function that runs it. Each command's help and the reading of its
// arguments, the --help overview, the dispatch and the bash completion's
// words are all built from it, so they cannot disagree.
namespace spirelle::cli {

struct Positional {
    std::string_view name; // "DIAMETER": the synopsis's word and the messages' name
    std::string_view help; // "the form's diameter, inches"
};

// An option besides --csv and --json, which every command has. One with no
// typeName is a flag: its text is "yes" when given and "" when not.
struct Option {
    std::string_view flag;     // "--stray"
    std::string_view typeName; // "PF"
    std::string_view help;
    std::string_view fallback; // the value when the option is not given
    std::string_view needs;    // the option it only goes with ("--wire" for --bare), or ""
};

// Runs a command over its positionals (named, with their values, in the
// table's order) and its options' texts (in the table's order), writing its
// rows to `out`. A UsageError ends it before the first row.
using Runner = Outcome (*)(std::vector<Argument> arguments, std::span<const std::string> options, Format format,
                           Sink &out);

struct Command {
    std::string_view name;
    std::string_view summary; // CLI11's one-line description
    std::span<const Positional> positionals;
    std::span<const Option> options;
    std::string_view overview; // the overview's paragraph, one line a line
    Runner run;
};

std::span<const Command> Commands();

// "wind INDUCTANCE DIAMETER [--wire OD [--bare BARE]] [--mm]"
std::string Synopsis(const Command &command);

// The bash completion script: the commands, then each command's options.
std::string BashCompletion();

} // namespace spirelle::cli
