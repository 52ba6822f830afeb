#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

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
    // A TypeMismatch from ambiguousGrouping: the text is a number, read two ways.
    bool ambiguousGrouping() const noexcept { return m_ambiguousGrouping; }
    // The message without the kind's name before it: "“1.000” could be read two ways, ..."
    // rather than "Type mismatch: “1.000” could be ...".
    std::string_view detail() const noexcept { return std::string_view(what()).substr(m_detailStart); }
    // For TypeMismatch: the text that is not a number, whole; for OutOfRange: the input's name.
    const std::string &text() const noexcept { return m_text; }

private:
    // The message is the title (the kind's name, "Type mismatch: ") and the detail.
    CalcError(ErrorKind kind, ArithmeticFault fault, std::string text, std::string_view title,
              const std::string &detail);

    ErrorKind m_kind;
    ArithmeticFault m_fault;
    std::string m_text;
    bool m_ambiguousGrouping = false;
    std::size_t m_detailStart = 0;
};

} // namespace spirelle
