#include "pages/result_notes.h"

#include "calc/current_sheet.h"
#include "calc/number_format.h"

#include <cmath>

namespace spirelle {

std::string InductanceNote(std::string_view written, double wheeler, const CoilInputs &coil, std::string_view separator)
{
    const auto number = [separator](double value) { return FormatNumber(value, separator); };
    std::string note = std::string(written) + " by Wheeler's formula, for " + number(coil.turns) + " turns on a " +
        number(coil.diameter) + " in form, " + number(coil.length) + " in long.";

    const auto sheet = CurrentSheetInductance(coil.diameter, coil.turns, coil.length);
    if (!sheet || *sheet == 0.0) {
        note += "\nNo current-sheet cross-check: the current sheet needs a diameter and a length above 0, and turns.";
        return note;
    }
    const double deviation = WheelerDeviationPercent(wheeler, *sheet);
    const double ratio = coil.length / coil.diameter;
    const auto digits = [separator](double value, int significant) {
        return FormatNumber(value, {.significant = significant, .decimal = separator});
    };
    note += "\nCurrent sheet: " + digits(*sheet, 6) + " uH; Wheeler is " + digits(std::fabs(deviation), 3) + " % " +
        (deviation < 0 ? "below" : "above") + " it. Length/diameter: " + digits(ratio, 3) + ".";
    if (ratio < kWheelerShortCoilRatio) {
        note += "\nWheeler's formula reads low for a coil this short: " + digits(std::fabs(deviation), 3) +
            " % below the current sheet, the better value here.";
    }
    return note;
}

std::string LengthNote(std::string_view written, std::string_view gauge, std::string_view inchesPerTurn, double turns,
                       std::string_view separator)
{
    return std::string(written) + " in long, for " + FormatNumber(turns, separator) + " turns of " +
        std::string(gauge) + " wire at " + std::string(inchesPerTurn) + " in per turn.";
}

std::string WireFeetNote(std::string_view written, double diameter, double turns, std::string_view separator)
{
    return std::string(written) + " ft of wire, for " + FormatNumber(turns, separator) + " turns on a " +
        FormatNumber(diameter, separator) + " in form.";
}

std::string FrequencyNote(std::string_view written, double inductance, double capacitance, std::string_view separator)
{
    return std::string(written) + " MHz, for " + FormatNumber(inductance, separator) + " uH and " +
        FormatNumber(capacitance, separator) + " pF.";
}

} // namespace spirelle
