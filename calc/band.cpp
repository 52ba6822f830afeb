#include "calc/band.h"

#include "calc/checked.h"
#include "calc/coil.h"
#include "calc/tuned_circuit.h"

namespace spirelle {
namespace {

// A capacitor range covers the band when its lowest frequency is not above
// the band's low end; this much relative slack absorbs rounding when a
// capacitor is exactly wide enough.
constexpr double kCoverSlack = 1e-12;

} // namespace

BandCoverage CoverBand(const Capacitor &capacitor, const Band &band)
{
    const auto [cmin, cmax, stray] = capacitor;
    const auto [low, high] = band;
    BandCoverage c;
    c.cLow = CheckedStep(Fp(cmin) + stray);
    c.cHigh = CheckedStep(Fp(cmax) + stray);
    c.neededRatio = CheckedStep(Fp(high) / low * (Fp(high) / low));
    c.capacitorRatio = CheckedStep(Fp(c.cHigh) / c.cLow);
    c.inductance = InductanceForResonance(CheckedStep(Fp(high) / 1000.0), c.cLow);
    c.lowest = CheckedStep(Fp(ResonantFrequency(c.inductance, c.cHigh)) * 1000.0);
    c.covered = c.lowest <= low * (1 + kCoverSlack);
    c.cmaxToCover = CheckedStep(Fp(c.cLow) * c.neededRatio - stray);
    return c;
}

} // namespace spirelle
