// The inductance page's button (Command2_Click) on arbitrary inputs.
//
// Input: the first line picks the decimal separator ('0' ".", '1' ",",
// '2' U+066B, see fuzz_support.h); then the turns (Text15) on one line and
// the diameter (Text16), which takes the rest of the input.
#include "calc/coil.h"
#include "page_checks.h"
#include "pages/pages.h"

#include <array>

using namespace spirelle;

namespace {

// Six coil lengths (# 20 to # 30), six inductances, feet of wire.
constexpr std::array<fuzz::Output, 13> Order()
{
    std::array<fuzz::Output, 13> order{};
    for (std::size_t row = 0; row < 6; ++row) {
        order[row] = {control::kGaugeRows[row].lengthField, false};
        order[6 + row] = {control::kGaugeRows[row].inductanceField, true};
    }
    order[12] = {control::kWireFeet, false};
    return order;
}
constexpr auto kOrder = Order();

void Reference(const std::vector<std::string> &inputs, std::string_view separator, std::vector<std::string> &results)
{
    static const FieldTable window = FieldTable::mainWindow();
    const double turns = ParseNumber(inputs[0], separator);
    for (const control::GaugeRow &row : control::kGaugeRows) {
        const double inchesPerTurn = ParseNumber(window.caption(row.inchesPerTurnLabel), separator);
        results.push_back(FormatNumber(CloseWoundLength(inchesPerTurn, turns), separator));
    }
    const double diameter = ParseNumber(inputs[1], separator);
    // Each inductance from its length as shown (15 digits), not from the exact product.
    for (std::size_t row = 0; row < 6; ++row) {
        const double length = ParseNumber(results[row], separator);
        results.push_back(FormatNumber(WheelerInductance(diameter, turns, length), separator) +
                          std::string(fuzz::kUnit));
    }
    results.push_back(FormatNumber(WireFeet(diameter, turns), separator));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::CheckPress(Command2_Click, {control::kTurns, control::kDiameter}, kOrder, Reference,
                     fuzz::SplitInput(data, size, 2));
    return 0;
}
