#include "cli/command_table.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/tune.h"

namespace spirelle::cli {
namespace {

constexpr Positional kDiameter{"DIAMETER", "the form's diameter, inches"};
constexpr Positional kTurns{"TURNS", "the number of turns"};

constexpr Positional kCoilArguments[] = {kDiameter, kTurns};
constexpr Positional kLooseArguments[] = {kDiameter, kTurns, {"LENGTH", "the winding's length, inches"}};
constexpr Positional kLcArguments[] = {{"INDUCTANCE", "the inductance, uH"}, {"CAPACITANCE", "the capacitance, pF"}};
constexpr Positional kTuneArguments[] = {kDiameter,
                                         {"CMIN", "the variable capacitor's smallest capacitance, pF"},
                                         {"CMAX", "the variable capacitor's largest capacitance, pF"}};
constexpr Option kTuneOptions[] = {
    {"--stray", "PF", "stray capacitance of wiring and aerial, pF", "10"},
    {"--band", "LOW-HIGH", "the band, kHz", "530-1700"},
};

Outcome RunCoil(std::vector<Argument> arguments, std::span<const std::string>, Format format, Sink &out)
{
    return Coil(Sweep(std::move(arguments)), format, out);
}

Outcome RunLoose(std::vector<Argument> arguments, std::span<const std::string>, Format format, Sink &out)
{
    return Loose(Sweep(std::move(arguments)), format, out);
}

Outcome RunLc(std::vector<Argument> arguments, std::span<const std::string>, Format format, Sink &out)
{
    return Lc(Sweep(std::move(arguments)), format, out);
}

// Options: --stray, --band.
Outcome RunTune(std::vector<Argument> arguments, std::span<const std::string> options, Format format, Sink &out)
{
    RequireBelow("CMIN", arguments[1].values, "CMAX", arguments[2].values);
    arguments.push_back({"--stray", ParseValues("--stray", options[0])});
    BandValues band = ParseBand(options[1]);
    arguments.push_back({"--band LOW", std::move(band.low)});
    arguments.push_back({"--band HIGH", std::move(band.high)});
    return Tune(Sweep(std::move(arguments)), format, out);
}

constexpr Command kCommands[] = {
    {"coil", "The inductance page: a close-wound coil with each of six gauges", kCoilArguments, {},
     "the inductance page: TURNS close-wound on a form of\n"
     "DIAMETER inches with each of the six gauges # 20 to # 30:\n"
     "the coil's length, its Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and the\n"
     "feet of wire\n",
     RunCoil},
    {"loose", "The loose-coil page: a coil wound LENGTH inches long", kLooseArguments, {},
     "the loose-coil page: TURNS wound LENGTH inches long on a\n"
     "form of DIAMETER inches: Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and\n"
     "length/diameter\n",
     RunLoose},
    {"lc", "The frequency page: the resonant frequency of uH and pF in MHz", kLcArguments, {},
     "the frequency page: the resonant frequency in MHz of\n"
     "INDUCTANCE uH and CAPACITANCE pF\n",
     RunLc},
    {"tune", "Will a CMIN..CMAX pF capacitor and a coil on this form cover the band?", kTuneArguments, kTuneOptions,
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
     "  --band LOW-HIGH   the band in kHz (default 530-1700)\n",
     RunTune},
};

} // namespace

std::span<const Command> Commands()
{
    return kCommands;
}

std::string Synopsis(const Command &command)
{
    std::string text(command.name);
    for (const Positional &positional : command.positionals)
        text += " " + std::string(positional.name);
    for (const Option &option : command.options)
        text += " [" + std::string(option.flag) + " " + std::string(option.typeName) + "]";
    return text;
}

std::string BashCompletion()
{
    std::string commands;
    std::string commandOptions;
    for (const Command &command : kCommands) {
        commands += std::string(command.name) + " ";
        if (command.options.empty())
            continue;
        commandOptions += "    [ \"${COMP_WORDS[1]}\" = " + std::string(command.name) + " ] && options=\"$options";
        for (const Option &option : command.options)
            commandOptions += " " + std::string(option.flag);
        commandOptions += "\"\n";
    }
    return "# Bash completion for spirelle: the commands, then each command's options.\n"
           "_spirelle()\n"
           "{\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]}\n"
           "    if [ \"$COMP_CWORD\" -eq 1 ]; then\n"
           "        mapfile -t COMPREPLY < <(compgen -W \"" +
           commands +
           "--help --version\" -- \"$cur\")\n"
           "        return\n"
           "    fi\n"
           "    local options=\"--csv --json --help\"\n" +
           commandOptions +
           "    [[ $cur == -* ]] && mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
           "}\n"
           "complete -F _spirelle spirelle\n";
}

} // namespace spirelle::cli
