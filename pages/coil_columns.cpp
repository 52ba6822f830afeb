#include "pages/coil_columns.h"

#include "calc/real_coil.h"
#include "calc/solenoid.h"

#include <cmath>

namespace spirelle {
namespace {

// A length in inches in the row's unit: 2 -> 50.8 (mm).
double Length(const CoilRow &row, double inches)
{
    return row.millimetres ? inches * kMillimetresPerInch : inches;
}

std::string Whole(double value, std::string_view unit, std::string_view decimal)
{
    return FormatNumber(value, decimal) + " " + std::string(unit);
}

std::string WireTip(const CoilRow &row, std::string_view decimal)
{
    const std::string_view unit = row.millimetres ? "mm" : "in";
    return row.wire.name + ": outside diameter " + Whole(Length(row, row.wire.outsideDiameter), unit, decimal) +
        ", bare " + Whole(Length(row, row.wire.bareDiameter), unit, decimal);
}

std::string TurnsTip(const CoilRow &row, std::string_view)
{
    return std::to_string(row.coil->turns) + (row.coil->turns == 1 ? " turn" : " turns");
}

std::string CoveredTip(const CoilRow &row, std::string_view decimal)
{
    const TunedCoil &t = *row.tuned;
    return t.covered ? "yes: it tunes down to " + Whole(t.lowKHz, "kHz", decimal) + ", at or below " +
            Whole(row.bandLow, "kHz", decimal)
                     : "no: it tunes down only to " + Whole(t.lowKHz, "kHz", decimal) + ", above " +
            Whole(row.bandLow, "kHz", decimal);
}

// The tank's Q at one end of the band as the window's tool tip gives it, with
// the middle's and the bandwidths:
//   "202.3 at 530 kHz, 2.885 kHz wide; in the middle, 949.2 kHz: Q 264.4, 3.967 kHz wide"
std::string TankTip(const CoilRow &row, std::string_view decimal, TankAcrossBand::Where where)
{
    const TankAcrossBand &t = *row.tank;
    const auto at = [&](TankAcrossBand::Where w) {
        return FormatNumber(t.coilQ[w], {.significant = 4, .decimal = decimal}) + " at " +
            Whole(t.frequencyKHz[w], "kHz", decimal) + ", " +
            FormatNumber(t.bandwidthKHz[w], {.significant = 4, .decimal = decimal}) + " kHz wide";
    };
    return "Q " + at(where) + "; in the middle, Q " + at(TankAcrossBand::Middle);
}

// A column of the tank's at one place in the band.
template <TankAcrossBand::Where where>
CoilValue TankQAt(const CoilRow &row)
{
    return row.tank->coilQ[where];
}
template <TankAcrossBand::Where where>
CoilValue BandwidthAt(const CoilRow &row)
{
    return row.tank->bandwidthKHz[where];
}

// Priorities: what a narrow table keeps longest (the wire, its turns, the
// inductance, the verdict) above what it drops first (Wheeler's estimate, C self).
constexpr CoilColumn kColumns[] = {
    {{"wire"},
     {"wire"},
     {"Wire"},
     {""},
     {},
     10,
     Needs::Wire,
     "",
     "custom",
     [](const CoilRow &r) -> CoilValue { return std::string_view(r.wire.name); },
     WireTip},
    {{"turns"},
     {"turns"},
     {"Turns"},
     {"turns"},
     kWhole,
     9,
     Needs::Coil,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.solenoid ? r.solenoid->turns : double(r.coil->turns); },
     TurnsTip},
    {{"pitch_in", "pitch_mm"},
     {"pitch in", "pitch mm"},
     {"Pitch (in)", "Pitch (mm)"},
     {"in", "mm"},
     kFourDecimals,
     5,
     Needs::Forward,
     "",
     "0.0000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.solenoid->pitch); }},
    {{"coil_diameter_in", "coil_diameter_mm"},
     {"coil dia in", "coil dia mm"},
     {"Coil diameter (in)", "Coil diameter (mm)"},
     {"in", "mm"},
     kThreeDecimals,
     4,
     Needs::Coil,
     "",
     "00.000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.coil->coilDiameter); }},
    {{"winding_length_in", "winding_length_mm"},
     {"length in", "length mm"},
     {"Winding length (in)", "Winding length (mm)"},
     {"in", "mm"},
     kThreeDecimals,
     5,
     Needs::Coil,
     "",
     "000.000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.coil->windingLength); }},
    {{"inductance_uH"},
     {"L uH"},
     {"L (µH)"},
     {"µH"},
     kFourDigits,
     9,
     Needs::Coil,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.coil->inductance; }},
    {{"wheeler_uH"},
     {"Wheeler uH"},
     {"Wheeler L (µH)"},
     {"µH"},
     kFourDigits,
     1,
     Needs::Coil,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.coil->wheelerInductance; }},
    {{"current_sheet_uH"},
     {"sheet uH"},
     {"Current sheet L (µH)"},
     {"µH"},
     kFourDigits,
     1,
     Needs::Forward,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.solenoid->currentSheetInductance; }},
    {{"self_capacitance_pF"},
     {"C self pF"},
     {"C_self (pF)"},
     {"pF"},
     kFourDigits,
     2,
     Needs::Coil,
     "",
     "0.000",
     [](const CoilRow &r) -> CoilValue { return r.coil->selfCapacitance; }},
    {{"self_resonance_kHz"},
     {"SRF kHz"},
     {"Self-resonance (kHz)"},
     {"kHz"},
     kFourDigits,
     2,
     Needs::Forward,
     "",
     "00000",
     [](const CoilRow &r) -> CoilValue { return r.solenoid->selfResonanceKHz; }},
    {{"high_kHz"},
     {"high kHz"},
     {"Tunes high (kHz)"},
     {"kHz"},
     kFourDigits,
     6,
     Needs::Band,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.tuned->highKHz; }},
    {{"low_kHz"},
     {"low kHz"},
     {"Tunes low (kHz)"},
     {"kHz"},
     kFourDigits,
     7,
     Needs::Band,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.tuned->lowKHz; }},
    {{"covered"},
     {"covered"},
     {"Covered"},
     {""},
     {},
     9,
     Needs::Band,
     "no coil",
     "yes",
     [](const CoilRow &r) -> CoilValue { return r.tuned->covered; },
     CoveredTip},
    // The wire's length in feet or metres, for every table.
    {{"wire_ft", "wire_m"},
     {"wire ft", "wire m"},
     {"Wire length (ft)", "Wire length (m)"},
     {"ft", "m"},
     kThreeDecimals,
     8,
     Needs::Coil,
     "",
     "000.000",
     [](const CoilRow &r) -> CoilValue {
         return r.millimetres ? r.coil->wireLength * kMillimetresPerInch / 1000.0 : r.coil->wireLength / 12.0;
     }},
    {{"dc_resistance_ohm"},
     {"DC ohm"},
     {"DC resistance (Ω)"},
     {"Ω"},
     kFourDigits,
     6,
     Needs::Forward,
     "",
     "0.000",
     [](const CoilRow &r) -> CoilValue { return r.solenoid->dcResistance; }},
    // The coil's Q in the tuned circuit, w L / R, at the band's ends and middle (calc/losses.h).
    {{"q_low"},
     {"Q low"},
     {"Q low"},
     {""},
     kFourDigits,
     2,
     Needs::Tank,
     "",
     "000.0",
     TankQAt<TankAcrossBand::Low>,
     [](const CoilRow &r, std::string_view d) { return TankTip(r, d, TankAcrossBand::Low); }},
    {{"q_mid"},
     {"Q mid"},
     {"Q middle"},
     {""},
     kFourDigits,
     6,
     Needs::TankMiddle,
     "",
     "000.0",
     TankQAt<TankAcrossBand::Middle>},
    {{"q_high"},
     {"Q high"},
     {"Q top"},
     {""},
     kFourDigits,
     2,
     Needs::Tank,
     "",
     "000.0",
     TankQAt<TankAcrossBand::High>,
     [](const CoilRow &r, std::string_view d) { return TankTip(r, d, TankAcrossBand::High); }},
    {{"bandwidth_low_kHz"},
     {"BW low kHz"},
     {"Bandwidth low (kHz)"},
     {"kHz"},
     kFourDigits,
     0,
     Needs::TankDetail,
     "",
     "00.00",
     BandwidthAt<TankAcrossBand::Low>},
    {{"bandwidth_mid_kHz"},
     {"BW mid kHz"},
     {"Bandwidth middle (kHz)"},
     {"kHz"},
     kFourDigits,
     0,
     Needs::TankDetail,
     "",
     "00.00",
     BandwidthAt<TankAcrossBand::Middle>},
    {{"bandwidth_high_kHz"},
     {"BW high kHz"},
     {"Bandwidth top (kHz)"},
     {"kHz"},
     kFourDigits,
     0,
     Needs::TankDetail,
     "",
     "00.00",
     BandwidthAt<TankAcrossBand::High>},
    {{"ac_resistance_mid_ohm"},
     {"R mid ohm"},
     {"AC resistance middle (Ω)"},
     {"Ω"},
     kFourDigits,
     0,
     Needs::TankDetail,
     "",
     "00.00",
     [](const CoilRow &r) -> CoilValue { return r.tank->acResistanceMiddle; }},
    // The coil at a frequency of --freq (calc/losses.h): R without the
    // self-capacitance, the coil's own Q and inductance with it; NaN above self-resonance.
    {{"frequency_kHz"},
     {"f kHz"},
     {"Frequency (kHz)"},
     {"kHz"},
     kFourDigits,
     9,
     Needs::AtFrequency,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.atFrequency->frequencyKHz; }},
    {{"ac_resistance_ohm"},
     {"R ohm"},
     {"AC resistance (Ω)"},
     {"Ω"},
     kFourDigits,
     8,
     Needs::AtFrequency,
     "",
     "00.00",
     [](const CoilRow &r) -> CoilValue { return r.atFrequency->acResistance; }},
    {{"q"},
     {"Q"},
     {"Q"},
     {""},
     kFourDigits,
     9,
     Needs::AtFrequency,
     "",
     "000.0",
     [](const CoilRow &r) -> CoilValue { return r.atFrequency->q; }},
    {{"effective_inductance_uH"},
     {"Leff uH"},
     {"L effective (µH)"},
     {"µH"},
     kFourDigits,
     7,
     Needs::AtFrequency,
     "",
     "0000",
     [](const CoilRow &r) -> CoilValue { return r.atFrequency->effectiveInductance; }},
};

