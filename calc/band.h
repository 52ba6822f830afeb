#pragma once

// The question crystal-set builders ask: will my coil and variable capacitor
// cover the band? For a capacitor CMIN..CMAX plus the stray capacitance of
// wiring and aerial, the inductance that puts the top of the band at the
// smallest capacitance, and how low that inductance then tunes (the turns of
// each wire for it: winding.h). Capacitances in pF, frequencies in kHz,
// inductances in uH.
namespace spirelle {

// A variable capacitor and the stray capacitance of wiring and aerial, in pF.
struct Capacitor {
    double cmin = 0;
    double cmax = 0;
    double stray = 0;
};

// A band, in kHz.
struct Band {
    double low = 0;
    double high = 0;
};

struct BandCoverage {
    double cLow = 0, cHigh = 0; // the capacitor's ends with the stray added
    double neededRatio = 0;     // (high / low)^2, the capacitance ratio the band takes
    double capacitorRatio = 0;  // cHigh / cLow, the one the capacitor gives
    double inductance = 0;      // tunes the band's top at cLow
    double lowest = 0;          // what that inductance reaches at cHigh
    bool covered = false;       // lowest is at or below the band's low end
    double cmaxToCover = 0;     // the smallest CMAX that reaches the band's low end
};

// The window's resonance formula (coil.h) over the band, as checked statements:
//   CoverBand({15, 365, 10}, {530, 1700}) -> cLow 25, cHigh 375, neededRatio 10.2883588465646,
//     capacitorRatio 15, inductance 350.613011583467, lowest 438.938112570174 (1700 / sqrt 15),
//     covered, cmaxToCover 247.208971164115 (25 x 10.288... - 10)
//   CoverBand({0, 365, 0}, {530, 1700}) -> ArithmeticError (division by zero)
BandCoverage CoverBand(const Capacitor &capacitor, const Band &band);

} // namespace spirelle
