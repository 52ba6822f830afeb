#pragma once

#include "cli/output.h"

#include <span>
#include <string>
#include <string_view>

// The command line: every page of the window as a command, and `tune`. It sits
// over the calculation core alone and never touches Qt, so it starts as fast
// as the process loads and runs with no display. app/ hands it the arguments
// when IsCommandLine says they are for it; everything else opens the window.
namespace spirelle::cli {

// Exit statuses.
inline constexpr int kDone = 0;
inline constexpr int kCalculationFailed = 1; // the window's message for it is printed
inline constexpr int kUsageError = 2;        // the command's usage is printed

// Whether the arguments are for the command line rather than the window:
// anything but Qt's own options (-platform, -style, -reverse ..., with one
// dash or two, with their values) is, so a word that is no command and an
// option that is not Qt's get a usage error, display or not.
bool IsCommandLine(int argc, const char *const *argv);

// Runs a command line (the arguments after the program's name) and returns
// its exit status; its rows go to `out` as they are made, its messages to
// `err`. `toolkit` is the Qt version the program was built with, for --version.
int Run(std::span<const std::string> args, Sink &out, std::string &err, std::string_view toolkit);
// The same with the output in memory.
int Run(std::span<const std::string> args, std::string &out, std::string &err, std::string_view toolkit);

// Run over the process's arguments, printing to stdout and stderr.
int Main(int argc, const char *const *argv, std::string_view toolkit);

} // namespace spirelle::cli
