#include "cli/command_table.h"

#include "calc/quote.h"
#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/drawing.h"
#include "cli/flat.h"
#include "cli/real_coil_rows.h"
#include "cli/taps.h"
#include "cli/tune.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace spirelle::cli {
namespace {

// coil's arguments, and loose's before its length.
struct CoilFields : Fields {
    std::vector<double> diameter;
    std::vector<double> turns;
};

struct LooseFields : CoilFields {
    std::vector<double> length;
};

struct LcFields : Fields {
    std::vector<double> inductance;
    std::vector<double> capacitance;
};

// What tune, wind and solenoid share: the form, the given wire, the pitch and
// the unit, and the wires and lengths they make. A given wire that does not
// fit the one form is a usage error; in a sweep of forms, that row's error.
struct WoundFields : Fields {
    std::vector<double> diameter;
    std::string wire;
    std::string bare;
    std::string od; // a Litz wire's outside diameter
    std::string pitch;
    bool mm = false;
    std::string kind;   // tune's and wind's --kind
    std::string spokes; // tune's and wind's --spokes, spider's
    std::string svg;    // --svg FILE: the one design drawn there
    std::string row;    // tune's --row: the wire whose design --svg draws
    Lengths lengths;
    Winding winding;
    std::optional<FlatForm> flat; // --kind spider or spiral
    std::string freq;             // wind's and solenoid's --freq, kHz, each given one a line

    void relate() override { relateWires(false); }

    // --kind and --spokes, after the wires.
    void relateKind()
    {
        if (!spokes.empty() && kind != "spider")
            throw UsageError("--spokes " + spokes + " goes only with --kind spider");
        flat = ReadKind(kind, ReadSpokes(spokes));
        if (flat && flat->spokes && !pitch.empty())
            throw UsageError("--pitch goes not with --kind spider: its turns lie a wire apart");
        if (flat)
            CheckFlatForms(diameter, "DIAMETER", *flat, winding.wires, lengths);
    }

    void relateWires(bool alone)
    {
        lengths.millimetres = mm;
        winding = WindingFor(wire, bare, pitch, lengths, alone, od);
        if (diameter.size() == 1)
            if (const std::string misfit = winding.misfit(winding.wires.size() - 1, lengths.inches(diameter[0]),
                                                          lengths);
                !misfit.empty())
                throw UsageError(misfit);
    }
};

struct TuneFields : WoundFields {
    std::vector<double> cmin;
    std::vector<double> cmax;
    std::vector<double> stray;
    BandValues band;
    std::string capQ;
    double capacitorQ = 0;

    void relate() override
    {
        const std::vector<double> q = ParseValues("--cap-q", capQ);
        if (q.size() != 1 || !(q[0] > 0))
            throw UsageError("--cap-q: " + Quote(capQ, kArgumentQuote) + " is not one number above 0");
        capacitorQ = q[0];
        RequireBelow("CMIN", cmin, "CMAX", cmax);
        WoundFields::relate();
        relateKind();
    }
};

// taps' arguments: tune's capacitor and band, one coil of the given wire, the
// loads and the taps. Each takes one value, not a range.
struct TapsFields : TuneFields {
    std::vector<double> turns;
    std::vector<double> capQ;
    std::vector<double> antennaOhm;
    std::vector<double> antennaPf;
    std::vector<double> detectorOhm;
    std::vector<double> bandwidth;
    std::string antennaTap;
    std::string detectorTap;

    void relate() override
    {
        if (wire.empty())
            throw UsageError("--wire is missing: taps is for one coil of one wire (--wire awg24, say)");
        RequireBelow("CMIN", cmin, "CMAX", cmax);
        relateWires(true);
        if (antennaTap.empty() != detectorTap.empty())
            throw UsageError(std::string(antennaTap.empty() ? "--antenna-tap" : "--detector-tap") +
                             " is missing: give both taps or neither");
    }
};

struct WindFields : WoundFields {
    std::vector<double> inductance;

