#pragma once

#include <stdexcept>
#include <string>

namespace spirelle {

// Why a calculation stopped. A handler that meets one stops where it is;
// what it has already written stays written.
enum class ErrorKind {
    TypeMismatch,    // a text that should be a number is empty or is not one
    ArithmeticError, // a statement raised an IEEE exception, or a text overflowed a double
    InvalidArgument, // the square root of a negative number
    OutOfRange,      // an input outside the range a formula holds for (text() names the input)
};

// Which IEEE exception an ArithmeticError came from.
enum class ArithmeticFault { None, InvalidOperation, DivisionByZero, Overflow };

class CalcError : public std::runtime_error {
public:
    static CalcError typeMismatch(std::string text);
    // A TypeMismatch for a text that reads two ways in a locale that groups
    // digits with '.', with the two ways to write it that are not ambiguous.
    static CalcError ambiguousGrouping(std::string text, const std::string &asWholeNumber,
                                       const std::string &asFraction);
    static CalcError arithmetic(ArithmeticFault fault);
    static CalcError invalidArgument();
    // An OutOfRange for the named input, with why it cannot be used:
    //   outOfRange("form diameter", "must be above 0") -> "Out of range: form diameter must be above 0."
    static CalcError outOfRange(std::string input, const std::string &reason);

    ErrorKind kind() const noexcept { return m_kind; }
    ArithmeticFault fault() const noexcept { return m_fault; }
    // For TypeMismatch: the text that is not a number, whole; for OutOfRange: the input's name.
    const std::string &text() const noexcept { return m_text; }

private:
    CalcError(ErrorKind kind, ArithmeticFault fault, std::string text, const std::string &message);

    ErrorKind m_kind;
    ArithmeticFault m_fault;
    std::string m_text;
};

// The text of a TypeMismatch message quotes the offending text, shortened to
// this many characters so that a pasted essay still fits in a message box.
inline constexpr std::size_t kQuotedTextLimit = 40;

} // namespace spirelle
