#include "pages/taps_panel.h"

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/taps.h"

#include <cmath>
#include <optional>

namespace spirelle::design {
namespace {

struct Bad {
    std::string_view control;
    std::string message;
};

const TapsInput &TapsInputNamed(std::string_view control)
{
    for (const TapsInput &input : kTapsInputs)
        if (input.control == control)
            return input;
    throw ControlError("No taps field named " + std::string(control) + ".");
}

class TapsReader {
public:
    TapsReader(const FieldAccess &fields, const Separators &separators) : m_fields(fields), m_separators(separators) {}

    Bad bad(const TapsInput &input, const std::string &why) const
    {
        return {input.control,
                std::string(input.name) + " " + why + ": type " + std::string(input.what) + ", such as " +
                    text(input.example) + "."};
    }

    // The field's number; nullopt when it is empty.
    std::optional<double> read(std::string_view control) const
    {
        const TapsInput &input = TapsInputNamed(control);
        const std::string typed = m_fields.text(control);
        if (typed.find_first_not_of(" \t") == std::string::npos)
            return std::nullopt;
        try {
            return ParseNumber(typed, m_separators.decimal, m_separators.group);
        } catch (const CalcError &) {
            throw bad(input, "is not a number");
        }
    }

    double positive(std::string_view control) const
    {
        const TapsInput &input = TapsInputNamed(control);
        const std::optional<double> value = read(control);
        if (!value)
            throw bad(input, "is empty");
        if (!(*value > 0 && std::isfinite(*value)))
            throw bad(input, "must be above 0");
        return *value;
    }

    int tap(std::string_view control, int turns) const
    {
        const TapsInput &input = TapsInputNamed(control);
        const double value = *read(control);
        if (!(value >= 1 && value <= turns && value == std::floor(value)))
            throw bad(input, "must be a whole turn from 1 to " + std::to_string(turns));
        return static_cast<int>(value);
    }

    std::string text(double value, int significant = 4) const
    {
        return FormatNumber(value, {.significant = significant, .plainUpTo = 14, .decimal = m_separators.decimal});
    }

private:
    const FieldAccess &m_fields;
    const Separators &m_separators;
};

std::string_view ChoiceWords(std::string_view choice)
{
    if (choice == "most_power")
        return "Most power";
    if (choice == "within_bandwidth")
        return "Within the bandwidth";
    return "Typed taps";
}

void AddRows(TapsView &view, const TapChoice &choice, const TapsReader &r)
{
    const std::string words(ChoiceWords(choice.choice));
    if (!choice.taps) {
        view.rows.push_back({words, "", "", "", "", "", "", choice.note});
        return;
    }
    for (const LoadedPoint &point : choice.points) {
        std::vector<std::string> row = {words, std::to_string(choice.taps->antenna),
                                        std::to_string(choice.taps->detector), r.text(point.frequencyKHz)};
        if (point.reached)
            row.insert(row.end(), {r.text(point.loadedQ), r.text(point.bandwidthKHz), r.text(point.powerDb, 3)});
        else
            row.insert(row.end(), {"", "", ""});
        row.push_back(point.note);
        view.rows.push_back(std::move(row));
    }
}

} // namespace

TapsView DesignTaps(const FieldAccess &fields, const Separators &separators, int row)
{
    TapsView view;
    view.headers = {"Choice",   "Antenna tap",     "Detector tap", "Frequency (kHz)",
                    "Loaded Q", "Bandwidth (kHz)", "Power (dB)",   "Note"};
    const std::optional<RowCoil> coil = CoilOfRow(fields, separators, row);
    if (!coil) {
        view.title = "Select the row of a solenoid's coil to see where to tap it.";
        return view;
    }
    const TapsReader r(fields, separators);
    view.title = std::to_string(coil->turns) + " turns of " + coil->wire.name +
        ": the antenna and the detector tapped at turns from ground; power against what the antenna makes available";
    try {
        TappedCircuit circuit;
        circuit.formDiameter = coil->formDiameter;
        circuit.wire = coil->wire;
        circuit.turns = coil->turns;
        circuit.pitch = coil->pitch;
        circuit.capacitor = coil->capacitor;
        circuit.capacitorQ = coil->capacitorQ;
        circuit.loads = {r.positive(control::kAntennaOhm), r.positive(control::kAntennaPf),
                         r.positive(control::kDetectorOhm)};
        const double bandwidth = r.positive(control::kBandwidth);
        const bool antenna = r.read(control::kAntennaTap).has_value();
        const bool detector = r.read(control::kDetectorTap).has_value();
        if (antenna != detector) {
            const TapsInput &missing = TapsInputNamed(antenna ? control::kDetectorTap : control::kAntennaTap);
            throw r.bad(missing, "is empty while the other tap is given");
        }
        const TapSolver solver(circuit, coil->band, CoilAcResistance(circuit));
        std::optional<Taps> marked;
        if (antenna) {
            marked = Taps{r.tap(control::kAntennaTap, coil->turns), r.tap(control::kDetectorTap, coil->turns)};
            AddRows(view, GivenTaps(solver, *marked), r);
        } else if (coil->turns > kMostChosenTurns) {
            view.message = "Type both taps to see their figures: the taps of more than " +
                std::to_string(kMostChosenTurns) + " turns are not chosen as you type.";
        } else {
            for (const TapChoice &choice : ChooseTaps(solver, bandwidth)) {
                AddRows(view, choice, r);
                if (choice.taps)
                    marked = choice.taps;
            }
        }
        if (marked) {
            forms::Card card = coil->card;
            card.taps = forms::TapMarks(marked->antenna, marked->detector);
            view.drawing = forms::WindingCardSvg(card);
        }
    } catch (const Bad &bad) {
        view.badField = bad.control;
        view.message = bad.message;
    } catch (const CalcError &error) {
        view.message = error.what();
    }
    return view;
}

} // namespace spirelle::design
