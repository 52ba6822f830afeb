#pragma once

#include "calc/band.h"
#include "calc/real_coil.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

// Designs of real coils (real_coil.h): the whole turns of a wire that put the
// top of a band within a variable capacitor's reach, and the whole turns that
// come nearest an inductance. Units: inches, uH, pF, kHz. Invalid inputs throw
// CalcError::outOfRange naming the input; a wire that cannot reach the band is
// an answer (an empty coil and the reason), not an error.
//
// Worked value: a 2 in form, 15-365 pF and 10 pF stray, 530-1700 kHz:
//   # 20: 128 turns, 315.262 uH, C_self 2.690 pF, tunes 1703.49 down to 461.24 kHz.
namespace spirelle {

// The six gauges of the inductance page (wire_gauges.h), # 20 to # 30: their
// outside diameters as the window has them (.0345 ... .0105), the bare
// diameters of AWG 20 ... 30 (AwgBareDiameter).
std::vector<Wire> GaugeWires();

// A coil and what it tunes with the capacitor, its own capacitance added.
struct TunedCoil {
    RealCoil coil;
    double highKHz = 0;   // at CMIN + stray + C_self
    double lowKHz = 0;    // at CMAX + stray + C_self
    bool covered = false; // lowKHz <= the band's low end
};

// One wire's answer for a band.
struct BandDesign {
    Wire wire;
    std::optional<TunedCoil> tuned; // empty when no whole number of turns reaches the band's top
    std::string reason;             // why it is empty; "" when it is not
};

// What `coil` tunes with `capacitor` over `band`: highKHz, lowKHz, covered.
TunedCoil Tune(const RealCoil &coil, const Capacitor &capacitor, const Band &band);

// The largest whole number of turns of `wire` on the form whose top frequency
// (at CMIN + stray + its own capacitance) is at or above the band's top:
//   DesignForBand(2, # 20, {15, 365, 10}, {530, 1700}) -> 128 turns, 1703.49-461.24 kHz, covered
//   DesignForBand(2, # 20, {1e9, 2e9, 10}, {530, 1700}) -> no coil, with the reason
// With a `pitch` (inches a turn; default close-wound) every coil is wound at
// it; a wire thicker than the pitch is an answer with no coil and the reason.
BandDesign DesignForBand(double formDiameter, const Wire &wire, const Capacitor &capacitor, const Band &band,
                         std::optional<double> pitch = std::nullopt);

// The same for each of `wires`, in order.
std::vector<BandDesign> DesignForBand(double formDiameter, const std::vector<Wire> &wires, const Capacitor &capacitor,
                                      const Band &band, std::optional<double> pitch = std::nullopt);

// The whole number of turns (1 or more) of `wire` on the form whose
// round-wire inductance is nearest `inductance` uH (the fewer turns on a tie):
//   Wind(250, 2, # 20) -> 105 turns, 248.926 uH
// With a `pitch` every count is wound at it; one below the wire's outside
// diameter throws OutOfRange "pitch".
RealCoil Wind(double inductance, double formDiameter, const Wire &wire, std::optional<double> pitch = std::nullopt);

// The same two searches for any coil made whole turns at a time (a flat coil):
// `make` gives the coil of n turns (n >= 1), its inductance rising with n;
// `guess` is where the search starts, `most` the most turns it tries (more is
// an OutOfRange naming the top of the band or the inductance). A coil whose self-capacitance is not
// estimated (NaN) tunes with the capacitor and its stray alone.
using CoilOfTurns = std::function<RealCoil(int turns)>;
BandDesign DesignForBand(const Wire &wire, const Capacitor &capacitor, const Band &band, const CoilOfTurns &make,
                         double guess, int most);
RealCoil Wind(double inductance, const Wire &wire, const CoilOfTurns &make, double guess, int most);

} // namespace spirelle
