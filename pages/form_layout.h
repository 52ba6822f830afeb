#pragma once

#include <span>
#include <string>
#include <string_view>

// The main window's controls as data: names, texts, places in twips and
// states. The window is built from these tables and the headless field table
// is filled from them, so they are the one place to compare with the design.
namespace spirelle::layout {

enum class Kind { Label, TextBox, Button, Frame };

enum Flag : unsigned {
    None = 0,
    Bold = 1,         // weight 700
    Red = 2,          // RGB 255, 0, 0 text
    Disabled = 4,     // dimmed, no focus, written only by the program
    ActiveBorder = 8, // background in the system's active-border colour
    InFrame = 16,     // a child of Frame1, placed from the frame's corner
};

constexpr Flag operator|(Flag a, Flag b)
{
    return Flag(unsigned(a) | unsigned(b));
}

// Places are in twips (1/1440 inch, 15 to a pixel at 96 dpi), measured from
// SSTab1's top-left corner (its row of tabs included) or, for controls inside
// Frame1, from the frame's.
struct Control {
    std::string_view name;
    Kind kind;
    std::string_view text;
    int left, top, width, height;
    Flag flags = None;
    std::string_view accessibleName = {}; // what a screen reader says; empty: the text itself
    int maxLength = 0;                    // 0: no limit
    double pointSize = 0;                 // 0: the window's 8.25 points

    bool has(Flag flag) const { return (flags & flag) != 0; }
};

inline constexpr int kTwipsPerPixel = 15;

struct Rect {
    int left, top, width, height;
};

inline constexpr Rect kWindowClient{0, 0, 7470, 4935};
inline constexpr Rect kTabControl{105, 150, 7230, 4305};
inline constexpr int kTabHeight = 295;

inline constexpr std::string_view kPageCaptions[] = {"(L) Inductance", "Frequency", "Loose Coil"};
inline constexpr int kPageCount = 3;

// The controls of one page, in the order they are created (and stacked).
std::span<const Control> PageControls(int page);

// The control of that name on any page, or nullptr.
const Control *FindControl(std::string_view name);

// The maximum length of a text box; 0 for none.
int MaxLengthOf(std::string_view name);

// A box the handlers write a result into: the disabled boxes, and the loose
// coil's inductance, which the user may also type into.
bool IsResultBox(const Control &control);

// What a screen reader says for a control: its accessible name where the table
// gives one, else its text, with the row it stands in for the gauge table's
// bare numbers ("29 turns per inch for wire # 20"). A button's name is its
// caption, so that a voice command saying what is on screen finds it; the
// table's plain-language words are its description.
std::string SpokenName(const Control &control);

// A caption and the field it names, linked for a screen reader.
struct Caption {
    std::string_view label;
    std::string_view field;
};

inline constexpr Caption kCaptions[] = {
    {"Label35", "Text16"}, {"Label34", "Text15"}, {"Label6", "Text18"},  {"Label1", "Text9"},   {"Label2", "Text10"},
    {"Label3", "Text17"},  {"Label9", "Text19"},  {"Label10", "Text20"}, {"Label11", "Text21"}, {"Label8", "Text22"},
};

} // namespace spirelle::layout
