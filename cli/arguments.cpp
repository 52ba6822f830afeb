#include "cli/arguments.h"

#include "calc/calc_error.h"
#include "calc/number_format.h"
#include "calc/number_parse.h"
#include "calc/quote.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

namespace spirelle::cli {
namespace {

// A STOP this close to a whole number of steps past START (relative to STEP)
// is counted as reached: 0.1:0.3:0.1 ends at 0.3, not 0.2.
constexpr double kStepTolerance = 1e-9;

// A number of an argument: not negative (unless `signedStep`), not below the
// smallest normal double unless 0 (where a quotient would lose its digits).
double ParseOne(std::string_view name, std::string_view whole, std::string_view part, bool signedStep = false)
{
    const std::string where = std::string(name) + ": " + Quote(part, kArgumentQuote) +
        (part == whole ? "" : " in " + Quote(whole, kArgumentQuote));
    double value = 0;
    try {
        value = ParseNumber(part, ".");
    } catch (const CalcError &error) {
        if (error.kind() != ErrorKind::TypeMismatch)
            throw UsageError(where + " is too large; the largest is " + FormatNumber(DBL_MAX));
        std::string dotted(part);
        std::replace(dotted.begin(), dotted.end(), ',', '.');
        bool comma = dotted != part;
        try {
            ParseNumber(dotted, ".");
        } catch (const CalcError &) {
            comma = false;
        }
        throw UsageError(where + " is not a number" +
                         (comma ? "; write " + dotted + ": '.' is the decimal point" : std::string()));
    }
    if (value < 0 && !signedStep)
        throw UsageError(std::string(name) + ": " + Quote(whole, kArgumentQuote) +
                         " is negative; values are 0 or more");
    const bool digits = part.find_first_of("123456789") < std::min(part.find_first_of("eE"), part.size());
    if ((value == 0 && digits) || (value != 0 && std::fabs(value) < DBL_MIN))
        throw UsageError(where + " is too small; the smallest besides 0 is " + FormatNumber(DBL_MIN));
    return value;
}

} // namespace

std::vector<double> ParseValues(std::string_view name, std::string_view text)
{
    const std::size_t first = text.find(':');
    if (first == std::string_view::npos)
        return {ParseOne(name, text, text)};
    const std::size_t second = text.find(':', first + 1);
    if (second == std::string_view::npos || text.find(':', second + 1) != std::string_view::npos)
        throw UsageError(std::string(name) + ": " + Quote(text, kArgumentQuote) +
                         " is not a number or a range START:STOP:STEP");
    const double start = ParseOne(name, text, text.substr(0, first));
    const double stop = ParseOne(name, text, text.substr(first + 1, second - first - 1));
    const double step = ParseOne(name, text, text.substr(second + 1), true);
    const std::string range = std::string(name) + ": the range " + Quote(text, kArgumentQuote);
    if (stop < start)
        throw UsageError(range + " has its STOP below its START");
    if (!(step > 0))
        throw UsageError(range + " needs a STEP above 0");
    const double steps = std::floor((stop - start) / step + kStepTolerance);
    if (!(steps < double(kMaxCombinations)))
        throw UsageError(range + " gives more than " + std::to_string(kMaxCombinations) + " values");
    const auto count = static_cast<std::size_t>(steps) + 1;
    std::vector<double> values(count);
    for (std::size_t i = 0; i < count; ++i)
        values[i] = start + double(i) * step;
    if (std::fabs(values.back() - stop) <= kStepTolerance * step)
        values.back() = stop;
    return values;
}

BandValues ParseBand(std::string_view text)
{
    // The '-' between the ends: not a leading sign, not an exponent's sign.
    std::size_t dash = std::string_view::npos;
    for (std::size_t i = 1; i < text.size() && dash == std::string_view::npos; ++i)
        if (text[i] == '-' && text[i - 1] != 'e' && text[i - 1] != 'E' && text[i - 1] != ':')
            dash = i;
    if (dash == std::string_view::npos)
        throw UsageError("--band: " + Quote(text, kArgumentQuote) + " is not a band LOW-HIGH in kHz, as 530-1700");
    BandValues band{ParseValues("--band LOW", text.substr(0, dash)), ParseValues("--band HIGH", text.substr(dash + 1))};
    if (*std::min_element(band.low.begin(), band.low.end()) == 0.0)
        throw UsageError("--band: the band's LOW 0 is not above 0 kHz");
    RequireBelow("the band's LOW", band.low, "its HIGH", band.high);
    return band;
}

Sweep::Sweep(std::vector<Argument> arguments) : m_arguments(std::move(arguments))
{
    for (const Argument &argument : m_arguments) {
        // Each list holds at most kMaxCombinations values, so the product cannot overflow here.
        m_size *= argument.values.size();
        if (m_size > kMaxCombinations)
            throw UsageError("these ranges give more than " + std::to_string(kMaxCombinations) +
                             " combinations in all");
    }
}

void Sweep::forEach(const std::function<void(std::span<const double>)> &visit) const
{
    const std::size_t n = m_arguments.size();
    std::vector<std::size_t> index(n, 0);
    std::vector<double> combination(n);
    for (std::size_t done = 0; done < m_size; ++done) {
        for (std::size_t k = 0; k < n; ++k)
            combination[k] = m_arguments[k].values[index[k]];
        visit(combination);
        // Odometer: the last argument turns fastest.
        for (std::size_t k = n; k-- > 0;) {
            if (++index[k] < m_arguments[k].values.size())
                break;
            index[k] = 0;
        }
    }
}

std::string FailureText(const std::exception &error, std::string_view stage, const Sweep &sweep,
                        std::span<const double> in)
{
    const auto *calc = dynamic_cast<const CalcError *>(&error);
    if (!calc || calc->kind() != ErrorKind::ArithmeticError)
        return error.what();
    std::vector<std::string_view> zeros;
    for (std::size_t i = 0; i < in.size(); ++i)
        if (in[i] == 0.0)
            zeros.push_back(sweep.name(i));
    std::string cause;
    for (std::size_t i = 0; i < zeros.size(); ++i)
        cause += std::string(i == 0 ? "" : i + 1 == zeros.size() ? " and " : ", ") + std::string(zeros[i]);
    cause += zeros.size() == 1 ? " is 0" : " are 0";
    if (zeros.empty())
        cause = "these values take a number beyond a double's range (1E-308 to 1E+308)";
    return std::string(error.what()) + " In " + std::string(stage) + ": " + cause + ".";
}

void RequireBelow(std::string_view lowName, std::span<const double> low, std::string_view highName,
                  std::span<const double> high)
{
    const double largestLow = *std::max_element(low.begin(), low.end());
    const double smallestHigh = *std::min_element(high.begin(), high.end());
    if (!(largestLow < smallestHigh))
        throw UsageError(std::string(lowName) + " " + FormatNumber(largestLow) + " is not below " +
                         std::string(highName) + " " + FormatNumber(smallestHigh));
}

} // namespace spirelle::cli
