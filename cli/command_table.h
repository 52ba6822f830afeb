#pragma once

#include "cli/arguments.h"
#include "cli/output.h"

#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

// The commands as one table: each command's name, summary, positional
// arguments and options (each declared once: its name, its help, the field it
// fills), the overview's paragraph and the function that runs it. Each
// command's help and the reading of its arguments, the --help overview, the
// dispatch and the bash completion's words are all built from it, so they
// cannot disagree.
namespace spirelle::cli {

// What a command's arguments fill: each command reads them into its own
// struct, derived from this one, and its runner receives it filled.
struct Fields {
    virtual ~Fields() = default;
    // The checks between arguments and the values made of several (the wires
    // of --wire, --bare and --mm): run after the positionals and the options
    // that are one value are read, before the options that may be ranges. A
    // UsageError stops the command.
    virtual void relate() {}
};

// How one argument's text fills its field; `name` names it in messages.
struct Binding {
    void (*fill)(Fields &fields, std::string_view name, std::string_view text) = nullptr;
    bool range = false; // whether the value may be a range START:STOP:STEP
};

// The binding of a field, read by its type: a number or a range
// (std::vector<double>), a band LOW-HIGH (BandValues), a text as typed
// (std::string) or a flag (bool, set when given):
//   Bind<&TuneFields::stray>(), Bind<&WoundFields::mm>()
template <auto Member>
constexpr Binding Bind();

struct Positional {
    std::string_view name; // "DIAMETER": the synopsis's word and the messages' name
    std::string_view help; // "the form's diameter, inches"
    Binding field;
};

// An option every command has, declared once: the output's format (--csv,
// --json) and the table's digits and width (--digits, --wide). One with no
// typeName is a flag.
struct FormatOption {
    std::string_view flag;     // "--digits"
    std::string_view typeName; // "N"
    std::string_view help;     // every command's --help and the overview
    // Sets its part of the format from its text ("" for a flag); a UsageError when the text will not do.
    void (*apply)(Format &format, std::string_view text);
};

std::span<const FormatOption> FormatOptions();

// An option of one command, besides those every command has. One with no
// typeName is a flag: its text is "yes" when given and "" when not.
struct Option {
    std::string_view flag;     // "--stray"
    std::string_view typeName; // "PF"
    std::string_view help;     // the command's --help
    std::string_view brief;    // the overview's line, when it says less than `help`; "" when the same
    std::string_view fallback; // the value when the option is not given; the overview says "(default 10)"
    std::string_view needs;    // the option it only goes with ("--wire" for --bare), or ""
    Binding field;
    bool repeatable = false; // may be given again: a number or range's values are then all of them, in order
};

// The texts of a command line: its positionals' and its options' (the
// fallback when not given), each in the table's order.
struct Texts {
    std::span<const std::string> positionals;
    std::span<const std::string> options;
};

struct Command;

// Reads a command's texts into its fields and runs it, writing its rows to
// `out`. A UsageError ends it before the first row.
using Runner = Outcome (*)(const Command &command, Texts texts, Format format, Sink &out);

struct Command {
    std::string_view name;
    std::string_view summary; // CLI11's one-line description
    std::span<const Positional> positionals;
    std::span<const Option> options;
    std::string_view overview; // the overview's paragraph, one line a line
    Runner run;
};

namespace detail {

template <class T>
struct MemberOf;
template <class C, class T>
struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

void Read(std::string_view name, std::string_view text, std::vector<double> &values);
void Read(std::string_view name, std::string_view text, BandValues &band);
void Read(std::string_view name, std::string_view text, std::string &value);
void Read(std::string_view name, std::string_view text, bool &flag);

} // namespace detail

template <auto Member>
constexpr Binding Bind()
{
    using Of = detail::MemberOf<decltype(Member)>;
    using Type = typename Of::Type;
    return {[](Fields &fields, std::string_view name, std::string_view text) {
                // A field of another command's struct is a mistake in the table: std::bad_cast.
                detail::Read(name, text, dynamic_cast<typename Of::Class &>(fields).*Member);
            },
            std::is_same_v<Type, std::vector<double>> || std::is_same_v<Type, BandValues>};
}

// Fills `fields` from `texts`: the positionals in order, the options that are
// one value, fields.relate(), then the options that may be ranges.
void Fill(const Command &command, Texts texts, Fields &fields);

// The Runner of a command whose arguments fill a `F` and that `run` answers:
//   Bound<TuneFields, RunTune>
template <class F, Outcome (*run)(const F &fields, Format format, Sink &out)>
Outcome Bound(const Command &command, Texts texts, Format format, Sink &out)
{
    F fields;
    Fill(command, texts, fields);
    return run(fields, format, out);
}

std::span<const Command> Commands();

// The option with its value's type name: "--wire OD", "--mm".
std::string Spelled(const Option &option);

// "wind INDUCTANCE DIAMETER [--wire OD [--bare BARE]] [--mm]"
std::string Synopsis(const Command &command);

// The bash completion script: the commands, then each command's options.
std::string BashCompletion();

} // namespace spirelle::cli
