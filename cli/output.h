#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

// The three ways a command prints its rows: an aligned table for people, CSV
// and JSON for programs. Every number is written with the window's 15
// significant digits and '.', so that it can be fed back in; a value that is
// not a finite number is written as a gap ("-", an empty CSV field, JSON
// null), never as "inf" or "nan".
namespace spirelle::cli {

enum class Format { Table, Csv, Json };

struct Column {
    std::string_view key;   // the CSV heading and JSON name: "wheeler_uH"
    std::string_view title; // the table heading: "Wheeler uH"
};

// No value: the current sheet of a coil of no length, for one.
struct Gap {};
using Cell = std::variant<Gap, double, std::string_view, bool>;

class Writer {
public:
    virtual ~Writer() = default;
    // One row, a cell per column.
    virtual void row(std::span<const Cell> cells) = 0;
    // Everything written, ready to print. The writer is spent afterwards.
    virtual std::string finish() = 0;
};

//   Table: "gauge  length in\n# 20   0.69\n"
//   Csv:   "gauge,length_in\n# 20,0.69\n"
//   Json:  "[\n{\"gauge\":\"# 20\",\"length_in\":0.69}\n]\n"
std::unique_ptr<Writer> MakeWriter(Format format, std::span<const Column> columns);

// A number as every format writes it; "-" when it is not finite:
//   0.6900000000000001 -> "0.69"   1e300 * 1e300 -> "-"
std::string NumberText(double value);

} // namespace spirelle::cli
