#include "cli/cli.h"

#include "calc/calc_error.h"
#include "cli/arguments.h"
#include "cli/command_table.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <cstdio>
#include <vector>

#ifndef SPIRELLE_VERSION
#define SPIRELLE_VERSION "0"
#endif

namespace spirelle::cli {
namespace {

constexpr std::string_view kOverviewEnd =
    "Options:\n"
    "  --csv             comma-separated values under a heading line\n"
    "  --json            a JSON array with one object per row\n"
    "  -h, --help        this help; COMMAND --help for one command's\n"
    "  --version         the version and the Qt it was built with\n"
    "\n"
    "Numbers are written with '.' as the decimal point in every locale, on the\n"
    "command line and in the answers, which have 15 significant digits so that\n"
    "they can be fed back in. Any number but --wire's and --bare's may be a\n"
    "range START:STOP:STEP (inclusive, STEP above 0): the command then prints a\n"
    "row for every combination of values, at most 100000 in all. Diameters and\n"
    "lengths are in inches (millimetres with --mm, in tune and wind),\n"
    "inductances in uH, capacitances in pF, frequencies in MHz (lc) or kHz\n"
    "(tune). No value is negative. tune and wind compute the coil as wound:\n"
    "whole turns of round wire (Rosa 1906, at radio frequency) with its own\n"
    "capacitance estimated by Medhurst's fit (1947); the form's material, the\n"
    "leads and nearby metal are not modelled.\n"
    "\n"
    "Exit status:\n"
    "  0   done\n"
    "  1   a calculation failed: the message is the window's\n"
    "  2   the command line is wrong: the message and the command's usage\n"
    "\n"
    "Examples:\n"
    "  $ spirelle coil 1 20\n"
    "  $ spirelle coil 1:3:0.5 20:100:10 --csv\n"
    "  $ spirelle lc 240 100 --json\n"
    "  $ spirelle tune 2 15 365 --stray 10 --band 530-1700\n"
    "  $ spirelle tune 50.8 15 365 --mm --wire 0.8\n"
    "  $ spirelle wind 250 2 --json\n";

// The overview that --help prints, laid out as help2man reads it into the
// manual page: a command's description indented under its synopsis.
std::string Overview()
{
    std::string text = "Usage: spirelle [Qt options]\n"
                       "  or:  spirelle COMMAND ARGUMENT... [--csv | --json]\n"
                       "  or:  spirelle --help | --version\n"
                       "Coil and tuned-circuit calculator for crystal-radio builders. With no\n"
                       "command it opens the window; a command prints its answer and needs no\n"
                       "display.\n"
                       "\n"
                       "Commands:\n";
    for (const Command &command : Commands()) {
        text += "  " + Synopsis(command) + "\n";
        std::string_view help = command.overview;
        while (!help.empty()) {
            const std::size_t end = help.find('\n') + 1;
            const std::string_view line = help.substr(0, end);
            // Lines that begin with an option are laid out already.
            const bool laidOut = line == "\n" || line.starts_with("  ");
            text += (laidOut ? "" : std::string(20, ' ')) + std::string(line);
            help.remove_prefix(end);
        }
        text += "\n";
    }
    return text + std::string(kOverviewEnd);
}

std::string Usage(const Command &command)
{
    return "Usage: spirelle " + Synopsis(command) + " [--csv | --json]\n" + "Run 'spirelle " +
           std::string(command.name) + " --help' for more.\n";
}

// What the parser collects for a command: its positionals' and its options' texts, in the table's order.
struct Parsed {
    std::vector<std::string> numbers;
    std::vector<std::string> options;
    std::vector<CLI::Option *> flags; // a flag's option, whose count tells if it was given; null for the others
    bool csv = false;
    bool json = false;
};

void AddCommand(CLI::App &app, const Command &command, Parsed &parsed)
{
    CLI::App *sub = app.add_subcommand(std::string(command.name), std::string(command.summary));
    sub->footer("Any number may be a range START:STOP:STEP; '.' is the decimal point.");
    parsed.numbers.resize(command.positionals.size());
    for (std::size_t i = 0; i < command.positionals.size(); ++i) {
        const Positional &positional = command.positionals[i];
        sub->add_option(std::string(positional.name), parsed.numbers[i], std::string(positional.help))
            ->required()
            ->type_name("NUMBER");
    }
    parsed.options.resize(command.options.size());
    parsed.flags.assign(command.options.size(), nullptr);
    for (std::size_t i = 0; i < command.options.size(); ++i) {
        const Option &option = command.options[i];
        if (option.typeName.empty()) {
            parsed.flags[i] = sub->add_flag(std::string(option.flag))->description(std::string(option.help));
            continue;
        }
        parsed.options[i] = std::string(option.fallback);
        CLI::Option *added = sub->add_option(std::string(option.flag), parsed.options[i], std::string(option.help))
                                 ->type_name(std::string(option.typeName));
        if (!option.fallback.empty())
            added->capture_default_str();
        if (!option.needs.empty())
            added->needs(std::string(option.needs));
    }
    CLI::Option *csv = sub->add_flag("--csv", parsed.csv, "comma-separated values under a heading line");
    sub->add_flag("--json", parsed.json, "a JSON array with one object per row")->excludes(csv);
}

Outcome RunCommand(const Command &command, const Parsed &parsed, Sink &out)
{
    const Format format = parsed.csv ? Format::Csv : parsed.json ? Format::Json : Format::Table;
    std::vector<Argument> arguments;
    for (std::size_t i = 0; i < command.positionals.size(); ++i) {
        const std::string_view name = command.positionals[i].name;
        arguments.push_back({std::string(name), ParseValues(name, parsed.numbers[i])});
    }
    std::vector<std::string> options = parsed.options;
    for (std::size_t i = 0; i < options.size(); ++i)
        if (parsed.flags[i] != nullptr)
            options[i] = parsed.flags[i]->count() > 0 ? "yes" : "";
    return command.run(std::move(arguments), options, format, out);
}

// "coil, loose, lc, tune"
std::string CommandNames()
{
    std::string names;
    for (const Command &command : Commands())
        names += (names.empty() ? "" : ", ") + std::string(command.name);
    return names;
}

// Run, with the output's failure left to the caller.
int RunTo(std::span<const std::string> args, Sink &out, std::string &err, std::string_view toolkit)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out.write(Overview());
        return kDone;
    }
    if (!args.empty() && args[0] == "--version") {
        out.write("spirelle " SPIRELLE_VERSION "\n");
        if (!toolkit.empty())
            out.write("Built with Qt " + std::string(toolkit) + ".\n");
        return kDone;
    }

