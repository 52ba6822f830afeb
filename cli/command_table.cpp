#include "cli/command_table.h"

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/tune.h"

namespace spirelle::cli {
namespace {

constexpr Positional kDiameter{"DIAMETER", "the form's diameter, inches"};
constexpr Positional kRealDiameter{"DIAMETER", "the form's diameter, inches (mm with --mm)"};
constexpr Positional kTurns{"TURNS", "the number of turns"};

constexpr Positional kCoilArguments[] = {kDiameter, kTurns};
constexpr Positional kLooseArguments[] = {kDiameter, kTurns, {"LENGTH", "the winding's length, inches"}};
constexpr Positional kLcArguments[] = {{"INDUCTANCE", "the inductance, uH"}, {"CAPACITANCE", "the capacitance, pF"}};
constexpr Positional kTuneArguments[] = {kRealDiameter,
                                         {"CMIN", "the variable capacitor's smallest capacitance, pF"},
                                         {"CMAX", "the variable capacitor's largest capacitance, pF"}};
constexpr Positional kWindArguments[] = {{"INDUCTANCE", "the inductance wanted, uH"}, kRealDiameter};

// The custom wire and the unit, which tune and wind share as their last three options.
constexpr Option kWire{"--wire", "OD", "a custom wire's outside diameter, over the enamel", "", ""};
constexpr Option kBare{"--bare", "BARE", "the custom wire's bare diameter (0.92 OD when not given)", "", "--wire"};
constexpr Option kMm{"--mm", "", "lengths in millimetres, the wire's length in metres", "", ""};
constexpr Option kTuneOptions[] = {
    {"--stray", "PF", "stray capacitance of wiring and aerial, pF", "10", ""},
    {"--band", "LOW-HIGH", "the band, kHz", "530-1700", ""},
    kWire, kBare, kMm,
};
constexpr Option kWindOptions[] = {kWire, kBare, kMm};

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

// The wires and the unit from the last three options: --wire, --bare, --mm.
std::vector<Wire> Wires(std::span<const std::string> options, Lengths &lengths)
{
    const std::size_t n = options.size();
    lengths.millimetres = !options[n - 1].empty();
    return WiresFor(options[n - 3], options[n - 2], lengths);
}

// Options: --stray, --band, --wire, --bare, --mm.
Outcome RunTune(std::vector<Argument> arguments, std::span<const std::string> options, Format format, Sink &out)
{
    RequireBelow("CMIN", arguments[1].values, "CMAX", arguments[2].values);
    Lengths lengths;
    const std::vector<Wire> wires = Wires(options, lengths);
    arguments.push_back({"--stray", ParseValues("--stray", options[0])});
    BandValues band = ParseBand(options[1]);
    arguments.push_back({"--band LOW", std::move(band.low)});
    arguments.push_back({"--band HIGH", std::move(band.high)});
    return Tune(Sweep(std::move(arguments)), wires, lengths, format, out);
}

// Options: --wire, --bare, --mm.
Outcome RunWind(std::vector<Argument> arguments, std::span<const std::string> options, Format format, Sink &out)
{
    Lengths lengths;
    const std::vector<Wire> wires = Wires(options, lengths);
    return Wind(Sweep(std::move(arguments)), wires, lengths, format, out);
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
    {"tune", "Will a CMIN..CMAX pF capacitor cover the band, and with how many turns of each wire?",
     kTuneArguments, kTuneOptions,
     "will a CMIN..CMAX pF variable capacitor cover the band?\n"
     "The inductance that tunes the band's top at CMIN + stray,\n"
     "how low it then reaches at CMAX + stray, and a verdict\n"
     "(covered, or by how much it falls short and what CMAX\n"
     "would cover it); then for each wire the most whole turns,\n"
     "close-wound on a form of DIAMETER, whose top frequency\n"
     "with the coil's own capacitance reaches the band's top:\n"
     "the coil's diameter and length, its inductance (round\n"
     "wire, and Wheeler's), its own capacitance, the band it\n"
     "tunes, whether that covers the band, and the wire's\n"
     "length. A wire that cannot reach the top says why in\n"
     "its note\n"
     "\n"
     "  --stray PF        stray capacitance of wiring and aerial,\n"
     "                    pF (default 10)\n"
     "  --band LOW-HIGH   the band in kHz (default 530-1700)\n"
     "  --wire OD         a row for a custom wire of this outside\n"
     "                    diameter, over the enamel\n"
     "  --bare BARE       its bare diameter (default 0.92 OD)\n"
     "  --mm              lengths in mm, the wire's in metres\n",
     RunTune},
    {"wind", "How many turns of each wire make INDUCTANCE uH on this form?", kWindArguments, kWindOptions,
     "for each wire, the whole turns close-wound on a form of\n"
     "DIAMETER whose round-wire inductance is nearest\n"
     "INDUCTANCE uH: the coil's diameter and length, its\n"
     "inductance (and Wheeler's), its own capacitance and the\n"
     "wire's length; --wire, --bare and --mm as for tune\n",
     RunWind},
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
    // An option that needs the one before it goes inside its brackets: [--wire OD [--bare BARE]].
    for (std::size_t i = 0; i < command.options.size(); ++i) {
        const Option &option = command.options[i];
        text += " [" + std::string(option.flag) + (option.typeName.empty() ? "" : " ") + std::string(option.typeName);
        const bool nests = i + 1 < command.options.size() && command.options[i + 1].needs == option.flag;
        if (!nests)
            text += option.needs.empty() ? "]" : "]]";
    }
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
