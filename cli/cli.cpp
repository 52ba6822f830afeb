#include "cli/cli.h"

#include "calc/quote.h"
#include "cli/arguments.h"
#include "cli/command_table.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <vector>

#ifndef SPIRELLE_VERSION
#define SPIRELLE_VERSION "0"
#endif

namespace spirelle::cli {
namespace {

// A command's arguments as typed: its positionals' and its options' texts, in
// the table's order, and the format the options every command has make.
struct Parsed {
    std::vector<std::string> numbers;
    std::vector<std::string> options;
    std::vector<bool> given;       // each option's, in the table's order
    std::vector<bool> formatGiven; // each of FormatOptions()'
    Format format;
    bool help = false;
};

// The overview's option lines: the option from column 3, its help from
// column 21 in words up to column `end`, each further line indented as far.
constexpr std::size_t kHelpColumn = 20;
constexpr std::size_t kCommandOptionEnd = 60; // beside a command's paragraph
constexpr std::size_t kProgramOptionEnd = 80;

//   ("--band LOW-HIGH", "the band in kHz (default 530-1700)", 60)
//     -> "  --band LOW-HIGH   the band in kHz (default 530-1700)\n"
std::string OptionLine(std::string_view option, std::string_view help, std::size_t end)
{
    std::string text = "  " + std::string(option);
    text.append(text.size() < kHelpColumn ? kHelpColumn - text.size() : 1, ' ');
    std::size_t lineStart = 0;
    bool first = true;
    while (!help.empty()) {
        const std::size_t space = help.find(' ');
        const std::string_view word = help.substr(0, space);
        if (!first && text.size() - lineStart + 1 + word.size() > end) {
            text += "\n";
            lineStart = text.size();
            text.append(kHelpColumn, ' ');
        } else if (!first) {
            text += " ";
        }
        text += word;
        first = false;
        help.remove_prefix(space == std::string_view::npos ? help.size() : space + 1);
    }
    return text + "\n";
}

// An option's line under its command in the overview: its brief help, and its default.
std::string OptionLine(const Option &option)
{
    std::string help(option.brief.empty() ? option.help : option.brief);
    if (!option.fallback.empty())
        help += " (default " + std::string(option.fallback) + ")";
    return OptionLine(Spelled(option), help, kCommandOptionEnd);
}

// The overview's Options: the output's formats, --help and --version.
std::string ProgramOptions()
{
    std::string text = "Options:\n";
    for (const FormatOption &option : FormatOptions())
        text += OptionLine(std::string(option.flag) + (option.typeName.empty() ? "" : " ") +
                               std::string(option.typeName),
                           option.help, kProgramOptionEnd);
    text += OptionLine("-h, --help",
                       "this help; spirelle COMMAND --help, or spirelle --help COMMAND, for one command's arguments "
                       "and options",
                       kProgramOptionEnd);
    return text + OptionLine("--version", "the version and the Qt it was built with", kProgramOptionEnd);
}

constexpr std::string_view kOverviewEnd =
    "\n"
    "Numbers are written with '.' as the decimal point in every locale, on the\n"
    "command line and in the answers. CSV and JSON have 15 significant digits,\n"
    "so that they can be fed back in; the table rounds for reading: turns\n"
    "whole, lengths to 3 decimals (a wire's diameter and a pitch to 4), uH, pF,\n"
    "kHz, MHz, ohms, percent and ratios to 4 significant digits (--digits). The\n"
    "table leaves out a column with nothing in it, and, to fit 100 columns, the\n"
    "least needed columns first: Wheeler diff %, then in/turn or length/diameter\n"
    "(coil, loose); Wheeler uH, then C self pF (tune, wind); sheet uH, then\n"
    "Wheeler uH (solenoid). A line under it names them; --wide shows them.\n"
    "Any number but those of --wire, --bare, --pitch and --length may be a range\n"
    "START:STOP:STEP (inclusive, STEP above 0): the command then prints a row\n"
    "for every combination of values, at most 100000 in all. Diameters and\n"
    "lengths are in inches (millimetres with --mm, in tune, wind and solenoid),\n"
    "inductances in uH, capacitances in pF, frequencies in MHz (lc) or kHz. No\n"
    "value is negative. A wire is a gauge (awg26 or #26 for AWG, swg22 for the\n"
    "British gauge, heavy-build enamel), an outside diameter in mm (0.5mm) or a\n"
    "plain outside diameter. tune, wind and solenoid compute the coil as wound:\n"
    "turns of round wire (Rosa 1906, at radio frequency) with its own\n"
    "capacitance from Medhurst's measured table (1947; outside it the value is\n"
    "held at its end and the note says so); the form's material, the leads and\n"
    "nearby metal are not modelled.\n"
    "A value that does not exist is '-' (an empty CSV field, JSON null); a row\n"
    "that cannot be calculated says why in its last column, error, and the\n"
    "other rows are printed all the same.\n"
    "\n"
    "The exit status is 0 when every row was calculated, 1 when a row was not\n"
    "(stderr says how many) or the output could not be written, and 2 when the\n"
    "command line is wrong (stderr says why, with the usage).\n"
    "\n"
    "Examples:\n"
    "  $ spirelle coil 1 20\n"
    "  $ spirelle coil 1:3:0.5 20:100:10 --csv\n"
    "  $ spirelle lc 240 100 --json\n"
    "  $ spirelle tune 2 15 365 --stray 10 --band 530-1700\n"
    "  $ spirelle tune 2 15 365 --wide --digits 6\n"
    "  $ spirelle lc 0:200:100 100 --csv\n"
    "  $ spirelle tune 50.8 15 365 --mm --wire 0.8\n"
    "  $ spirelle solenoid 1.5 40 --wire awg24 --pitch 0.05\n"
    "  $ spirelle wind 250 2 --json\n";

constexpr std::string_view kProgramUsage =
    "Usage: spirelle [Qt options]\n"
    "  or:  spirelle COMMAND ARGUMENT... [--csv | --json]\n"
    "  or:  spirelle --help [COMMAND] | --version\n";

// The overview that --help prints, laid out as help2man reads it into the
// manual page: a command's description indented under its synopsis.
std::string Overview()
{
    std::string text = std::string(kProgramUsage) +
        "With no command spirelle opens its window; a command prints its answer\n"
        "and needs no display.\n"
        "\n"
        "Commands:\n";
    std::vector<std::string_view> listed;
    for (const Command &command : Commands()) {
        text += "  " + Synopsis(command) + "\n";
        std::string_view help = command.overview;
        while (!help.empty()) {
            const std::size_t end = help.find('\n') + 1;
            const std::string_view line = help.substr(0, end);
            text += (line == "\n" ? "" : std::string(kHelpColumn, ' ')) + std::string(line);
            help.remove_prefix(end);
        }
        // Each option under the first command that has it.
        std::string options;
        for (const Option &option : command.options) {
            if (std::find(listed.begin(), listed.end(), option.flag) != listed.end())
                continue;
            listed.push_back(option.flag);
            options += OptionLine(option);
        }
        text += (options.empty() ? "" : "\n" + options) + "\n";
    }
    return text + ProgramOptions() + std::string(kOverviewEnd);
}

std::string Usage(const Command &command)
{
    return "Usage: spirelle " + Synopsis(command) + " [--csv | --json]\n" + "Run 'spirelle " +
        std::string(command.name) + " --help' for more.\n";
}

// CLI11 lays out a command's --help from the table; the command line itself
// is read by Parse, whose messages name the argument and the cause.
std::string CommandHelp(const Command &command)
{
    CLI::App app("Coil and tuned-circuit calculator", "spirelle");
    CLI::App *sub = app.add_subcommand(std::string(command.name), std::string(command.summary));
    sub->footer("Any number may be a range START:STOP:STEP; '.' is the decimal point.");
    std::string unused;
    for (const Positional &positional : command.positionals)
        sub->add_option(std::string(positional.name), unused, std::string(positional.help))
            ->required()
            ->type_name("NUMBER");
    for (const Option &option : command.options) {
        if (option.typeName.empty()) {
            sub->add_flag(std::string(option.flag))->description(std::string(option.help));
            continue;
        }
        std::string fallback(option.fallback);
        CLI::Option *added = sub->add_option(std::string(option.flag), fallback, std::string(option.help))
                                 ->type_name(std::string(option.typeName));
        if (!option.fallback.empty())
            added->capture_default_str();
        if (!option.needs.empty())
            added->needs(std::string(option.needs));
    }
    for (const FormatOption &option : FormatOptions()) {
        if (option.typeName.empty())
            sub->add_flag(std::string(option.flag))->description(std::string(option.help));
        else
            sub->add_option(std::string(option.flag), unused, std::string(option.help))
                ->type_name(std::string(option.typeName));
    }
    return sub->help("spirelle");
}

// Whether `arg` gives the option `flag`, as "--stray" or "--stray=10".
bool Gives(std::string_view arg, std::string_view flag)
{
    return arg == flag || (arg.starts_with(flag) && arg.size() > flag.size() && arg[flag.size()] == '=');
}

// The option of `command` that `arg` gives; nullptr when none.
const Option *FindOption(const Command &command, std::string_view arg)
{
    const auto found = std::find_if(command.options.begin(), command.options.end(),
                                    [&](const Option &o) { return Gives(arg, o.flag); });
    return found == command.options.end() ? nullptr : &*found;
}

// The option every command has that `arg` gives; nullptr when none.
const FormatOption *FindFormatOption(std::string_view arg)
{
    const std::span<const FormatOption> options = FormatOptions();
    const auto found = std::find_if(options.begin(), options.end(),
                                    [&](const FormatOption &o) { return Gives(arg, o.flag); });
    return found == options.end() ? nullptr : &*found;
}

// A word after '-' is an option; '-' before a digit or '.' is a negative number.
bool LooksLikeOption(std::string_view arg)
{
    return arg.starts_with('-') &&
        !(arg.size() > 1 && (std::isdigit(static_cast<unsigned char>(arg[1])) || arg[1] == '.'));
}

// The command's arguments after its name, read one by one; throws UsageError.
class Reader {
public:
    Reader(const Command &command, std::span<const std::string> args) : m_command(command), m_args(args)
    {
        m_parsed.given.resize(command.options.size(), false);
        m_parsed.formatGiven.resize(FormatOptions().size(), false);
        for (const Option &option : command.options)
            m_parsed.options.emplace_back(option.fallback);
    }

