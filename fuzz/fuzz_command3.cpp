// The loose-coil page's button (Command3_Click) on arbitrary inputs.
//
// Input: the first line picks the decimal separator ('0' ".", '1' ",",
// '2' U+066B, see fuzz_support.h); then one line each for the diameter
// (Text19) and the turns (Text20), and the winding length (Text21), which
// takes the rest of the input.
#include "calc/coil.h"
#include "page_checks.h"
#include "pages/pages.h"

using namespace spirelle;

namespace {

constexpr fuzz::Output kOrder[] = {{control::kLooseInductance, true}};

void Reference(const std::vector<std::string> &inputs, std::string_view separator, std::vector<std::string> &results)
{
    const double diameter = ParseNumber(inputs[0], separator);
    const double turns = ParseNumber(inputs[1], separator);
    const double length = ParseNumber(inputs[2], separator);
    results.push_back(FormatNumber(WheelerInductance(diameter, turns, length), separator) + std::string(fuzz::kUnit));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::CheckPress(Command3_Click, {control::kLooseDiameter, control::kLooseTurns, control::kLooseLength}, kOrder,
                     Reference, fuzz::SplitInput(data, size, 3));
    return 0;
}
