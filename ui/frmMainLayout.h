#pragma once

// Where each control of the main window sits, in twips, relative to its container: the
// window's client area, the tab control (tab strip included, so page content starts at Top
// 480) or a group box (from its own top-left corner).

#include <QRect>

namespace corvane::layout {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

inline constexpr int kTwipsPerPixel = 15;

constexpr QRect ToPixels(Twips t) {
    const auto px = [](int twips) { return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel; };
    return QRect(px(t.left), px(t.top), px(t.width), px(t.height));
}

inline constexpr Twips kClient{0, 0, 7455, 4455};

// On the client area.
inline constexpr Twips kTabControl1{0, 0, 7335, 3735};
inline constexpr Twips kCmdSave{120, 3840, 3735, 495};

// On TabControl1, page 0 "Team Manager".
inline constexpr Twips kGroupBox5{120, 480, 3855, 3135};
inline constexpr Twips kImage1{4080, 480, 3135, 3255};

// On GroupBox5, team slots 1 to 4.
inline constexpr Twips kTeamGroup[4] = {
    {120, 240, 3615, 615}, {120, 960, 3615, 615}, {120, 1680, 3615, 615}, {120, 2400, 3615, 615}};
// On each team group box.
inline constexpr Twips kTeamText[4] = {
    {120, 240, 855, 255}, {120, 240, 855, 255}, {120, 240, 735, 255}, {120, 240, 735, 255}};
inline constexpr Twips kTeamCombo{1080, 240, 2415, 315};

// On TabControl1, page 1 "Pes Color Manager".
inline constexpr Twips kGroupBox7{120, 480, 3495, 2055};
inline constexpr Twips kGroupBox9{3720, 480, 3495, 2055};

// On GroupBox7 and GroupBox9 alike.
inline constexpr Twips kRed{120, 240, 735, 255};
inline constexpr Twips kGreen{120, 600, 735, 255};
inline constexpr Twips kBlue{120, 960, 735, 255};
inline constexpr Twips kColourButton{960, 240, 2415, 975};
inline constexpr Twips kResult{1680, 840, 735, 255};
inline constexpr Twips kResult4{1680, 720, 1095, 255};
inline constexpr Twips kTransparentFrame{120, 1320, 3255, 615};

// On GroupBox8 and GroupBox10.
inline constexpr Twips kUpDown{120, 240, 3015, 315};

}  // namespace corvane::layout