    Parsed read()
    {
        for (m_next = 0; m_next < m_args.size();)
            word(m_args[m_next++]);
        checkNeeds();
        const std::size_t numbers = m_parsed.numbers.size();
        if (!m_parsed.help && numbers < m_command.positionals.size())
            throw UsageError(std::string(m_command.positionals[numbers].name) + " is missing");
        return std::move(m_parsed);
    }

private:
    void word(const std::string &arg)
    {
        if (arg == "--help" || arg == "-h") {
            m_parsed.help = true;
        } else if (const FormatOption *format = FindFormatOption(arg)) {
            readFormat(*format, arg);
        } else if (const Option *option = FindOption(m_command, arg)) {
            readOption(*option, arg);
        } else if (LooksLikeOption(arg)) {
            throw UsageError(Quote(arg, kArgumentQuote) + " is not an option of " + std::string(m_command.name) +
                             "; its options are " + optionNames());
        } else if (m_parsed.numbers.size() < m_command.positionals.size()) {
            m_parsed.numbers.push_back(arg);
        } else {
            throw UsageError(Quote(arg, kArgumentQuote) + " is one argument too many: " + Synopsis(m_command));
        }
    }

    // An option's text: "yes" for a flag, else the value after '=' or the next argument.
    void readOption(const Option &option, const std::string &arg)
    {
        const auto k = static_cast<std::size_t>(&option - m_command.options.data());
        const std::string flag(option.flag);
        if (m_parsed.given[k] && !option.repeatable)
            throw UsageError(flag + " is given twice: give it once");
        // A repeatable option's texts are kept one a line; no number holds a line break.
        std::string &text = m_parsed.options[k];
        const std::string before = m_parsed.given[k] ? text + "\n" : "";
        m_parsed.given[k] = true;
        if (option.typeName.empty()) {
            if (arg != flag)
                throw UsageError(flag + " takes no value");
            text = "yes";
        } else if (arg != flag) {
            text = before + arg.substr(flag.size() + 1);
        } else if (m_next == m_args.size()) {
            throw UsageError(flag + " needs a value: " + flag + " " + std::string(option.typeName));
        } else {
            text = before + m_args[m_next++];
        }
    }

