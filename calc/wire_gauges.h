#pragma once

#include <string_view>

// The six magnet-wire gauges of the inductance page, # 20 to # 30, as their
// captions read. The window shows these texts and reads the inches per turn
// back from its caption; the command line parses the same texts, so both give
// the same numbers.
namespace spirelle {

struct WireGauge {
    std::string_view name;          // "# 20"
    std::string_view inchesPerTurn; // ".0345": the wire's outside diameter, the length one turn takes
    std::string_view turnsPerInch;  // "29": shown only, never computed with
};

inline constexpr WireGauge kWireGauges[] = {
    {"# 20", ".0345", "29"}, {"# 22", ".0286", "35"}, {"# 24", ".0222", "45"},
    {"# 26", ".0179", "56"}, {"# 28", ".0143", "70"}, {"# 30", ".0105", "95"},
};

} // namespace spirelle
