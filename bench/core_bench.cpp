// Timings of the calculation core and of the three page handlers over a plain
// FieldTable holding the worked examples. A whole Command2_Click (six lengths,
// six inductances, feet of wire: 13 writes, 50 parses) should stay well
// under 20 µs.
#include "pages/field_table.h"
#include "pages/controls.h"
#include "pages/design.h"
#include "calc/flat_coil.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/solenoid.h"
#include "calc/taps.h"
#include "calc/winding.h"
#include "calc/wire.h"
#include "pages/pages.h"

#include <benchmark/benchmark.h>

#include <string>
#include <string_view>

using namespace spirelle;

namespace {

// Texts as the handlers meet them: a gauge caption, a typed whole number, an
// inductance as written back (15 digits), a result in exponent notation.
const std::string kParseTexts[] = {".0345", "20", "8.7719298245614", "1e-05"};

void BM_ParseNumber(benchmark::State &state)
{
    std::string text = kParseTexts[state.range(0)];
    state.SetLabel(text);
    for (auto _ : state) {
        benchmark::DoNotOptimize(text);
        double value = ParseNumber(text, ".");
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ParseNumber)->DenseRange(0, 3);

// Values as the handlers produce them: a coil length, a whole number of feet,
// an inductance, a frequency, and one that needs exponent notation.
const double kFormatValues[] = {0.69, 5, 8.771929824561403, 1.5926063343256, 1e-05};

void BM_FormatNumber(benchmark::State &state)
{
    double value = kFormatValues[state.range(0)];
    state.SetLabel(FormatNumber(value, "."));
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        std::string text = FormatNumber(value, ".");
        benchmark::DoNotOptimize(text.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FormatNumber)->DenseRange(0, 4);

using Handler = void (*)(FieldAccess &, const Separators &);

// One handler over a table of the main window's controls with the given inputs
// typed in. The inputs stay as they are; each run overwrites the results, as a
// repeated click on the button does.
void RunHandler(benchmark::State &state, Handler handler,
                std::initializer_list<std::pair<std::string_view, std::string_view>> inputs, std::string_view resultBox)
{
    FieldTable table = FieldTable::mainWindow();
    for (const auto &[box, text] : inputs)
        table.setText(box, text);
    try {
        handler(table, ".");
    } catch (const std::exception &error) {
        state.SkipWithError(error.what());
        return;
    }
    state.SetLabel(std::string(resultBox) + "=" + table.text(resultBox));
    for (auto _ : state) {
        handler(table, ".");
        benchmark::DoNotOptimize(table);
        benchmark::ClobberMemory();
    }
}

void BM_Command2_Click(benchmark::State &state)
{
    RunHandler(state, Command2_Click, {{control::kTurns, "20"}, {control::kDiameter, "1"}},
               control::kGaugeRows[0].inductanceField);
}
BENCHMARK(BM_Command2_Click)->Unit(benchmark::kMicrosecond);

void BM_Command1_Click(benchmark::State &state)
{
    RunHandler(state, Command1_Click, {{control::kInductance, "240"}, {control::kCapacitance, "100"}},
               control::kFrequency);
}
BENCHMARK(BM_Command1_Click)->Unit(benchmark::kMicrosecond);

void BM_Command3_Click(benchmark::State &state)
{
    RunHandler(state, Command3_Click,
               {{control::kLooseDiameter, "2"}, {control::kLooseTurns, "10"}, {control::kLooseLength, "1.1"}},
               control::kLooseInductance);
}
BENCHMARK(BM_Command3_Click)->Unit(benchmark::kMicrosecond);

// A real-coil design for a band with all six gauges (2 in form, 15-365 pF,
// 10 pF stray, 530-1700 kHz), and the turns for 250 uH of # 20 on 2 in.
void BM_DesignForBand(benchmark::State &state)
{
    const std::vector<Wire> wires = GaugeWires();
    for (auto _ : state) {
        auto designs = DesignForBand(2, wires, {15, 365, 10}, {530, 1700});
        benchmark::DoNotOptimize(designs.data());
    }
}
BENCHMARK(BM_DesignForBand)->Unit(benchmark::kMicrosecond);

void BM_Wind(benchmark::State &state)
{
    const Wire wire = GaugeWires().front();
    for (auto _ : state) {
        RealCoil coil = Wind(250, 2, wire);
        benchmark::DoNotOptimize(coil);
    }
}
BENCHMARK(BM_Wind)->Unit(benchmark::kMicrosecond);

// One coil forward, wire by name and all: 40.5 turns of awg24 on a 1.5 in
// form at 0.05 in a turn (should stay well under 50 us).
void BM_Solenoid(benchmark::State &state)
{
    for (auto _ : state) {
        Solenoid coil = MakeSolenoid(1.5, ParseWire("awg24"), 40.5, 0.05);
        benchmark::DoNotOptimize(coil);
    }
}
BENCHMARK(BM_Solenoid)->Unit(benchmark::kMicrosecond);

// A flat spiral of 100 turns of # 24 from a 1 in inside diameter: 100 rings and
// 4950 pairs, each pair two complete elliptic integrals (should stay under 1 ms).
void BM_FlatSpiral100(benchmark::State &state)
{
    const Wire wire = GaugeWires()[2];
    for (auto _ : state) {
        FlatCoil coil = MakeFlatCoil({1, 0, std::nullopt}, wire, 100);
        benchmark::DoNotOptimize(coil);
    }
}
BENCHMARK(BM_FlatSpiral100)->Unit(benchmark::kMicrosecond);

// Its band design: # 24 as a flat spiral from 1 in, 15-365 pF, 10 pF stray,
// 530-1700 kHz, about 100 turns (should stay under 50 ms).
void BM_FlatSpiralDesign(benchmark::State &state)
{
    const Wire wire = GaugeWires()[2];
    for (auto _ : state) {
        BandDesign design = DesignFlatForBand({1, 0, std::nullopt}, wire, {15, 365, 10}, {530, 1700});
        state.SetLabel(std::to_string(design.tuned ? design.tuned->coil.turns : 0) + " turns");
        benchmark::DoNotOptimize(design);
    }
}
BENCHMARK(BM_FlatSpiralDesign)->Unit(benchmark::kMillisecond);

// The design window's whole answer for the same band on a 2 in form: the
// inputs read, the six wires designed, every cell's text and whole value.
void BM_Design(benchmark::State &state)
{
    FieldTable fields = FieldTable::designWindow({});
    fields.setText(design::control::kDiameter, "2");
    for (auto _ : state)
        benchmark::DoNotOptimize(design::Design(fields, {}));
}
BENCHMARK(BM_Design)->Unit(benchmark::kMicrosecond);

// The table itself, for scale: the window's 56 labels and text boxes.
void BM_FieldTable_mainWindow(benchmark::State &state)
{
    for (auto _ : state) {
        FieldTable table = FieldTable::mainWindow();
        benchmark::DoNotOptimize(table);
    }
}
BENCHMARK(BM_FieldTable_mainWindow)->Unit(benchmark::kMicrosecond);

// Choosing the taps of a 150-turn coil (every pair, 22,500, worked out at the
// band's middle, then the within-bandwidth candidates in full): the coil's
// inductance table and resistance made once, as the design window makes them
// per selected row. Should stay well under 50 ms.
void BM_ChooseTaps150(benchmark::State &state)
{
    TappedCircuit circuit;
    circuit.formDiameter = 1.5;
    circuit.wire = {"awg22", 0.0275, AwgBareDiameter(22)};
    circuit.turns = 150;
    circuit.capacitor = {15, 365, 10};
    for (auto _ : state) {
        const TapSolver solver(circuit, {530, 1700}, CoilAcResistance(circuit));
        benchmark::DoNotOptimize(ChooseTaps(solver, 10));
    }
}
BENCHMARK(BM_ChooseTaps150)->Unit(benchmark::kMillisecond);

} // namespace
