#pragma once

#include "calc/number_format.h"

#include <cstdio>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <variant>

// The three ways a command prints its rows: an aligned table for people, CSV
// and JSON for programs. Rows are written as they are made, so a sweep's
// first rows appear at once and its memory stays flat. CSV and JSON write
// every number with the window's 15 significant digits and '.', so that it
// can be fed back in; the table rounds each column for reading (its
// `rounding`) and fits 100 columns, leaving out the columns of the lowest
// `priority` first. A value that is not a finite number is written as a gap
// ("-", an empty CSV field, JSON null), never as "inf" or "nan". A row whose
// calculation failed keeps its inputs, has gaps for its results and says why
// in the last column, `error`.
namespace spirelle::cli {

// The significant digits of the table's numbers unless --digits says otherwise.
inline constexpr int kTableDigits = 4;
// The width a table fits unless --wide is given.
inline constexpr std::size_t kTableWidth = 100;

// How a command prints: the kind of output and, for the table, --digits and --wide.
struct Format {
    enum Kind { Table, Csv, Json };
    constexpr Format(Kind kind = Table, int digits = kTableDigits, bool wide = false)
        : kind(kind), digits(digits), wide(wide)
    {
    }
    Kind kind;
    int digits; // significant digits of the table's columns rounded to significant digits
    bool wide;  // every column, however wide the table
};

// Where the text goes as it is made: stdout in the program, a string in tests and fuzzing.
class Sink {
public:
    virtual ~Sink() = default;
    virtual void write(std::string_view text) = 0;
};

class StringSink final : public Sink {
public:
    explicit StringSink(std::string &text) : m_text(text) {}
    void write(std::string_view text) override { m_text += text; }

private:
    std::string &m_text;
};

// The output cannot be written (a full disk): the command stops.
class OutputError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes to a C stream; a failed write throws OutputError.
class FileSink final : public Sink {
public:
    explicit FileSink(std::FILE *file) : m_file(file) {}
    void write(std::string_view text) override;

private:
    std::FILE *m_file;
};

// A column's priority in a table too wide: the lowest is left out first.
// Words (a note, the error) are never left out, and the width a table fits
// does not count them: they end their line, where a terminal wraps them.
inline constexpr int kWords = 1000;

struct Column {
    std::string_view key;   // the CSV heading and JSON name: "wheeler_uH"
    std::string_view title; // the table heading: "Wheeler uH"
    // The table's text (pages/coil_columns.h's roundings); a rounding to
    // significant digits takes --digits' instead of its own.
    NumberFormat rounding = {};
    int priority = kWords;
};

// No value: the current sheet of a coil of no length, for one.
struct Gap {};
using Cell = std::variant<Gap, double, std::string_view, bool>;

// What a command printed: its rows, how many failed and the first failure's message.
struct Outcome {
    std::size_t rows = 0;
    std::size_t failed = 0;
    std::string firstError;
    void add(const Outcome &other);
};

class Writer {
public:
    virtual ~Writer() = default;
    // One row, a cell per column.
    void row(std::span<const Cell> cells);
    // A row whose calculation failed: the cells known (the first ones, its
    // inputs), gaps for the rest, and why.
    void failed(std::span<const Cell> known, std::string_view why);
    // Writes what is held back; the writer is spent afterwards.
    Outcome finish();

protected:
    virtual void put(std::span<const Cell> cells, std::string_view error) = 0;
    virtual void end() = 0;

private:
    Outcome m_outcome;
};

// With an error column (the commands' rows) or without (a table inside a story):
//   Table: "gauge  length in\n# 20   0.690\n" (the error column is empty: not shown)
//   Csv:   "gauge,length_in,error\n# 20,0.69,\n"
//   Json:  "[\n{\"gauge\":\"# 20\",\"length_in\":0.69,\"error\":null}\n]\n"
enum class ErrorColumn { Yes, No };
std::unique_ptr<Writer> MakeWriter(Format format, std::span<const Column> columns, Sink &out,
                                   ErrorColumn errors = ErrorColumn::Yes);

// A table's column widths, the columns it leaves out to fit and the columns
// with nothing in them, which it does not show, come from its heading and its
// first rows, this many, held back until then. A wider cell further down
// widens its column from that row on; a value further down in a column not
// shown ends its row after the column's title: "  error: Division by zero...".
inline constexpr std::size_t kTableLookahead = 1000;

// A number as the table writes it in words, to `digits` significant digits;
// "-" when it is not finite:
//   (350.613011583467, 4) -> "350.6"   (1700, 4) -> "1700"   (1e300 * 1e300, 4) -> "-"
std::string NumberText(double value, int digits);

} // namespace spirelle::cli