    void relate() override
    {
        WoundFields::relate();
        relateKind();
    }
};

// spiral's and spider's: the inner (hub) diameter, the whole turns, the wire
// by name (that one alone when given).
struct FlatFields : WoundFields {
    std::vector<double> turns;
    FlatForm form;

    void relate() override
    {
        relateWires(!wire.empty());
        CheckFlatTurns(turns);
    }
};

struct SpiralFields : FlatFields {
    void relate() override
    {
        FlatFields::relate();
        CheckFlatForms(diameter, "INNER", form, winding.wires, lengths);
    }
};

struct SpiderFields : FlatFields {
    void relate() override
    {
        FlatFields::relate();
        form.spokes = ReadSpokes(spokes);
        CheckFlatForms(diameter, "HUB", form, winding.wires, lengths);
    }
};

struct SolenoidFields : WoundFields {
    std::vector<double> turns;
    std::string length;
    std::optional<double> lengthInches;

    void relate() override
    {
        if (!pitch.empty() && !length.empty())
            throw UsageError("--pitch and --length cannot both be given: choose one");
        relateWires(!wire.empty());
        if (!length.empty())
            lengthInches = OneLength("--length", length, lengths);
    }
};

constexpr Positional kDiameter{"DIAMETER", "the form's diameter, inches", Bind<&CoilFields::diameter>()};
constexpr Positional kTurns{"TURNS", "the number of turns", Bind<&CoilFields::turns>()};
constexpr Positional kLength{"LENGTH", "the winding's length, inches", Bind<&LooseFields::length>()};
constexpr Positional kInductance{"INDUCTANCE", "the inductance, uH", Bind<&LcFields::inductance>()};
constexpr Positional kCapacitance{"CAPACITANCE", "the capacitance, pF", Bind<&LcFields::capacitance>()};
constexpr Positional kForm{"DIAMETER", "the form's diameter, inches (mm with --mm)", Bind<&WoundFields::diameter>()};
constexpr Positional kCmin{"CMIN", "the variable capacitor's smallest capacitance, pF", Bind<&TuneFields::cmin>()};
constexpr Positional kCmax{"CMAX", "the variable capacitor's largest capacitance, pF", Bind<&TuneFields::cmax>()};
constexpr Positional kWanted{"INDUCTANCE", "the inductance wanted, uH", Bind<&WindFields::inductance>()};
constexpr Positional kWoundTurns{"TURNS", "the number of turns, whole or not", Bind<&SolenoidFields::turns>()};

constexpr Positional kInner{"INNER", "the spiral's inside diameter, inches (mm with --mm)",
                            Bind<&WoundFields::diameter>()};
constexpr Positional kHub{"HUB", "the hub's diameter, inches (mm with --mm)", Bind<&WoundFields::diameter>()};
constexpr Positional kFlatTurns{"TURNS", "the number of whole turns", Bind<&FlatFields::turns>()};
constexpr Positional kSpiralArguments[] = {kInner, kFlatTurns};
constexpr Positional kSpiderArguments[] = {kHub, kFlatTurns};

constexpr Positional kCoilArguments[] = {kDiameter, kTurns};
constexpr Positional kLooseArguments[] = {kDiameter, kTurns, kLength};
constexpr Positional kLcArguments[] = {kInductance, kCapacitance};
constexpr Positional kTuneArguments[] = {kForm, kCmin, kCmax};
constexpr Positional kWindArguments[] = {kWanted, kForm};
constexpr Positional kSolenoidArguments[] = {kForm, kWoundTurns};
constexpr Positional kTapsArguments[] = {
    kForm, {"TURNS", "the coil's whole turns", Bind<&TapsFields::turns>()}, kCmin, kCmax};

// The given wire, the pitch and the unit, which tune, wind and solenoid share.
constexpr Option kWire{"--wire",
                       "WIRE",
                       "a row for this wire: a gauge (awg26, #26, swg22), an outside diameter in mm (0.5mm), a "
                       "plain outside diameter over the enamel, in inches (mm with --mm), or a Litz wire by its "
                       "strands and their AWG 30-50 or copper (litz660x46, litz660x0.04mm)",
                       "a row for this wire: awg26, #26, swg22, 0.5mm, an outside diameter or litz660x46",
                       "",
                       "",
                       Bind<&WoundFields::wire>()};
constexpr Option kBare{"--bare",
                       "BARE",
                       "the wire's bare diameter, in place of its gauge's (0.92 OD for a diameter)",
                       "its bare diameter, in place of its gauge's",
                       "",
                       "--wire",
                       Bind<&WoundFields::bare>()};
constexpr Option kOd{"--od",
                     "D",
                     "a Litz wire's outside diameter over its serving, in inches (mm with --mm), in place of the "
                     "one its strands make",
                     "a Litz wire's outside diameter",
                     "",
                     "--wire",
                     Bind<&WoundFields::od>()};
constexpr Option kPitch{"--pitch",
                        "P",
                        "wind every coil at P inches a turn (mm with --mm); a wire thicker than P says so in its note",
                        "inches a turn (default close-wound: the wire's outside diameter)",
                        "",
                        "",
                        Bind<&WoundFields::pitch>()};
constexpr Option kMm{"--mm",
                     "",
                     "lengths in millimetres, the wire's length in metres",
                     "lengths in mm, the wire's in metres",
                     "",
                     "",
                     Bind<&WoundFields::mm>()};
constexpr Option kKind{"--kind",
                       "KIND",
                       "solenoid (on a form of DIAMETER), spider or spiral (flat, DIAMETER the hub's or the inside's)",
                       "solenoid, spider or spiral (DIAMETER the hub's)",
                       "solenoid",
                       "",
                       Bind<&WoundFields::kind>()};
constexpr Option kKindSpokes{"--spokes",
                             "S",
                             "a spiderweb's spokes, odd, 5 or more (9 when not given)",
                             "",
                             "",
                             "--kind",
                             Bind<&WoundFields::spokes>()};
// The drawing for printing, which tune, spiral, spider and solenoid share.
constexpr Option kSvg{"--svg",
                      "FILE",
                      "also draw the design to FILE for printing at 1:1 (SVG in mm): a flat coil's form to cut out, "
                      "a solenoid's winding card; one value of each argument, the wire named (tune: --row)",
                      "draw the design to FILE for printing at 1:1 (SVG)",
                      "",
                      "",
                      Bind<&WoundFields::svg>()};
// The frequencies a coil's losses and Q are worked out at.
constexpr Option kFreq{"--freq",
                       "KHZ",
                       "a row per frequency, kHz, with the coil's AC resistance, its own Q and effective inductance; "
                       "may be given again",
                       "a row per frequency, kHz, with the coil's AC resistance, Q and effective L",
                       "",
                       "",
                       Bind<&WoundFields::freq>(),
                       true};
constexpr Option kTuneOptions[] = {
    {"--stray", "PF", "stray capacitance of wiring and aerial, pF", "", "10", "", Bind<&TuneFields::stray>()},
    {"--band", "LOW-HIGH", "the band, kHz", "the band in kHz", "530-1700", "", Bind<&TuneFields::band>()},
    kWire,
    kBare,
    kOd,
    kPitch,
    kMm,
    kKind,
    kKindSpokes,
    kSvg,
    {"--row", "WIRE", "the row --svg draws: one of the wires, # 20 ... # 30 or --wire's", "", "", "--svg",
     Bind<&WoundFields::row>()},
    {"--cap-q", "Q", "the tuning capacitor's Q, for the tuned circuit's Q and bandwidth", "the capacitor's Q", "2000",
     "", Bind<&TuneFields::capQ>()},
};
constexpr Option kWindOptions[] = {kWire, kBare, kOd, kPitch, kMm, kKind, kKindSpokes, kFreq};
constexpr Option kTapsOptions[] = {
    {"--wire", "WIRE", "the coil's wire: awg26, #26, swg22, 0.5mm or an outside diameter (as for tune)",
     "the coil's wire (as for tune)", "", "", Bind<&WoundFields::wire>()},
    kBare,
    kPitch,
    {"--stray", "PF", "stray capacitance of wiring and aerial, pF", "", "10", "", Bind<&TuneFields::stray>()},
    {"--band", "LOW-HIGH", "the band, kHz", "the band in kHz", "530-1700", "", Bind<&TuneFields::band>()},
    {"--cap-q", "Q", "the variable capacitor's Q", "", "2000", "", Bind<&TapsFields::capQ>()},
    {"--antenna-ohm", "R", "the antenna's resistance with its ground, ohms", "", "25", "",
     Bind<&TapsFields::antennaOhm>()},
    {"--antenna-pf", "C", "the antenna's capacitance, pF", "", "200", "", Bind<&TapsFields::antennaPf>()},
    {"--detector-ohm", "R", "the detector with its headphones as the tuned circuit sees it, ohms", "", "10000", "",
     Bind<&TapsFields::detectorOhm>()},
    {"--bandwidth", "KHZ", "the widest bandwidth within_bandwidth allows at the band's middle, kHz", "", "10", "",
     Bind<&TapsFields::bandwidth>()},
    {"--antenna-tap", "K", "the antenna's tap, turns from ground (with --detector-tap): these taps' figures", "", "",
     "", Bind<&TapsFields::antennaTap>()},
    {"--detector-tap", "K", "the detector's tap, turns from ground (with --antenna-tap)", "", "", "",
     Bind<&TapsFields::detectorTap>()},
    kMm,
    kSvg,
};
constexpr Option kFlatWire{"--wire",
                           "WIRE",
                           "only this wire: awg26, #26, swg22, 0.5mm or an outside diameter (as for tune)",
                           "only this wire (as for tune)",
                           "",
                           "",
                           Bind<&WoundFields::wire>()};
constexpr Option kSpiralOptions[] = {
    kFlatWire,
    kBare,
    {"--pitch", "P",
     "the radial distance from turn to turn, inches (mm with --mm; default the wire's outside diameter)",
     "turn to turn (default the wire's outside diameter)", "", "", Bind<&WoundFields::pitch>()},
    kMm,
    kSvg,
};
constexpr Option kSpiderOptions[] = {
    {"--spokes", "S", "the number of spokes, odd, 5 or more", "", "9", "", Bind<&WoundFields::spokes>()},
    kFlatWire,
    kBare,
    kMm,
    kSvg,
};
constexpr Option kSolenoidOptions[] = {
    {"--wire", "WIRE", "only this wire: awg26, #26, swg22, 0.5mm or an outside diameter (as for tune)",
     "only this wire (as for tune)", "", "", Bind<&WoundFields::wire>()},
    kBare,
    kOd,
    kPitch,
    {"--length", "L", "the winding's length, inches (mm with --mm): the pitch is L / TURNS; not with --pitch", "", "",
     "", Bind<&SolenoidFields::length>()},
    kMm,
    kSvg,
    kFreq,
};

void OneFormat(Format &format, Format::Kind kind)
{
    if (format.kind != Format::Table && format.kind != kind)
        throw UsageError("--csv and --json cannot both be given: choose one");
    format.kind = kind;
}

constexpr FormatOption kFormatOptions[] = {
    {"--csv", "", "comma-separated values under a heading line",
     [](Format &format, std::string_view) { OneFormat(format, Format::Csv); }},
    {"--json", "", "a JSON array with one object per row",
     [](Format &format, std::string_view) { OneFormat(format, Format::Json); }},
    {"--digits", "N", "the table's significant digits, 1 to 15 (default 4); CSV and JSON have 15",
     [](Format &format, std::string_view text) {
         const char *end = text.data() + text.size();
         int digits = 0;
         const auto read = std::from_chars(text.data(), end, digits);
         if (read.ec != std::errc{} || read.ptr != end || digits < 1 || digits > 15)
             throw UsageError("--digits: " + Quote(text, kArgumentQuote) + " is not a whole number from 1 to 15");
         format.digits = digits;
     }},
    {"--wide", "", "every column of the table, however wide; else it fits 100 columns",
     [](Format &format, std::string_view) { format.wide = true; }},
};

std::string Name(const Positional &positional)
{
    return std::string(positional.name);
}

Outcome RunCoil(const CoilFields &fields, Format format, Sink &out)
{
    const CaseSweep<CoilCase> sweep(
        {{Name(kDiameter), fields.diameter, &CoilCase::diameter}, {Name(kTurns), fields.turns, &CoilCase::turns}});
    return Coil(sweep, format, out);
}

Outcome RunLoose(const LooseFields &fields, Format format, Sink &out)
{
    const CaseSweep<LooseCase> sweep({{Name(kDiameter), fields.diameter, &LooseCase::diameter},
                                      {Name(kTurns), fields.turns, &LooseCase::turns},
                                      {Name(kLength), fields.length, &LooseCase::length}});
    return Loose(sweep, format, out);
}

Outcome RunLc(const LcFields &fields, Format format, Sink &out)
{
    const CaseSweep<LcCase> sweep({{Name(kInductance), fields.inductance, &LcCase::inductance},
                                   {Name(kCapacitance), fields.capacitance, &LcCase::capacitance}});
    return Lc(sweep, format, out);
}

// --svg's one design: every argument one value, and (for all but tune) one wire.
void RequireOneWound(const WoundFields &fields, std::string_view diameter, std::size_t turns)
{
    if (fields.svg.empty())
        return;
    RequireOneDesign({{diameter, fields.diameter.size()}, {"TURNS", turns}});
    if (fields.winding.wires.size() != 1)
        throw UsageError("--svg draws one design: name its wire with --wire");
}

// --freq's values, all its numbers and ranges in order (cli.cpp keeps a
// repeated option's texts one a line), each above 0: a coil's Q at 0 is no answer.
std::vector<double> Frequencies(std::string_view text)
{
    std::vector<double> kHz;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::vector<double> part = ParseValues("--freq", text.substr(start, end - start));
        kHz.insert(kHz.end(), part.begin(), part.end());
        start = end + 1;
    }
    for (const double f : kHz)
        if (!(f > 0))
            throw UsageError("--freq: " + NumberText(f, 6) + " is not above 0");
    return kHz;
}

