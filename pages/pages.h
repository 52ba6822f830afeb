#pragma once

#include "pages/field_access.h"
#include "calc/number_parse.h"

#include <string>
#include <string_view>

// The three button handlers. Each reads its inputs from field texts when it
// needs them (in the locale's notation, given by its separators), computes,
// and writes each result as soon as it has it, with its note (result_notes.h); a
// CalcError or ControlError ends the handler where it arises, and what it has
// written stays. They touch nothing but the FieldAccess they are given, so they
// run the same over the window and over a FieldTable.
namespace spirelle {

// The inductance page's "L=(uH)": six coil lengths, six inductances, feet of wire.
void Command2_Click(FieldAccess &fields, const Separators &separators);
// The frequency page's "Frequency".
void Command1_Click(FieldAccess &fields, const Separators &separators);
// The loose-coil page's "L=(uH)".
void Command3_Click(FieldAccess &fields, const Separators &separators);

// What a box of maxLength characters should be given for a result text: the
// text itself (the box cuts it), or maxLength '#' where the cut would drop a
// digit before the decimal separator or any part of an exponent, since the cut
// would then show a wrong magnitude. maxLength 0 is no limit.
//   ("8.7719298245614 uH", 4) -> "8.7719298245614 uH" (shows "8.77")
//   ("12345.6 uH", 4)         -> "####"
//   ("1.5E-07 uH", 4)         -> "####"
//   ("123.456789", 5)         -> "123.456789" (shows "123.4")
std::string FitToField(std::string_view text, int maxLength);

// The unit written after an inductance.
inline constexpr std::string_view kInductanceUnit = " uH";

} // namespace spirelle
