#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace spirelle {

// The operations through which the page handlers touch a window, each by
// control name. Texts are UTF-8. A read returns the control's whole current
// text; a write into a box with a maximum length keeps only that many leading
// characters, without an error. A note is what a result box tells on request
// (the window's tool tip and screen-reader description): the whole value and
// where it came from.
class FieldAccess {
public:
    virtual ~FieldAccess() = default;
    virtual std::string text(std::string_view textBox) const = 0;
    virtual std::string caption(std::string_view label) const = 0;
    virtual void setText(std::string_view textBox, std::string_view text) = 0;
    virtual void setNote(std::string_view textBox, std::string_view note) = 0;
};

// A control access that cannot be served, such as a name the window does not have.
class ControlError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace spirelle