Outcome RunTune(const TuneFields &fields, Format format, Sink &out)
{
    std::size_t row = 0;
    if (!fields.svg.empty()) {
        RequireOneDesign({{Name(kForm), fields.diameter.size()},
                          {Name(kCmin), fields.cmin.size()},
                          {Name(kCmax), fields.cmax.size()},
                          {"--stray", fields.stray.size()},
                          {"--band", std::max(fields.band.low.size(), fields.band.high.size())}});
        row = RowOf(fields.row, fields.winding);
    }
    const CaseSweep<TuneCase> sweep({{Name(kForm), fields.diameter, &TuneCase::diameter},
                                     {Name(kCmin), fields.cmin, &TuneCase::cmin},
                                     {Name(kCmax), fields.cmax, &TuneCase::cmax},
                                     {"--stray", fields.stray, &TuneCase::stray},
                                     {"--band LOW", fields.band.low, &TuneCase::low},
                                     {"--band HIGH", fields.band.high, &TuneCase::high}});
    Outcome outcome = Tune(sweep, fields.winding, fields.lengths, fields.flat, fields.capacitorQ, format, out);
    if (!fields.svg.empty())
        DrawTune(fields.svg, fields.lengths.inches(fields.diameter[0]), fields.winding.wires[row],
                 {fields.cmin[0], fields.cmax[0], fields.stray[0]}, {fields.band.low[0], fields.band.high[0]},
                 fields.winding.pitch, fields.flat);
    return outcome;
}

