// The inductance page's button (Command2_Click) on arbitrary inputs.
//
// Input: the first line picks the decimal separator ('0' ".", '1' ",",
// '2' U+066B, see fuzz_support.h); then the turns (Text15) on one line and
// the diameter (Text16), which takes the rest of the input.
#include "calc/coil.h"
#include "page_checks.h"
#include "pages/pages.h"

using namespace spirelle;

namespace {

// Six coil lengths (# 20 to # 30), six inductances, feet of wire.
constexpr fuzz::Output kOrder[] = {
    {"Text14", false}, {"Text13", false}, {"Text12", false}, {"Text11", false}, {"Text5", false},
    {"Text4", false},  {"Text1", true},   {"Text2", true},   {"Text3", true},   {"Text6", true},
    {"Text7", true},   {"Text8", true},   {"Text18", false},
};

// The labels that give each gauge's inches per turn, # 20 to # 30.
constexpr std::string_view kInchesPerTurnLabels[] = {"Label44", "Label43", "Label42", "Label41", "Label40", "Label39"};

void Reference(const std::vector<std::string> &inputs, std::string_view separator, std::vector<std::string> &results)
{
    static const FieldTable window = FieldTable::mainWindow();
    const double turns = ParseNumber(inputs[0], separator);
    for (const std::string_view label : kInchesPerTurnLabels) {
        const double inchesPerTurn = ParseNumber(window.caption(label), separator);
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
    fuzz::CheckPress(Command2_Click, {"Text15", "Text16"}, kOrder, Reference, fuzz::SplitInput(data, size, 2));
    return 0;
}
