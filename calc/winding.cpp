#include "calc/winding.h"

#include "calc/calc_error.h"
#include "calc/coil.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/tuned_circuit.h"
#include "calc/wire_gauges.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace spirelle {
namespace {

void RequireAtLeast(double value, double least, const std::string &input, const std::string &what)
{
    if (!(value >= least) || !std::isfinite(value))
        throw CalcError::outOfRange(input,
                                    "must be " + what + " (it is " + FormatNumber(value, {.significant = 6}) + ")");
}

void RequireDesignInputs(double formDiameter, const Capacitor &capacitor, const Band &band)
{
    RequireAtLeast(formDiameter, std::nextafter(0.0, 1.0), "form diameter", "a number above 0");
    RequireAtLeast(capacitor.cmin, 0.0, "CMIN", "a number not below 0");
    RequireAtLeast(capacitor.cmax, capacitor.cmin, "CMAX", "a number not below CMIN");
    RequireAtLeast(capacitor.stray, 0.0, "stray capacitance", "a number not below 0");
    RequireAtLeast(band.low, std::nextafter(0.0, 1.0), "low end of the band", "a number above 0");
    RequireAtLeast(band.high, band.low, "top of the band", "a number not below its low end");
}

double KHz(double inductance, double capacitance)
{
    return ResonantFrequency(inductance, capacitance) * 1000.0;
}

// The top frequency of `turns` turns at `pitch`, at CMIN + stray + their own capacitance.
double TopKHz(double formDiameter, const Wire &wire, const Capacitor &capacitor, int turns, double pitch)
{
    const double inductance = RoundWireInductance(formDiameter, wire, static_cast<double>(turns), pitch);
    const double coilDiameter = CoilDiameter(formDiameter, wire.outsideDiameter);
    const double self = MedhurstCapacitance(coilDiameter, turns * pitch);
    return KHz(inductance, capacitor.cmin + capacitor.stray + self);
}

// The largest n from 1 to kMaxTurns for which holds(n), where holds is true up
// to some n and false beyond; 0 when not even holds(1). Gallops out from
// `guess`, then halves the bracket: about 2 log2 |answer - guess| calls.
template <class Holds>
int LargestTurns(Holds holds, double guess)
{
    std::int64_t start = std::isfinite(guess) ? std::llround(std::clamp(guess, 1.0, double(kMaxTurns))) : 1;
    std::int64_t yes = 0;            // holds here (0: not known anywhere)
    std::int64_t no = kMaxTurns + 1; // fails here
    if (holds(int(start))) {
        yes = start;
        for (std::int64_t step = 1; yes < kMaxTurns; step *= 2) {
            const std::int64_t next = std::min<std::int64_t>(yes + step, kMaxTurns);
            if (!holds(int(next))) {
                no = next;
                break;
            }
            yes = next;
        }
    } else {
        no = start;
        for (std::int64_t step = 1; no > 1; step *= 2) {
            const std::int64_t next = std::max<std::int64_t>(no - step, 1);
            if (holds(int(next))) {
                yes = next;
                break;
            }
            no = next;
        }
        if (yes == 0)
            return 0;
    }
    while (no - yes > 1) {
        const std::int64_t middle = yes + (no - yes) / 2;
        (holds(int(middle)) ? yes : no) = middle;
    }
    return int(yes);
}

// Where to start looking: Wheeler's count for the inductance, when it has one.
template <class Inductance>
double WheelerGuess(double formDiameter, const Wire &wire, double pitch, Inductance inductance)
{
    try {
        return WheelerTurns(CoilDiameter(formDiameter, wire.outsideDiameter), pitch, inductance());
    } catch (const CalcError &) {
        return 1.0;
    }
}

} // namespace

std::vector<Wire> GaugeWires()
{
    std::vector<Wire> wires;
    for (const WireGauge &gauge : kWireGauges) {
        int number = 0;
        const std::string_view digits = gauge.name.substr(gauge.name.find_first_of("0123456789"));
        std::from_chars(digits.data(), digits.data() + digits.size(), number);
        wires.push_back({std::string(gauge.name), ParseNumber(gauge.inchesPerTurn), AwgBareDiameter(number)});
    }
    return wires;
}

TunedCoil Tune(const RealCoil &coil, const Capacitor &capacitor, const Band &band)
{
    TunedCoil tuned{coil};
    // A self-capacitance not estimated (a flat coil's) adds nothing.
    const double self = std::isnan(coil.selfCapacitance) ? 0.0 : coil.selfCapacitance;
    tuned.highKHz = KHz(coil.inductance, capacitor.cmin + capacitor.stray + self);
    tuned.lowKHz = KHz(coil.inductance, capacitor.cmax + capacitor.stray + self);
    tuned.covered = tuned.lowKHz <= band.low;
    return tuned;
}

