#pragma once

// The main window's controls: where each sits, in twips, its place in the keyboard's tab
// order and what a screen reader announces for it. Both shells build the window from this
// table, so the Qt window and the Windows window cannot drift apart.
//
// Places are relative to the control's container: the window's client area, the tab control
// (tab strip included, so page content starts at Top 480) or a group box (from its own
// top-left corner). 15 twips make a pixel at 96 DPI.

#include <array>
#include <cstddef>
#include <string_view>

namespace corvane::layout {

struct Twips {
    int left;
    int top;
    int width;
    int height;
    friend constexpr bool operator==(const Twips&, const Twips&) = default;
};

inline constexpr int kTwipsPerPixel = 15;  // at 96 DPI

inline constexpr Twips kClient{0, 0, 7455, 4455};
// Page content starts below the tab strip.
inline constexpr int kTabStripTwips = 480;

// The tab control's pages, in order; page 0 is selected when the window opens.
inline constexpr std::array<std::string_view, 2> kPageCaptions{"Team Manager", "Pes Color Manager"};

// Every control of the window, in the order of this table.
enum class Ctl : int {
    cmd_Save,
    TabControl1,
    // Page 0, "Team Manager".
    GroupBox5,
    Image1,
    GroupBox1,
    GroupBox2,
    GroupBox3,
    GroupBox4,
    txt0,
    txt1,
    txt2,
    txt3,
    Combo1,
    Combo2,
    Combo3,
    Combo4,
    // Page 1, "Pes Color Manager".
    GroupBox7,
    GroupBox9,
    C0,
    C1,
    C2,
    C10,
    C11,
    C12,
    cmd_Color,
    cmd_Color4,
    Result,
    Result4,
    GroupBox8,
    GroupBox10,
    Up,
    Up4,
    Count
};
inline constexpr std::size_t kControlCount = static_cast<std::size_t>(Ctl::Count);

enum class Kind {
    TabControl,
    GroupBox,
    Picture,
    Edit,
    ReadOnlyEdit,
    Combo,
    ColourButton,
    UpDown,
    ButtonXP
};

inline constexpr int kNoPage = -1;  // on the client area, not on a page
inline constexpr int kNoTabStop = -1;

struct Control {
    Ctl id;
    std::string_view name;  // the designed name: "txt(0)", "Combo1", ...
    Kind kind;
    Ctl container;  // the control it lies on; Ctl::Count: the client area
    int page;       // the tab page it is shown on, or kNoPage
    Twips place;    // relative to the container
    int tabOrder;   // the designed tab index; kNoTabStop for controls without focus
    std::string_view caption;
    // What a screen reader announces, and what it says of the control; empty: the caption.
    std::string_view accessibleName;
    std::string_view accessibleDescription;
};

inline constexpr Ctl kClientArea = Ctl::Count;

// clang-format off
inline constexpr std::array<Control, kControlCount> kControls{{
    {Ctl::cmd_Save, "cmd_Save", Kind::ButtonXP, kClientArea, kNoPage, {120, 3840, 3735, 495}, 0,
     "Save", "", "Writes all twelve values into the open file"},
    {Ctl::TabControl1, "TabControl1", Kind::TabControl, kClientArea, kNoPage,
     {0, 0, 7335, 3735}, 1, "", "", ""},

    {Ctl::GroupBox5, "GroupBox5", Kind::GroupBox, Ctl::TabControl1, 0, {120, 480, 3855, 3135}, 2,
     "Exhibition", "", ""},
    {Ctl::Image1, "Image1", Kind::Picture, Ctl::TabControl1, 0, {4080, 480, 3135, 3255},
     kNoTabStop, "", "Pitch", "A football pitch seen from above"},
    {Ctl::GroupBox1, "GroupBox1", Kind::GroupBox, Ctl::GroupBox5, 0, {120, 240, 3615, 615}, 12,
     "1", "", ""},
    {Ctl::GroupBox2, "GroupBox2", Kind::GroupBox, Ctl::GroupBox5, 0, {120, 960, 3615, 615}, 9,
     "2", "", ""},
    {Ctl::GroupBox3, "GroupBox3", Kind::GroupBox, Ctl::GroupBox5, 0, {120, 1680, 3615, 615}, 6,
     "3", "", ""},
    {Ctl::GroupBox4, "GroupBox4", Kind::GroupBox, Ctl::GroupBox5, 0, {120, 2400, 3615, 615}, 3,
     "4", "", ""},
    {Ctl::txt0, "txt(0)", Kind::Edit, Ctl::GroupBox1, 0, {120, 240, 855, 255}, 14, "",
     "Team 1 ID", "The team ID saved in slot 1, a whole number from -32768 to 32767"},
    {Ctl::txt1, "txt(1)", Kind::Edit, Ctl::GroupBox2, 0, {120, 240, 855, 255}, 11, "",
     "Team 2 ID", "The team ID saved in slot 2, a whole number from -32768 to 32767"},
    {Ctl::txt2, "txt(2)", Kind::Edit, Ctl::GroupBox3, 0, {120, 240, 735, 255}, 8, "",
     "Team 3 ID", "The team ID saved in slot 3, a whole number from -32768 to 32767"},
    {Ctl::txt3, "txt(3)", Kind::Edit, Ctl::GroupBox4, 0, {120, 240, 735, 255}, 5, "",
     "Team 4 ID", "The team ID saved in slot 4, a whole number from -32768 to 32767"},
    {Ctl::Combo1, "Combo1", Kind::Combo, Ctl::GroupBox1, 0, {1080, 240, 2415, 315}, 13, "",
     "Team 1 club", "Choosing a known club fills in the team ID of slot 1"},
    {Ctl::Combo2, "Combo2", Kind::Combo, Ctl::GroupBox2, 0, {1080, 240, 2415, 315}, 10, "",
     "Team 2 club", "Choosing a known club fills in the team ID of slot 2"},
    {Ctl::Combo3, "Combo3", Kind::Combo, Ctl::GroupBox3, 0, {1080, 240, 2415, 315}, 7, "",
     "Team 3 club", "Choosing a known club fills in the team ID of slot 3"},
    {Ctl::Combo4, "Combo4", Kind::Combo, Ctl::GroupBox4, 0, {1080, 240, 2415, 315}, 4, "",
     "Team 4 club", "Choosing a known club fills in the team ID of slot 4"},

    {Ctl::GroupBox7, "GroupBox7", Kind::GroupBox, Ctl::TabControl1, 1, {120, 480, 3495, 2055}, 23,
     "Loading Icon (Exhibition)", "", ""},
    {Ctl::GroupBox9, "GroupBox9", Kind::GroupBox, Ctl::TabControl1, 1, {3720, 480, 3495, 2055},
     15, "Pes Fonts Color", "", ""},
    {Ctl::C0, "C(0)", Kind::Edit, Ctl::GroupBox7, 1, {120, 240, 735, 255}, 29, "",
     "Loading icon red",
     "The red part of the loading icon colour shown in Exhibition mode, a whole number from 0 to 255"},
    {Ctl::C1, "C(1)", Kind::Edit, Ctl::GroupBox7, 1, {120, 600, 735, 255}, 28, "",
     "Loading icon green",
     "The green part of the loading icon colour shown in Exhibition mode, a whole number from 0 to 255"},
    {Ctl::C2, "C(2)", Kind::Edit, Ctl::GroupBox7, 1, {120, 960, 735, 255}, 27, "",
     "Loading icon blue",
     "The blue part of the loading icon colour shown in Exhibition mode, a whole number from 0 to 255"},
    {Ctl::C10, "C(10)", Kind::Edit, Ctl::GroupBox9, 1, {120, 240, 735, 255}, 22, "",
     "Font colour red", "The red part of the colour of the game's fonts, a whole number from 0 to 255"},
    {Ctl::C11, "C(11)", Kind::Edit, Ctl::GroupBox9, 1, {120, 600, 735, 255}, 21, "",
     "Font colour green",
     "The green part of the colour of the game's fonts, a whole number from 0 to 255"},
    {Ctl::C12, "C(12)", Kind::Edit, Ctl::GroupBox9, 1, {120, 960, 735, 255}, 20, "",
     "Font colour blue",
     "The blue part of the colour of the game's fonts, a whole number from 0 to 255"},
    {Ctl::cmd_Color, "cmd_Color", Kind::ColourButton, Ctl::GroupBox7, 1, {960, 240, 2415, 975}, 24,
     "", "Loading icon colour",
     "Shows the loading icon colour shown in Exhibition mode; press to choose another colour"},
    {Ctl::cmd_Color4, "cmd_Color4", Kind::ColourButton, Ctl::GroupBox9, 1, {960, 240, 2415, 975},
     16, "", "Font colour", "Shows the colour of the game's fonts; press to choose another colour"},
    {Ctl::Result, "Result", Kind::ReadOnlyEdit, Ctl::GroupBox7, 1, {1680, 840, 735, 255}, 30, "",
     "Loading icon colour hex",
     "The loading icon colour shown in Exhibition mode as hexadecimal text, blue green red"},
    {Ctl::Result4, "Result4", Kind::ReadOnlyEdit, Ctl::GroupBox9, 1, {1680, 720, 1095, 255}, 19,
     "", "Font colour hex", "The colour of the game's fonts as hexadecimal text, blue green red"},
    {Ctl::GroupBox8, "GroupBox8", Kind::GroupBox, Ctl::GroupBox7, 1, {120, 1320, 3255, 615}, 25,
     "TRANSPARENT", "", ""},
    {Ctl::GroupBox10, "GroupBox10", Kind::GroupBox, Ctl::GroupBox9, 1, {120, 1320, 3255, 615}, 17,
     "TRANSPARENT", "", ""},
    {Ctl::Up, "Up", Kind::UpDown, Ctl::GroupBox8, 1, {120, 240, 3015, 315}, 26, "",
     "Loading icon transparency",
     "The transparency of the loading icon colour shown in Exhibition mode, a whole number from 0 to 255"},
    {Ctl::Up4, "Up4", Kind::UpDown, Ctl::GroupBox10, 1, {120, 240, 3015, 315}, 18, "",
     "Font colour transparency",
     "The transparency of the colour of the game's fonts, a whole number from 0 to 255"},
}};
// clang-format on

constexpr const Control& ControlOf(Ctl id) {
    return kControls[static_cast<std::size_t>(id)];
}

// The place of a control on the window's client area: its own place plus its containers'.
constexpr Twips OnClient(Ctl id) {
    Twips t = ControlOf(id).place;
    for (Ctl c = ControlOf(id).container; c != kClientArea; c = ControlOf(c).container) {
        t.left += ControlOf(c).place.left;
        t.top += ControlOf(c).place.top;
    }
    return t;
}

// Twips to pixels at `dpi`, rounded to the nearest.
constexpr int ToPixels(int twips, int dpi) {
    return static_cast<int>((static_cast<long long>(twips) * dpi + 720) / 1440);
}

// The controls that take the focus, in the order Tab moves through them: by tab index, leaving
// out the group boxes and the picture, which take no focus.
struct TabChain {
    std::array<Ctl, kControlCount> order{};
    std::size_t count = 0;
};
constexpr TabChain TabOrder() {
    TabChain chain;
    for (int index = 0; index < static_cast<int>(kControlCount) * 2; ++index) {
        for (const Control& c : kControls) {
            if (c.tabOrder == index && c.kind != Kind::GroupBox && c.kind != Kind::Picture) {
                chain.order[chain.count++] = c.id;
            }
        }
    }
    return chain;
}

namespace detail {
constexpr bool TableInOrder() {
    for (std::size_t i = 0; i < kControlCount; ++i) {
        if (static_cast<std::size_t>(kControls[i].id) != i) {
            return false;
        }
    }
    return true;
}
}  // namespace detail
static_assert(detail::TableInOrder(), "kControls is indexed by Ctl");
static_assert(OnClient(Ctl::Combo4) == Twips{1320, 3120, 2415, 315});

}  // namespace corvane::layout