Outcome RunWind(const WindFields &fields, Format format, Sink &out)
{
    const CaseSweep<WindCase> sweep({{Name(kWanted), fields.inductance, &WindCase::inductance},
                                     {Name(kForm), fields.diameter, &WindCase::diameter}});
    if (fields.flat && !fields.freq.empty())
        throw UsageError("--freq goes only with --kind solenoid: a flat coil's losses are not worked out");
    return Wind(sweep, fields.winding, fields.lengths, fields.flat, Frequencies(fields.freq), format, out);
}

Outcome RunSolenoid(const SolenoidFields &fields, Format format, Sink &out)
{
    RequireOneWound(fields, Name(kForm), fields.turns.size());
    const CaseSweep<SolenoidCase> sweep({{Name(kForm), fields.diameter, &SolenoidCase::diameter},
                                         {Name(kWoundTurns), fields.turns, &SolenoidCase::turns}});
    Outcome outcome = Solenoid(sweep, fields.winding, fields.lengthInches, fields.lengths, Frequencies(fields.freq),
                               format, out);
    if (!fields.svg.empty()) {
        const Wire &wire = fields.winding.wires[0];
        const double turns = fields.turns[0];
        DrawSolenoid(fields.svg, fields.lengths.inches(fields.diameter[0]), wire, turns,
                     fields.lengthInches ? PitchForLength(*fields.lengthInches, turns)
                                         : PitchOf(wire, fields.winding.pitch));
    }
    return outcome;
}