    const std::span<const Command> commands = Commands();
    const auto known = std::find_if(commands.begin(), commands.end(),
                                    [&](const Command &c) { return !args.empty() && c.name == args[0]; });
    if (known == commands.end()) {
        err = "spirelle: " + (args.empty() ? std::string("a command is needed") : "\"" + args[0] + "\" is no command") +
              "; the first argument is one of " + CommandNames() + ", --help, --version\n";
        return kUsageError;
    }
    const Command &command = *known;
    const std::string prefix = "spirelle " + std::string(command.name) + ": ";

    // CLI11 reads "-.5" as the option "-." (a leading digit it leaves alone);
    // it is a negative number, and no argument takes one.
    for (const std::string &arg : args.subspan(1)) {
        if (arg.starts_with("-.")) {
            err = prefix + "\"" + arg + "\" is negative; values are 0 or more\n" + Usage(command);
            return kUsageError;
        }
    }

    CLI::App app("Coil and tuned-circuit calculator", "spirelle");
    app.require_subcommand(1);
    Parsed parsed; // CLI11 writes into it: sized before parsing, never moved
    AddCommand(app, command, parsed);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());
        app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
        out.write(app.get_subcommands().empty() ? Overview() : app.get_subcommands().front()->help("spirelle"));
        return kDone;
    } catch (const CLI::ParseError &error) {
        err = prefix + error.what() + "\n" + Usage(command);
        return kUsageError;
    }

    Outcome outcome;
    try {
        outcome = RunCommand(command, parsed, out);
    } catch (const UsageError &error) {
        err = prefix + error.what() + "\n" + Usage(command);
        return kUsageError;
    }
    if (outcome.failed == 0)
        return kDone;
    err = prefix + std::to_string(outcome.failed) + " of " + std::to_string(outcome.rows) + " rows failed (" +
          (outcome.failed == 1 ? "" : "the first: ") + outcome.firstError + ")\n";
    return kCalculationFailed;
}

} // namespace

bool IsCommandLine(int argc, const char *const *argv)
{
    if (argc < 2)
        return false;
    // Qt's own options (-style, -platform ...) begin with '-'; a word is a
    // command, and a word that is no command gets a usage error, not a window.
    const std::string_view first = argv[1];
    return first == "--help" || first == "-h" || first == "--version" || (!first.empty() && first[0] != '-');
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
