#include "cli/real_coil_rows.h"

#include "calc/litz.h"
#include "calc/number_format.h"
#include "calc/quote.h"
#include "calc/wire.h"
#include "cli/arguments.h"

#include <variant>

namespace spirelle::cli {
namespace {

// The row's cells for the columns `face` shows, a column's value or a gap
// where the row has no value for it, then the note.
void AppendCells(std::vector<Cell> &cells, const CoilRow &row, Face face, std::string_view note, bool flat = false,
                 bool atFrequency = false)
{
    for (const CoilColumn &column : flat ? FlatCoilColumns() : RealCoilColumns()) {
        if (!Shows(face, column, atFrequency))
            continue;
        if (row.has(column.needs))
            std::visit([&cells](auto value) { cells.emplace_back(value); }, column.value(row));
        else
            cells.emplace_back(Gap{});
    }
    cells.emplace_back(note.empty() ? Cell(Gap{}) : Cell(note));
}

// A length in inches as a message writes it, to 6 digits in the row's unit:
// 0.0342614555 -> "0.0342615 in", "0.870241 mm".
std::string LengthText(double inches, const Lengths &lengths)
{
    return FormatNumber(lengths.millimetres ? inches * kMillimetresPerInch : inches, {.significant = 6}) + " " +
        std::string(lengths.unit());
}

// The row's note: why it has no coil, where a value is held at the end of
// Medhurst's table, and a wire thick for its form (Rosa's corrections treat
// the wire as thin against the coil's radius), each when there is one.
// Written into `held`, which the row's cell then points into.
std::string_view Note(std::string &held, std::string_view reason, std::string_view medhurst, const Wire &wire,
                      double formInches, std::string_view losses = {})
{
    held.clear();
    for (std::string_view part : {reason, medhurst, losses})
        if (!part.empty())
            held += (held.empty() ? "" : "; ") + std::string(part);
    if (wire.outsideDiameter > formInches / 10)
        held += (held.empty() ? "" : "; ") +
            std::string(
                    "the wire is thicker than a tenth of the form's diameter, "
                    "where the round-wire corrections are rough");
    return held;
}

} // namespace

double Lengths::inches(double typed) const
{
    return millimetres ? typed / kMillimetresPerInch : typed;
}

double OneLength(std::string_view name, std::string_view text, const Lengths &lengths)
{
    const std::vector<double> values = ParseValues(name, text);
    if (values.size() != 1)
        throw UsageError(std::string(name) + ": " + Quote(text, kArgumentQuote) + " is a range; give one number");
    if (!(values[0] > 0))
        throw UsageError(std::string(name) + ": " + Quote(text, kArgumentQuote) + " is not above 0");
    return lengths.inches(values[0]);
}

std::string PitchNote(const Wire &wire, double pitch, const Lengths &lengths)
{
    return "the wire is thicker than the pitch (" + LengthText(wire.outsideDiameter, lengths) + " > " +
        LengthText(pitch, lengths) + ")";
}

std::string Winding::misfit(std::size_t i, double formInches, const Lengths &lengths) const
{
    const Wire &wire = wires[i];
    if (!isGiven(i) || wire.outsideDiameter < formInches)
        return {};
    std::string why = "--wire " + Quote(givenText, kArgumentQuote) + ": the wire's outside diameter, " +
        LengthText(wire.outsideDiameter, lengths) + ", is not below the form's diameter, " +
        LengthText(formInches, lengths);
    if (wire.name == "custom")
        if (const auto gauge = GaugeSuggestion(ParseValues("--wire", givenText).front()))
            why += "; for AWG " + gauge->substr(3) + " write --wire " + *gauge;
    return why;
}

Winding WindingFor(std::string_view wireText, std::string_view bareText, std::string_view pitchText,
                   const Lengths &lengths, bool alone, std::string_view odText)
{
    Winding winding;
    if (!pitchText.empty())
        winding.pitch = OneLength("--pitch", pitchText, lengths);
    if (!alone)
        winding.wires = GaugeWires();
    if (wireText.empty())
        return winding;
    if (wireText.find(':') != std::string_view::npos)
        throw UsageError("--wire: " + Quote(wireText, kArgumentQuote) + " is a range; give one wire");
    Wire wire;
    try {
        wire = ParseWire(wireText, lengths.millimetres ? LengthUnit::Millimetres : LengthUnit::Inches);
    } catch (const WireError &error) {
        throw UsageError("--wire: " + std::string(error.what()));
    }
    if (!odText.empty() && wire.strands == 0)
        throw UsageError("--od goes only with a Litz --wire (litz660x46); a solid wire's outside diameter is --wire");
    if (!odText.empty()) {
        const double outside = OneLength("--od", odText, lengths);
        try {
            wire = LitzWire(wire.name, wire.strands, wire.strandDiameter, outside);
        } catch (const WireError &error) {
            throw UsageError("--od " + std::string(odText) + ": " + error.what());
        }
    }
    if (!bareText.empty() && wire.strands > 0)
        throw UsageError("--bare goes not with a Litz --wire: its copper is its strands'");
    if (!bareText.empty()) {
        wire.bareDiameter = OneLength("--bare", bareText, lengths);
        if (wire.bareDiameter > wire.outsideDiameter)
            throw UsageError("--bare " + std::string(bareText) + " is above --wire " + std::string(wireText) + " (" +
                             LengthText(wire.outsideDiameter, lengths) + "); the copper is inside the enamel");
    }
    if (winding.pitch && *winding.pitch < wire.outsideDiameter)
        throw UsageError("--pitch " + std::string(pitchText) + " is below the outside diameter of --wire " +
                         std::string(wireText) + ", " + LengthText(wire.outsideDiameter, lengths) +
                         ": the turns would overlap");
    winding.wires.push_back(std::move(wire));
    winding.givenText = wireText;
    return winding;
}

std::vector<Column> CoilColumns(const Lengths &lengths, Face face, bool flat, bool atFrequency)
{
    std::vector<Column> columns;
    for (const CoilColumn &column : flat ? FlatCoilColumns() : RealCoilColumns())
        if (Shows(face, column, atFrequency))
            columns.push_back({column.key.in(lengths.millimetres), column.title.in(lengths.millimetres),
                               column.roundingIn(lengths.millimetres), column.priority});
    columns.push_back({"note", "note", {}, kWords});
    return columns;
}

void AppendCoilCells(std::vector<Cell> &cells, std::string &held, const BandDesign &design, double formInches,
                     const Lengths &lengths, bool flat, const TankAcrossBand *tank, Face face)
{
    const TunedCoil *tuned = design.tuned ? &*design.tuned : nullptr;
    const std::string_view medhurst = tuned ? std::string_view(tuned->coil.note) : "";
    CoilRow row{design.wire, tuned ? &tuned->coil : nullptr, tuned, lengths.millimetres};
    row.tank = tank;
    AppendCells(cells, row, face, Note(held, design.reason, medhurst, design.wire, formInches), flat);
}

void AppendCoilCells(std::vector<Cell> &cells, std::string &held, const Wire &wire, const RealCoil *coil,
                     std::string_view reason, double formInches, const Lengths &lengths, bool flat,
                     const CoilAtFrequency *at, bool atFrequency)
{
    const std::string_view medhurst = coil ? std::string_view(coil->note) : "";
    CoilRow row{wire, coil, nullptr, lengths.millimetres};
    row.atFrequency = at;
    AppendCells(cells, row, Face::Wind,
                Note(held, reason, medhurst, wire, formInches, at ? std::string_view(at->note) : ""), flat,
                atFrequency);
}

void AppendSolenoidCells(std::vector<Cell> &cells, std::string &held, const Wire &wire, const Solenoid *solenoid,
                         std::string_view reason, double formInches, const Lengths &lengths, const CoilAtFrequency *at,
                         bool atFrequency)
{
    const RealCoil coil = solenoid ? CoilOf(*solenoid) : RealCoil{};
    CoilRow row{wire, solenoid ? &coil : nullptr, nullptr, lengths.millimetres, 0, solenoid};
    row.atFrequency = at;
    AppendCells(cells, row, Face::Solenoid,
                Note(held, reason, solenoid ? std::string_view(solenoid->note) : "", wire, formInches,
                     at ? std::string_view(at->note) : ""),
                false, atFrequency);
}

} // namespace spirelle::cli