// kColumns' row of that key: a flat coil shares them.
consteval CoilColumn Shared(std::string_view key)
{
    for (const CoilColumn &column : kColumns)
        if (column.key.inches == key)
            return column;
    throw "no such column";
}

// A flat coil (calc/flat_coil.h) as its real coil: the coil diameter is its
// outer diameter, the winding length its radial depth, C self not estimated (NaN).
constexpr CoilColumn kFlatColumns[] = {
    Shared("wire"),
    Shared("turns"),
    {{"inner_diameter_in", "inner_diameter_mm"},
     {"inner in", "inner mm"},
     {"Inner diameter (in)", "Inner diameter (mm)"},
     {"in", "mm"},
     kThreeDecimals,
     5,
     Needs::Coil,
     "",
     "00.000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.coil->coilDiameter - 2.0 * r.coil->windingLength); }},
    {{"outer_diameter_in", "outer_diameter_mm"},
     {"outer in", "outer mm"},
     {"Outer diameter (in)", "Outer diameter (mm)"},
     {"in", "mm"},
     kThreeDecimals,
     5,
     Needs::Coil,
     "",
     "00.000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.coil->coilDiameter); }},
    {{"pitch_in", "pitch_mm"},
     {"pitch in", "pitch mm"},
     {"Pitch (in)", "Pitch (mm)"},
     {"in", "mm"},
     kFourDecimals,
     3,
     Needs::Coil,
     "",
     "0.0000",
     [](const CoilRow &r) -> CoilValue { return Length(r, r.coil->pitch); }},
    Shared("inductance_uH"),
    Shared("wheeler_uH"),
    Shared("self_capacitance_pF"),
    Shared("high_kHz"),
    Shared("low_kHz"),
    Shared("covered"),
    Shared("wire_ft"),
    {{"dc_resistance_ohm"},
     {"DC ohm"},
     {"DC resistance (Ω)"},
     {"Ω"},
     kFourDigits,
     3,
     Needs::Coil,
     "",
     "0.000",
     [](const CoilRow &r) -> CoilValue { return CopperResistance(r.coil->wireLength, r.wire.bareDiameter); }},
};

} // namespace

std::span<const CoilColumn> RealCoilColumns()
{
    return kColumns;
}

std::span<const CoilColumn> FlatCoilColumns()
{
    return kFlatColumns;
}

bool Shows(Face face, const CoilColumn &column, bool atFrequency)
{
    switch (column.needs) {
    case Needs::Band:
        return face == Face::Tune || face == Face::TuneTable || face == Face::Design;
    case Needs::Tank:
        return face == Face::Tune || face == Face::Design;
    case Needs::TankMiddle:
        return face == Face::Tune || face == Face::TuneTable;
    case Needs::TankDetail:
        return face == Face::Tune;
    case Needs::AtFrequency:
        return atFrequency && (face == Face::Solenoid || face == Face::Wind);
    case Needs::Forward:
        return face == Face::Solenoid;
    default:
        return true;
    }
}

RealCoil CoilOf(const Solenoid &s)
{
    return {static_cast<int>(s.turns), s.coilDiameter, s.windingLength, s.inductance, s.wheelerInductance,
            s.selfCapacitance,         s.wireLength,   s.pitch,         s.note};
}

std::string ReadingText(const CoilColumn &column, const CoilRow &row, std::string_view decimal)
{
    const CoilValue value = column.value(row);
    if (const double *number = std::get_if<double>(&value)) {
        if (std::isnan(*number))
            return "–"; // not estimated
        NumberFormat format = column.roundingIn(row.millimetres);
        format.decimal = decimal;
        return FormatNumber(*number, format);
    }
    if (const bool *yes = std::get_if<bool>(&value))
        return *yes ? "yes" : "no";
    return std::string(std::get<std::string_view>(value));
}

std::string WholeText(const CoilColumn &column, const CoilRow &row, std::string_view decimal)
{
    if (column.tip)
        return column.tip(row, decimal);
    const double value = std::get<double>(column.value(row));
    if (std::isnan(value))
        return "not estimated";
    return Whole(value, column.unit.in(row.millimetres), decimal);
}

} // namespace spirelle
