#pragma once

#include "calc/band.h"
#include "calc/flat_coil.h"
#include "calc/taps.h"
#include "cli/real_coil_rows.h"

#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// --svg: a command's one design drawn for printing (forms/drawings.h), a flat
// coil's form or a solenoid's winding card, written to FILE beside its rows.
// One drawing is one design: a sweep, or several rows with none named, is a
// UsageError before any row is printed. A file that cannot be written, or a
// design with no coil to draw, is an OutputError (the command fails) and
// leaves no file behind.
namespace spirelle::cli {

// Each argument (its name, how many values it has) one value, else a UsageError naming the first that is not.
void RequireOneDesign(std::initializer_list<std::pair<std::string_view, std::size_t>> arguments);

// The index of the wire --row `row` names among `winding`'s (# 20 and #20 alike,
// or --wire as typed); a UsageError listing them when none or none is named.
std::size_t RowOf(std::string_view row, const Winding &winding);

// spider's or spiral's form of `turns` of `wire` on `shape` (inner diameter in inches).
void DrawFlat(const std::string &path, const FlatForm &shape, const Wire &wire, int turns);

// solenoid's card: `turns` of `wire` on a form of `formInches` at `pitch` inches
// a turn; taps' with its antenna and detector taps marked.
void DrawSolenoid(const std::string &path, double formInches, const Wire &wire, double turns, double pitch,
                  const std::optional<spirelle::Taps> &taps = std::nullopt);

// tune's row for `wire`: its band design drawn, a flat form when `flat` (its inner diameter `formInches`).
void DrawTune(const std::string &path, double formInches, const Wire &wire, const Capacitor &capacitor,
              const Band &band, std::optional<double> pitch, const std::optional<FlatForm> &flat);

// `text` into `path` whole or not at all: written to a new file in the same
// folder, then renamed over `path`; an OutputError naming --svg and the reason.
void WriteWhole(const std::string &path, std::string_view text);

} // namespace spirelle::cli
