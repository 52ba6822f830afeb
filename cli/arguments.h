#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// The command line's numbers. Each argument is a number ('.' as the decimal
// point whatever the locale) or a range START:STOP:STEP; a command runs once
// for every combination of its arguments' values.
namespace spirelle::cli {

// A command line the program cannot run: exit status 2, with the command's usage.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// All the values of all arguments together, at most this many combinations.
inline constexpr std::size_t kMaxCombinations = 100000;

// The values of one argument named `name` (for messages). Negative values,
// values below the smallest normal double (2.2E-308) other than 0, texts that
// are not numbers ("1,5" gets a hint to write 1.5) and ranges that are empty,
// have no step above 0 or give more than kMaxCombinations values are
// UsageErrors that name the argument:
//   ("TURNS", "20")             -> {20}
//   ("TURNS", "20:40:10")       -> {20, 30, 40}
//   ("D", "0.1:0.3:0.1")        -> {0.1, 0.2, 0.3}   (STOP within rounding is kept)
//   ("TURNS", "x"), ("D", "-1"), ("D", "1e-320"), ("D", "3:1:1"), ("D", "1:2:-1") -> UsageError
// Each value is START + i * STEP, so no error accumulates along a long range.
std::vector<double> ParseValues(std::string_view name, std::string_view text);

// A band "LOW-HIGH" in kHz, each end a number or a range, LOW above 0 and below HIGH:
//   "530-1700" -> {{530}, {1700}}      "1e3-2e3" -> {{1000}, {2000}}
struct BandValues {
    std::vector<double> low;
    std::vector<double> high;
};
BandValues ParseBand(std::string_view text);

// One argument of a sweep: its name for messages ("DIAMETER", "--stray") and its values.
struct Argument {
    std::string name;
    std::vector<double> values;
};

// Every combination of the arguments' values, the first argument varying slowest.
// More than kMaxCombinations in all is a UsageError.
class Sweep {
public:
    explicit Sweep(std::vector<Argument> arguments);

    // Calls `visit` with one value per argument, for every combination in order.
    void forEach(const std::function<void(std::span<const double>)> &visit) const;

    const std::string &name(std::size_t argument) const { return m_arguments[argument].name; }

private:
    std::vector<Argument> m_arguments;
    std::size_t m_size = 1;
};

// An argument of a sweep and the field of `Case` that its values fill.
template <class Case>
struct Axis {
    std::string name;
    std::vector<double> values;
    double Case::*field;
};

// A sweep whose every combination is read once into a `Case`, each argument
// into its field, so a command names its values instead of counting them.
template <class Case>
class CaseSweep {
public:
    explicit CaseSweep(std::vector<Axis<Case>> axes) : m_sweep(Arguments(axes))
    {
        for (const Axis<Case> &axis : axes)
            m_fields.push_back(axis.field);
    }

    // Calls `visit` with each combination as a Case and as the values in the
    // arguments' order (for FailureText).
    void forEach(const std::function<void(const Case &, std::span<const double>)> &visit) const
    {
        m_sweep.forEach([&](std::span<const double> in) {
            Case one{};
            for (std::size_t i = 0; i < in.size(); ++i)
                one.*m_fields[i] = in[i];
            visit(one, in);
        });
    }

    const Sweep &sweep() const { return m_sweep; }

private:
    static std::vector<Argument> Arguments(std::vector<Axis<Case>> &axes)
    {
        std::vector<Argument> arguments;
        arguments.reserve(axes.size());
        for (Axis<Case> &axis : axes)
            arguments.push_back({std::move(axis.name), std::move(axis.values)});
        return arguments;
    }

    std::vector<double Case::*> m_fields;
    Sweep m_sweep;
};

// A failed combination's error text: the window's message, the result it
// stopped in and the cause, the arguments that are 0 or else the range of a double:
//   (division by zero, "the frequency", lc's sweep, {0, 100})
//     -> "Division by zero. In the frequency: INDUCTANCE is 0."
//   (division by zero, "the frequency", lc's sweep, {1e-300, 1e-300})
//     -> "Division by zero. In the frequency: these values take a number beyond a double's range (...)."
std::string FailureText(const std::exception &error, std::string_view stage, const Sweep &sweep,
                        std::span<const double> in);

// Throws UsageError unless every value of `low` is below every value of `high`
// (then every combination has low < high):
//   RequireBelow("CMIN", {15}, "CMAX", {365}) -> ok
//   RequireBelow("CMIN", {400}, "CMAX", {365}) -> UsageError "CMIN 400 is not below CMAX 365"
void RequireBelow(std::string_view lowName, std::span<const double> low, std::string_view highName,
                  std::span<const double> high);

} // namespace spirelle::cli