// The one value of an argument that taps takes, above 0.
double OneValue(std::string_view name, const std::vector<double> &values)
{
    if (values.size() != 1)
        throw UsageError(std::string(name) + " takes one value with taps, not a range");
    if (!(values[0] > 0))
        throw UsageError(std::string(name) + " must be above 0");
    return values[0];
}

// A tap: a whole number of turns from 1 to `turns`.
int OneTap(std::string_view name, const std::string &text, int turns)
{
    const std::vector<double> values = ParseValues(name, text);
    const double value = values.size() == 1 ? values[0] : 0;
    if (value < 1 || value != std::floor(value) || value > turns)
        throw UsageError(std::string(name) + " " + text + " is not a whole number of turns from 1 to " +
                         std::to_string(turns));
    return static_cast<int>(value);
}

Outcome RunTaps(const TapsFields &fields, Format format, Sink &out)
{
    TapsCase one;
    const double turns = OneValue("TURNS", fields.turns);
    if (turns != std::floor(turns) || turns > kMostTappedTurns)
        throw UsageError("TURNS must be a whole number from 1 to " + std::to_string(kMostTappedTurns));
    TappedCircuit &circuit = one.circuit;
    circuit.formDiameter = fields.lengths.inches(OneValue(Name(kForm), fields.diameter));
    circuit.wire = fields.winding.wires.back();
    circuit.turns = static_cast<int>(turns);
    circuit.pitch = fields.winding.pitch;
    if (fields.stray.size() != 1)
        throw UsageError("--stray takes one value with taps, not a range");
    circuit.capacitor = {OneValue("CMIN", fields.cmin), OneValue("CMAX", fields.cmax), fields.stray[0]};
    circuit.capacitorQ = OneValue("--cap-q", fields.capQ);
    circuit.loads = {OneValue("--antenna-ohm", fields.antennaOhm), OneValue("--antenna-pf", fields.antennaPf),
                     OneValue("--detector-ohm", fields.detectorOhm)};
    one.band = {OneValue("--band LOW", fields.band.low), OneValue("--band HIGH", fields.band.high)};
    one.bandwidthKHz = OneValue("--bandwidth", fields.bandwidth);
    if (!fields.antennaTap.empty())
        one.given = spirelle::Taps{OneTap("--antenna-tap", fields.antennaTap, circuit.turns),
                                   OneTap("--detector-tap", fields.detectorTap, circuit.turns)};
    one.svg = fields.svg;
    return Taps(one, format, out);
}

