#pragma once

#include "calc/band.h"
#include "calc/flat_coil.h"
#include "calc/real_coil.h"
#include "calc/solenoid.h"

#include <optional>
#include <string>
#include <vector>

// What a builder prints to wind a design: the form of a flat coil to cut out,
// and the card of a solenoid to keep at the bench, both at 1:1 as SVG text in
// millimetres (forms/svg.h), each with a 100 mm and a 4 in check rule ("should
// measure 100 mm") so a print at the wrong scale shows itself. The parts carry
// their names as classes: "rim" (the form's cut outline), "hub", "spoke" (one
// a spoke, its centre line), "slot" (one between each pair, cut from the rim to
// the hub), "winding" (the winding's outer circle, or its length on the card),
// "hole" (the wire's start and end), "centre", "form", "end" (the winding's
// ends on the card), "rule" (the check rules' bars, ids "rule-100mm" and
// "rule-4in"), "tap" (a tap's mark on the card), "tick" and "text".
namespace spirelle::forms {

// Millimetres from the winding's outside edge to the form's rim.
inline constexpr double kRimMargin = 6;

// A spiderweb's form (coil.spokes odd) or a flat spiral's disc (coil.spokes 0)
// for `coil` (calc/flat_coil.h): the hub of its inner diameter, the rim
// kRimMargin beyond its outer one, the spokes 360/S degrees apart, the first
// straight up, with a slot midway between each pair, the centre, the wire's
// holes, the rules and the design's numbers (turns, wire, inductance, band).
//   FlatFormSvg(MakeFlatCoil({1, 9}, awg24, 20), Band{530, 1700})
//     -> hub r 12.7 mm, winding r 23.89 mm, 9 spokes 40 degrees apart
std::string FlatFormSvg(const FlatCoil &coil, const std::optional<Band> &band);

// A tap to mark on the card: its whole turns from the ground end (the
// winding's start) and its words ("antenna tap, turn 56").
struct CardTap {
    int turn = 0;
    std::string label;
};

// The marks of an antenna tap and a detector tap: "antenna tap, turn 56", "detector tap, turn 36".
std::vector<CardTap> TapMarks(int antenna, int detector);

// What a solenoid's winding card says.
struct Card {
    std::string wire;
    double turns = 0;
    double formDiameter = 0;  // inches
    double windingLength = 0; // inches
    double pitch = 0;         // inches a turn
    double inductance = 0;    // uH
    double wireLength = 0;    // inches in the coil, the leads not counted
    std::optional<Band> band;
    double leadAllowance = 6;       // inches of wire left for each lead beyond the coil's own length
    std::vector<CardTap> taps = {}; // 0 to 2
};

// The card of a solenoid forward, or of a designed coil, wound on a form of `formDiameter` inches.
Card CardOf(const Solenoid &coil, double formDiameter, const std::optional<Band> &band = std::nullopt);
Card CardOf(const RealCoil &coil, const std::string &wire, double formDiameter, const std::optional<Band> &band);

// The winding card: the form's side at 1:1 (its diameter high), the winding's
// length on it between two end marks, each tap's mark turn x pitch from the
// start with its words under the form (the highest turn's first), the wire to cut (leadAllowance for each
// lead), the band, the inductance and the rules.
std::string WindingCardSvg(const Card &card);

} // namespace spirelle::forms