    // An option every command has: a flag, or its value after '=' or in the next argument.
    void readFormat(const FormatOption &option, const std::string &arg)
    {
        const auto k = static_cast<std::size_t>(&option - FormatOptions().data());
        const std::string flag(option.flag);
        if (option.typeName.empty()) {
            if (arg != flag)
                throw UsageError(flag + " takes no value");
            option.apply(m_parsed.format, "");
            return;
        }
        if (m_parsed.formatGiven[k])
            throw UsageError(flag + " is given twice: give it once");
        m_parsed.formatGiven[k] = true;
        if (arg != flag)
            option.apply(m_parsed.format, std::string_view(arg).substr(flag.size() + 1));
        else if (m_next == m_args.size())
            throw UsageError(flag + " needs a value: " + flag + " " + std::string(option.typeName));
        else
            option.apply(m_parsed.format, m_args[m_next++]);
    }

    // An option given without the one it goes with.
    void checkNeeds() const
    {
        const std::span<const Option> options = m_command.options;
        for (std::size_t k = 0; k < options.size(); ++k) {
            const std::string_view needs = options[k].needs;
            if (!m_parsed.given[k] || needs.empty())
                continue;
            const auto needed = std::find_if(options.begin(), options.end(),
                                             [&](const Option &o) { return o.flag == needs; });
            if (!m_parsed.given[std::size_t(needed - options.begin())])
                throw UsageError(std::string(options[k].flag) + " needs " + std::string(needs));
        }
    }

