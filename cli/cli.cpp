#include "cli/cli.h"

#include "cli/arguments.h"
#include "calc/calc_error.h"
#include "cli/commands.h"
#include "cli/tune.h"

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

struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary; // CLI11's one-line description
    std::string_view help;    // the overview's paragraph, indented
};

constexpr Command kCommands[] = {
    {"coil", "coil DIAMETER TURNS", "The inductance page: a close-wound coil with each of six gauges",
     "the inductance page: TURNS close-wound on a form of\n"
     "DIAMETER inches with each of the six gauges # 20 to # 30:\n"
     "the coil's length, its Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and the\n"
     "feet of wire\n"},
    {"loose", "loose DIAMETER TURNS LENGTH", "The loose-coil page: a coil wound LENGTH inches long",
     "the loose-coil page: TURNS wound LENGTH inches long on a\n"
     "form of DIAMETER inches: Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and\n"
     "length/diameter\n"},
    {"lc", "lc INDUCTANCE CAPACITANCE", "The frequency page: the resonant frequency of uH and pF in MHz",
     "the frequency page: the resonant frequency in MHz of\n"
     "INDUCTANCE uH and CAPACITANCE pF\n"},
    {"tune", "tune DIAMETER CMIN CMAX [--stray PF] [--band LOW-HIGH]",
     "Will a CMIN..CMAX pF capacitor and a coil on this form cover the band?",
     "will a CMIN..CMAX pF variable capacitor cover the band?\n"
     "The inductance that tunes the band's top at CMIN + stray,\n"
     "how low it then reaches at CMAX + stray, a verdict\n"
     "(covered, or by how much it falls short and what CMAX\n"
     "would cover it), and for each gauge the turns on a form of\n"
     "DIAMETER inches by Wheeler and as a current sheet, the\n"
     "coil's length and the feet of wire\n"
     "\n"
     "  --stray PF        stray capacitance of wiring and aerial,\n"
     "                    pF (default 10)\n"
     "  --band LOW-HIGH   the band in kHz (default 530-1700)\n"},
};

constexpr std::string_view kOverviewEnd =
    "Options:\n"
    "  --csv             comma-separated values under a heading line\n"
    "  --json            a JSON array with one object per row\n"
    "  -h, --help        this help; COMMAND --help for one command's\n"
    "  --version         the version and the Qt it was built with\n"
    "\n"
    "Numbers are written with '.' as the decimal point in every locale, on the\n"
    "command line and in the answers, which have 15 significant digits so that\n"
    "they can be fed back in. Any number may be a range START:STOP:STEP\n"
    "(inclusive, STEP above 0): the command then prints a row for every\n"
    "combination of values, at most 100000 in all. Diameters and lengths are in\n"
    "inches, inductances in uH, capacitances in pF, frequencies in MHz (lc) or\n"
    "kHz (tune). No value is negative.\n"
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
    "  $ spirelle tune 2 15 365 --stray 10 --band 530-1700\n";

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
    for (const Command &command : kCommands) {
        text += "  " + std::string(command.synopsis) + "\n";
        std::string_view help = command.help;
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
    return "Usage: spirelle " + std::string(command.synopsis) + " [--csv | --json]\n" + "Run 'spirelle " +
           std::string(command.name) + " --help' for more.\n";
}

// What the parser collects for any command.
struct Parsed {
    std::vector<std::string> numbers; // the positional arguments' texts, in order
    std::string stray = "10";
    std::string band = "530-1700";
    bool csv = false;
    bool json = false;
};

// The positional arguments' help lines.
constexpr std::pair<std::string_view, std::string_view> kArgumentHelp[] = {
    {"DIAMETER", "the form's diameter, inches"},
    {"TURNS", "the number of turns"},
    {"LENGTH", "the winding's length, inches"},
    {"INDUCTANCE", "the inductance, uH"},
    {"CAPACITANCE", "the capacitance, pF"},
    {"CMIN", "the variable capacitor's smallest capacitance, pF"},
    {"CMAX", "the variable capacitor's largest capacitance, pF"},
};

// The positional names: the words of the synopsis after the command, up to the first option.
std::vector<std::string_view> Positionals(const Command &command)
{
    std::vector<std::string_view> names;
    std::string_view words = command.synopsis.substr(command.name.size());
    while (words.size() > 1 && words[1] != '[') {
        words.remove_prefix(1);
        names.push_back(words.substr(0, words.find(' ')));
        words.remove_prefix(names.back().size());
    }
    return names;
}

