#include "calc/calc_error.h"

#include "calc/quote.h"

#include <utility>

namespace spirelle {
namespace {

constexpr std::string_view kTypeMismatch = "Type mismatch: ";

// An arithmetic error's title and detail.
std::pair<std::string_view, std::string> Describe(ArithmeticFault fault)
{
    switch (fault) {
    case ArithmeticFault::DivisionByZero:
        return {"", "Division by zero."};
    case ArithmeticFault::Overflow:
        return {"Overflow: ", "a number is too large to compute with."};
    case ArithmeticFault::InvalidOperation:
    case ArithmeticFault::None:
        break;
    }
    return {"Invalid operation: ", "the result is undefined (zero divided by zero)."};
}

} // namespace

CalcError::CalcError(ErrorKind kind, ArithmeticFault fault, std::string text, std::string_view title,
                     const std::string &detail)
    : std::runtime_error(std::string(title) + detail), m_kind(kind), m_fault(fault), m_text(std::move(text)),
      m_detailStart(title.size())
{
}

CalcError CalcError::typeMismatch(std::string text)
{
    const std::string detail = text.find_first_not_of(" \t") == std::string::npos
        ? std::string("a field is empty, and a number is needed there.")
        : Quote(text) + " is not a number.";
    return CalcError(ErrorKind::TypeMismatch, ArithmeticFault::None, std::move(text), kTypeMismatch, detail);
}

CalcError CalcError::ambiguousGrouping(std::string text, const std::string &asWholeNumber,
                                       const std::string &asFraction)
{
    std::string detail = Quote(text) +
        " could be read two ways, as a whole number or as a "
        "decimal fraction. Write " +
        asWholeNumber + " for the whole number";
    detail += asFraction.empty() ? "." : ", or " + asFraction + " for the fraction.";
    CalcError error(ErrorKind::TypeMismatch, ArithmeticFault::None, std::move(text), kTypeMismatch, detail);
    error.m_ambiguousGrouping = true;
    return error;
}

CalcError CalcError::arithmetic(ArithmeticFault fault)
{
    const auto [title, detail] = Describe(fault);
    return CalcError(ErrorKind::ArithmeticError, fault, {}, title, detail);
}

CalcError CalcError::invalidArgument()
{
    return CalcError(ErrorKind::InvalidArgument, ArithmeticFault::None, {},
                     "Invalid argument: ", "the square root of a negative number.");
}

CalcError CalcError::outOfRange(std::string input, const std::string &reason)
{
    const std::string detail = input + " " + reason + ".";
    return CalcError(ErrorKind::OutOfRange, ArithmeticFault::None, std::move(input), "Out of range: ", detail);
}

} // namespace spirelle
