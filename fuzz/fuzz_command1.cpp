// The frequency page's button (Command1_Click) on arbitrary inputs.
//
// Input: the first line picks the decimal separator ('0' ".", '1' ",",
// '2' U+066B, see fuzz_support.h); then the inductance (Text9) on one line and
// the capacitance (Text10), which takes the rest of the input.
#include "calc/coil.h"
#include "page_checks.h"
#include "pages/pages.h"

using namespace spirelle;

namespace {

constexpr fuzz::Output kOrder[] = {{control::kFrequency, false}};

void Reference(const std::vector<std::string> &inputs, std::string_view separator, std::vector<std::string> &results)
{
    const double inductance = ParseNumber(inputs[0], separator);
    const double capacitance = ParseNumber(inputs[1], separator);
    results.push_back(FormatNumber(ResonantFrequency(inductance, capacitance), separator));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzz::CheckPress(Command1_Click, {control::kInductance, control::kCapacitance}, kOrder, Reference,
                     fuzz::SplitInput(data, size, 2));
    return 0;
}
