#include "calc/calc_error.h"

#include "calc/utf8.h"

namespace spirelle {
namespace {

std::string Quoted(const std::string &text)
{
    // Control characters (a pasted NUL or line break) would make the quote unreadable.
    std::string shown;
    for (const char32_t c : utf8::Decode(text)) {
        shown += utf8::Encode(c < 0x20 || c == 0x7f ? U'\uFFFD' : c);
    }
    const std::size_t length = utf8::Length(shown);
    if (length > kQuotedTextLimit)
        shown = utf8::Prefix(shown, kQuotedTextLimit - 1) + "\u2026";
    return "\u201C" + shown + "\u201D";
}

std::string Describe(ArithmeticFault fault)
{
    switch (fault) {
    case ArithmeticFault::DivisionByZero:
        return "Division by zero.";
    case ArithmeticFault::Overflow:
        return "Overflow: a number is too large to compute with.";
    case ArithmeticFault::InvalidOperation:
    case ArithmeticFault::None:
        break;
    }
    return "Invalid operation: the result is undefined (zero divided by zero).";
}

} // namespace

CalcError::CalcError(ErrorKind kind, ArithmeticFault fault, std::string text, const std::string &message)
    : std::runtime_error(message), m_kind(kind), m_fault(fault), m_text(std::move(text))
{
}

CalcError CalcError::typeMismatch(std::string text)
{
    const std::string message = text.find_first_not_of(" \t") == std::string::npos
        ? std::string("Type mismatch: a field is empty, and a number is needed there.")
        : "Type mismatch: " + Quoted(text) + " is not a number.";
    return CalcError(ErrorKind::TypeMismatch, ArithmeticFault::None, std::move(text), message);
}

CalcError CalcError::ambiguousGrouping(std::string text, const std::string &asWholeNumber,
                                       const std::string &asFraction)
{
    std::string message = "Type mismatch: " + Quoted(text) + " could be read two ways, as a whole number or as a "
                          "decimal fraction. Write " + asWholeNumber + " for the whole number";
    message += asFraction.empty() ? "." : ", or " + asFraction + " for the fraction.";
    return CalcError(ErrorKind::TypeMismatch, ArithmeticFault::None, std::move(text), message);
}

CalcError CalcError::arithmetic(ArithmeticFault fault)
{
    return CalcError(ErrorKind::ArithmeticError, fault, {}, Describe(fault));
}

CalcError CalcError::invalidArgument()
{
    return CalcError(ErrorKind::InvalidArgument, ArithmeticFault::None, {},
                     "Invalid argument: the square root of a negative number.");
}

CalcError CalcError::outOfRange(std::string input, const std::string &reason)
{
    const std::string message = "Out of range: " + input + " " + reason + ".";
    return CalcError(ErrorKind::OutOfRange, ArithmeticFault::None, std::move(input), message);
}

} // namespace spirelle