    // "--csv, --json, --digits, --wide, --help, --stray, ..."
    std::string optionNames() const
    {
        std::string names;
        for (const FormatOption &option : FormatOptions())
            names += std::string(option.flag) + ", ";
        names += "--help";
        for (const Option &option : m_command.options)
            names += ", " + std::string(option.flag);
        return names;
    }

    const Command &m_command;
    std::span<const std::string> m_args;
    std::size_t m_next = 0;
    Parsed m_parsed;
};

Parsed Parse(const Command &command, std::span<const std::string> args)
{
    return Reader(command, args).read();
}

Outcome RunCommand(const Command &command, const Parsed &parsed, Sink &out)
{
    return command.run(command, {parsed.numbers, parsed.options}, parsed.format, out);
}

// "coil, loose, lc, tune"
std::string CommandNames()
{
    std::string names;
    for (const Command &command : Commands())
        names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

// Why a command line names no command.
std::string NoCommand(std::span<const std::string> args)
{
    if (args.empty())
        return "a command is needed";
    if (args[0] == "--csv" || args[0] == "--json")
        return args[0] + " goes after the command and its arguments";
    if (args[0].starts_with('-'))
        return Quote(args[0], kArgumentQuote) + " is not an option of spirelle";
    return Quote(args[0], kArgumentQuote) + " is no command";
}

// Run, with the output's failure left to the caller.
int RunTo(std::span<const std::string> args, Sink &out, std::string &err, std::string_view toolkit)
{
    const std::span<const Command> commands = Commands();
    const auto find = [&](std::string_view name) {
        return std::find_if(commands.begin(), commands.end(), [&](const Command &c) { return c.name == name; });
    };
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        if (args.size() > 1 && find(args[1]) != commands.end()) {
            out.write(CommandHelp(*find(args[1])));
            return kDone;
        }
        out.write(Overview());
        return kDone;
    }
    if (!args.empty() && args[0] == "--version") {
        out.write("spirelle " SPIRELLE_VERSION "\n");
        if (!toolkit.empty())
            out.write("Built with Qt " + std::string(toolkit) + ".\n");
        return kDone;
    }

    const auto known = args.empty() ? commands.end() : find(args[0]);
    if (known == commands.end()) {
        err = "spirelle: " + NoCommand(args) + "; the first argument is one of " + CommandNames() +
            ", --help, --version\n" + std::string(kProgramUsage);
        return kUsageError;
    }
    const Command &command = *known;
    const std::string prefix = "spirelle " + std::string(command.name) + ": ";

    Outcome outcome;
    try {
        const Parsed parsed = Parse(command, args.subspan(1));
        if (parsed.help) {
            out.write(CommandHelp(command));
            return kDone;
        }
        outcome = RunCommand(command, parsed, out);
    } catch (const UsageError &error) {
        err = prefix + error.what() + "\n" + Usage(command);
        return kUsageError;
    }
    if (outcome.failed == 0)
        return kDone;
    err = prefix + std::to_string(outcome.failed) + " of " + std::to_string(outcome.rows) +
        (outcome.rows == 1 ? " row" : " rows") + " failed (" + (outcome.failed == 1 ? "" : "the first: ") +
        outcome.firstError + ")\n";
    return kCalculationFailed;
}

} // namespace

bool IsCommandLine(int argc, const char *const *argv)
{
    // The options QGuiApplication, QApplication and the xcb platform read.
    constexpr std::string_view kWithValue[] = {
        "platform",    "platformpluginpath", "platformtheme", "plugin",  "qwindowgeometry",
        "qwindowicon", "qwindowtitle",       "session",       "display", "geometry",
        "style",       "stylesheet",         "qmljsdebugger", "name",    "title",
        "visual"};
    constexpr std::string_view kAlone[] = {"reverse", "widgetcount", "nograb", "dograb", "sync", "testability"};
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (!arg.starts_with('-'))
            return true;
        arg.remove_prefix(arg.starts_with("--") ? 2 : 1);
        const std::string_view name = arg.substr(0, arg.find('='));
        const auto is = [&](std::string_view option) { return option == name; };
        if (std::any_of(std::begin(kWithValue), std::end(kWithValue), is))
            i += name.size() == arg.size() ? 1 : 0; // "-style fusion"; "-style=fusion" is one
        else if (!std::any_of(std::begin(kAlone), std::end(kAlone), is) || name.size() != arg.size())
            return true;
    }
    return false;
}

int Run(std::span<const std::string> args, Sink &out, std::string &err, std::string_view toolkit)
{
    try {
        return RunTo(args, out, err, toolkit);
    } catch (const OutputError &error) {
        err += "spirelle: the output could not be written: " + std::string(error.what()) + "\n";
        return kCalculationFailed;
    }
}

int Run(std::span<const std::string> args, std::string &out, std::string &err, std::string_view toolkit)
{
    StringSink sink(out);
    return Run(args, sink, err, toolkit);
}

int Main(int argc, const char *const *argv, std::string_view toolkit)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    FileSink out(stdout);
    std::string err;
    int status = Run(args, out, err, toolkit);
    // A full disk or a closed pipe is a failure, never a silent success.
    if (std::fflush(stdout) != 0 && status == kDone) {
        err += "spirelle: the output could not be written: " + std::string(std::strerror(errno)) + "\n";
        status = kCalculationFailed;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}

} // namespace spirelle::cli