Outcome RunFlat(const FlatFields &fields, Format format, Sink &out, std::string_view inner)
{
    RequireOneWound(fields, inner, fields.turns.size());
    const CaseSweep<FlatCase> sweep(
        {{std::string(inner), fields.diameter, &FlatCase::inner}, {Name(kFlatTurns), fields.turns, &FlatCase::turns}});
    Outcome outcome = Flat(sweep, fields.form, fields.winding, fields.lengths, format, out);
    if (!fields.svg.empty()) {
        FlatForm shape = fields.form;
        shape.innerDiameter = fields.lengths.inches(fields.diameter[0]);
        if (!shape.spokes)
            shape.pitch = fields.winding.pitch;
        DrawFlat(fields.svg, shape, fields.winding.wires[0], int(fields.turns[0]));
    }
    return outcome;
}

Outcome RunSpiral(const SpiralFields &fields, Format format, Sink &out)
{
    return RunFlat(fields, format, out, kInner.name);
}

Outcome RunSpider(const SpiderFields &fields, Format format, Sink &out)
{
    return RunFlat(fields, format, out, kHub.name);
}

constexpr Command kCommands[] = {
    {"coil",
     "The inductance page: a close-wound coil with each of six gauges",
     kCoilArguments,
     {},
     "the inductance page: TURNS close-wound on a form of\n"
     "DIAMETER inches with each of the six gauges # 20 to # 30:\n"
     "the coil's length, its Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and the\n"
     "feet of wire\n",
     Bound<CoilFields, RunCoil>},
    {"loose",
     "The loose-coil page: a coil wound LENGTH inches long",
     kLooseArguments,
     {},
     "the loose-coil page: TURNS wound LENGTH inches long on a\n"
     "form of DIAMETER inches: Wheeler and current-sheet\n"
     "inductance, how far Wheeler is off in percent, and\n"
     "length/diameter\n",
     Bound<LooseFields, RunLoose>},
    {"lc",
     "The frequency page: the resonant frequency of uH and pF in MHz",
     kLcArguments,
     {},
     "the frequency page: the resonant frequency in MHz of\n"
     "INDUCTANCE uH and CAPACITANCE pF\n",
     Bound<LcFields, RunLc>},
    {"tune", "Will a CMIN..CMAX pF capacitor cover the band, and with how many turns of each wire?", kTuneArguments,
     kTuneOptions,
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
     "its note. How good each coil is: its Q in the tuned\n"
     "circuit (with a capacitor of Q --cap-q) and the\n"
     "bandwidth at the band's ends and middle, and the covered\n"
     "wire of the highest Q named above the table\n",
     Bound<TuneFields, RunTune>},
    {"wind", "How many turns of each wire make INDUCTANCE uH on this form?", kWindArguments, kWindOptions,
     "for each wire, the whole turns close-wound on a form of\n"
     "DIAMETER whose round-wire inductance is nearest\n"
     "INDUCTANCE uH: the coil's diameter and length, its\n"
     "inductance (and Wheeler's), its own capacitance and the\n"
     "wire's length; --wire, --bare, --pitch and --mm as for\n"
     "tune\n",
     Bound<WindFields, RunWind>},
    {"solenoid", "What are these TURNS of each wire on this form?", kSolenoidArguments, kSolenoidOptions,
     "the coil forward: TURNS (whole or not) of each wire on a\n"
     "form of DIAMETER, close-wound or at --pitch, or spread\n"
     "over --length: the pitch, the coil's diameter and length,\n"
     "its inductance (round wire, Wheeler's and the current\n"
     "sheet's), its own capacitance and the frequency it\n"
     "resonates at with it, the wire's length and its DC\n"
     "resistance (annealed copper at 20 C); with --freq, a row\n"
     "per frequency with its AC resistance, Q and effective L\n",
     Bound<SolenoidFields, RunSolenoid>},
    {"taps", "Where to tap the coil for the antenna and the detector, and how selective the set is", kTapsArguments,
     kTapsOptions,
     "where to tap a coil of TURNS whole turns of --wire on a\n"
     "form of DIAMETER for the antenna (R_a with C_a) and the\n"
     "detector (R_d): the pair that gives the detector the most\n"
     "power at the band's middle, and the pair with the most\n"
     "power whose bandwidth there is within --bandwidth; or,\n"
     "with both taps given, theirs. At the band's low end,\n"
     "middle and top, the capacitor set so that the power\n"
     "peaks there: the loaded Q, the bandwidth and the power\n"
     "against what the antenna makes available, in dB\n",
     Bound<TapsFields, RunTaps>},
    {"spiral", "A flat spiral of TURNS from an inside diameter of INNER", kSpiralArguments, kSpiralOptions,
     "a flat spiral: TURNS whole turns wound outward from an\n"
     "inside diameter of INNER inches, the turns taken as\n"
     "concentric circles: its inside and outside diameters, the\n"
     "pitch, its inductance (the turns' own and every pair's\n"
     "mutual) and Wheeler's flat-spiral estimate, the wire's\n"
     "length and its DC resistance; the self-capacitance is\n"
     "not estimated\n",
     Bound<SpiralFields, RunSpiral>},
    {"spider", "A spiderweb coil of TURNS on a hub of HUB with S spokes", kSpiderArguments, kSpiderOptions,
     "a spiderweb coil: TURNS woven over and under S spokes\n"
     "(odd) from a hub of HUB inches, taken as the flat spiral\n"
     "at a pitch of the wire's outside diameter; the columns\n"
     "are spiral's, after the spokes\n",
     Bound<SpiderFields, RunSpider>},
};

} // namespace