void AddCommand(CLI::App &app, const Command &command, Parsed &parsed)
{
    CLI::App *sub = app.add_subcommand(std::string(command.name), std::string(command.summary));
    sub->footer("Any number may be a range START:STOP:STEP; '.' is the decimal point.");
    const std::vector<std::string_view> names = Positionals(command);
    parsed.numbers.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        const auto help = std::find_if(std::begin(kArgumentHelp), std::end(kArgumentHelp),
                                       [&](const auto &entry) { return entry.first == names[i]; });
        sub->add_option(std::string(names[i]), parsed.numbers[i], std::string(help->second))
            ->required()
            ->type_name("NUMBER");
    }
    if (command.name == "tune") {
        sub->add_option("--stray", parsed.stray, "stray capacitance of wiring and aerial, pF")
            ->capture_default_str()
            ->type_name("PF");
        sub->add_option("--band", parsed.band, "the band, kHz")->capture_default_str()->type_name("LOW-HIGH");
    }
    CLI::Option *csv = sub->add_flag("--csv", parsed.csv, "comma-separated values under a heading line");
    sub->add_flag("--json", parsed.json, "a JSON array with one object per row")->excludes(csv);
}

std::string RunCommand(const Command &command, const Parsed &parsed)
{
    const Format format = parsed.csv ? Format::Csv : parsed.json ? Format::Json : Format::Table;
    const std::vector<std::string_view> names = Positionals(command);
    std::vector<std::vector<double>> values;
    for (std::size_t i = 0; i < names.size(); ++i)
        values.push_back(ParseValues(names[i], parsed.numbers[i]));
    if (command.name == "coil")
        return Coil(Sweep(std::move(values)), format);
    if (command.name == "loose")
        return Loose(Sweep(std::move(values)), format);
    if (command.name == "lc")
        return Lc(Sweep(std::move(values)), format);
    RequireBelow("CMIN", values[1], "CMAX", values[2]);
    values.push_back(ParseValues("--stray", parsed.stray));
    BandValues band = ParseBand(parsed.band);
    values.push_back(std::move(band.low));
    values.push_back(std::move(band.high));
    return Tune(Sweep(std::move(values)), format);
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

int Run(std::span<const std::string> args, std::string &out, std::string &err, std::string_view toolkit)
{
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out = Overview();
        return kDone;
    }
    if (!args.empty() && args[0] == "--version") {
        out = "spirelle " SPIRELLE_VERSION "\n";
        if (!toolkit.empty())
            out += "Built with Qt " + std::string(toolkit) + ".\n";
        return kDone;
    }

    const auto known = std::find_if(std::begin(kCommands), std::end(kCommands),
                                    [&](const Command &c) { return !args.empty() && c.name == args[0]; });
    if (known == std::end(kCommands)) {
        err = "spirelle: " + (args.empty() ? std::string("a command is needed") : "\"" + args[0] + "\" is no command") +
              "; the first argument is one of coil, loose, lc, tune, --help, --version\n";
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
        out = app.get_subcommands().empty() ? Overview() : app.get_subcommands().front()->help("spirelle");
        return kDone;
    } catch (const CLI::ParseError &error) {
        err = prefix + error.what() + "\n" + Usage(command);
        return kUsageError;
    }

    try {
        out = RunCommand(command, parsed);
        return kDone;
    } catch (const UsageError &error) {
        err = prefix + error.what() + "\n" + Usage(command);
        return kUsageError;
    } catch (const CalcError &error) {
        err = prefix + error.what() + "\n";
        return kCalculationFailed;
    }
}

int Main(int argc, const char *const *argv, std::string_view toolkit)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string out;
    std::string err;
    int status = Run(args, out, err, toolkit);
    // A full disk or a closed pipe is a failure, never a silent success.
    const bool written = std::fwrite(out.data(), 1, out.size(), stdout) == out.size() && std::fflush(stdout) == 0;
    if (!written) {
        err += "spirelle: the output could not be written: " + std::string(std::strerror(errno)) + "\n";
        status = status == kDone ? kCalculationFailed : status;
    }
    std::fwrite(err.data(), 1, err.size(), stderr);
    return status;
}

} // namespace spirelle::cli