BandDesign DesignForBand(double formDiameter, const Wire &wire, const Capacitor &capacitor, const Band &band,
                         std::optional<double> pitch)
{
    RequireDesignInputs(formDiameter, capacitor, band);
    const double p = PitchOf(wire, pitch);
    BandDesign design{wire, std::nullopt, {}};
    if (pitch && *pitch < wire.outsideDiameter) {
        design.reason = "the wire is thicker than the pitch (" +
            FormatNumber(wire.outsideDiameter, {.significant = 6}) + " in > " + FormatNumber(p, {.significant = 6}) +
            " in)";
        return design;
    }
    // The estimate of the self-capacitance only steers the start of the search.
    constexpr double kTypicalSelfCapacitance = 2.5;
    const double cTop = capacitor.cmin + capacitor.stray + kTypicalSelfCapacitance;
    const double guess = WheelerGuess(formDiameter, wire, p,
                                      [&] { return InductanceForResonance(band.high / 1000.0, cTop); });
    const auto reaches = [&](int turns) { return TopKHz(formDiameter, wire, capacitor, turns, p) >= band.high; };
    const int turns = LargestTurns(reaches, guess);
    if (turns == 0) {
        const double top = TopKHz(formDiameter, wire, capacitor, 1, p);
        design.reason = "even one turn tunes only up to " + FormatNumber(top, {.significant = 6}) +
            " kHz, below the band's top; CMIN + stray is too large";
        return design;
    }
    if (turns == kMaxTurns)
        throw CalcError::outOfRange("top of the band",
                                    "needs more than " + FormatNumber(kMaxTurns, {.significant = 9}) +
                                        " turns of the wire " + wire.name);
    design.tuned = Tune(MakeRealCoil(formDiameter, wire, turns, p), capacitor, band);
    return design;
}

std::vector<BandDesign> DesignForBand(double formDiameter, const std::vector<Wire> &wires, const Capacitor &capacitor,
                                      const Band &band, std::optional<double> pitch)
{
    std::vector<BandDesign> designs;
    designs.reserve(wires.size());
    for (const Wire &wire : wires)
        designs.push_back(DesignForBand(formDiameter, wire, capacitor, band, pitch));
    return designs;
}

RealCoil Wind(double inductance, double formDiameter, const Wire &wire, std::optional<double> pitch)
{
    RequireAtLeast(inductance, std::nextafter(0.0, 1.0), "inductance", "a number above 0");
    RequireAtLeast(formDiameter, std::nextafter(0.0, 1.0), "form diameter", "a number above 0");
    const double p = PitchOf(wire, pitch);
    const auto below = [&](int turns) {
        return RoundWireInductance(formDiameter, wire, static_cast<double>(turns), p) <= inductance;
    };
    const int under = LargestTurns(below, WheelerGuess(formDiameter, wire, p, [&] { return inductance; }));
    if (under == kMaxTurns)
        throw CalcError::outOfRange("inductance",
                                    "needs more than " + FormatNumber(kMaxTurns, {.significant = 9}) +
                                        " turns of the wire " + wire.name);
    if (under == 0)
        return MakeRealCoil(formDiameter, wire, 1, p);
    RealCoil fewer = MakeRealCoil(formDiameter, wire, under, p);
    RealCoil more = MakeRealCoil(formDiameter, wire, under + 1, p);
    return inductance - fewer.inductance <= more.inductance - inductance ? fewer : more;
}

BandDesign DesignForBand(const Wire &wire, const Capacitor &capacitor, const Band &band, const CoilOfTurns &make,
                         double guess, int most)
{
    RequireDesignInputs(1.0, capacitor, band);
    BandDesign design{wire, std::nullopt, {}};
    const auto reaches = [&](int turns) {
        return turns <= most && Tune(make(turns), capacitor, band).highKHz >= band.high;
    };
    const int turns = LargestTurns(reaches, std::min(guess, double(most)));
    if (turns == 0) {
        design.reason = "even one turn tunes only up to " +
            FormatNumber(Tune(make(1), capacitor, band).highKHz, {.significant = 6}) +
            " kHz, below the band's top; CMIN + stray is too large";
        return design;
    }
    if (turns == most)
        throw CalcError::outOfRange("top of the band",
                                    "needs " + FormatNumber(most, {.significant = 9}) + " or more turns of the wire " +
                                        wire.name);
    design.tuned = Tune(make(turns), capacitor, band);
    return design;
}

RealCoil Wind(double inductance, const Wire &wire, const CoilOfTurns &make, double guess, int most)
{
    RequireAtLeast(inductance, std::nextafter(0.0, 1.0), "inductance", "a number above 0");
    const auto below = [&](int turns) { return turns < most && make(turns).inductance <= inductance; };
    const int under = LargestTurns(below, std::min(guess, double(most)));
    if (under == most - 1)
        throw CalcError::outOfRange("inductance",
                                    "needs " + FormatNumber(most, {.significant = 9}) + " or more turns of the wire " +
                                        wire.name);
    if (under == 0)
        return make(1);
    RealCoil fewer = make(under);
    RealCoil more = make(under + 1);
    return inductance - fewer.inductance <= more.inductance - inductance ? fewer : more;
}

} // namespace spirelle