namespace detail {

void Read(std::string_view name, std::string_view text, std::vector<double> &values)
{
    values = ParseValues(name, text);
}

void Read(std::string_view, std::string_view text, BandValues &band)
{
    band = ParseBand(text);
}

void Read(std::string_view, std::string_view text, std::string &value)
{
    value = text;
}

void Read(std::string_view, std::string_view text, bool &flag)
{
    flag = !text.empty();
}

} // namespace detail

void Fill(const Command &command, Texts texts, Fields &fields)
{
    for (std::size_t i = 0; i < command.positionals.size(); ++i) {
        const Positional &positional = command.positionals[i];
        positional.field.fill(fields, positional.name, texts.positionals[i]);
    }
    const auto fillOptions = [&](bool ranges) {
        for (std::size_t k = 0; k < command.options.size(); ++k) {
            const Option &option = command.options[k];
            if (option.field.range == ranges)
                option.field.fill(fields, option.flag, texts.options[k]);
        }
    };
    // The ranges last: every check of a single value comes before them.
    fillOptions(false);
    fields.relate();
    fillOptions(true);
}

std::span<const Command> Commands()
{
    return kCommands;
}

std::span<const FormatOption> FormatOptions()
{
    return kFormatOptions;
}

std::string Spelled(const Option &option)
{
    return std::string(option.flag) + (option.typeName.empty() ? "" : " ") + std::string(option.typeName);
}

std::string Synopsis(const Command &command)
{
    std::string text(command.name);
    for (const Positional &positional : command.positionals)
        text += " " + std::string(positional.name);
    // Options that need the one before them go inside its brackets: [--wire OD [--bare BARE] [--od D]].
    for (std::size_t i = 0; i < command.options.size(); ++i) {
        const Option &option = command.options[i];
        text += " [" + Spelled(option);
        const std::string_view next = i + 1 < command.options.size() ? command.options[i + 1].needs : "";
        if (next == option.flag)
            continue;
        text += "]";
        if (!option.needs.empty() && next != option.needs)
            text += "]";
    }
    return text;
}

std::string BashCompletion()
{
    std::string commands;
    std::string formatOptions;
    for (const FormatOption &option : kFormatOptions)
        formatOptions += std::string(option.flag) + " ";
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
        "    local options=\"" +
        formatOptions + "--help\"\n" + commandOptions +
        "    [[ $cur == -* ]] && mapfile -t COMPREPLY < <(compgen -W \"$options\" -- \"$cur\")\n"
        "}\n"
        "complete -F _spirelle spirelle\n";
}

} // namespace spirelle::cli
