#pragma once

// The fixed system colours the button's tests paint with, and the snapshot of a new instance,
// without a toolkit: the engine's tests read them directly, ButtonFixture.h gives the same
// colours to a Qt palette.

#include <cstdint>

#include "controls/button/ButtonPaintState.h"
#include "controls/host/SystemColours.h"

namespace fixture {

inline constexpr std::uint32_t kFace = 0xC0C0C0;        // 15 button face
inline constexpr std::uint32_t kShadow = 0x808080;      // 16 button shadow
inline constexpr std::uint32_t kHighlight = 0xFFFFFF;   // 20 button highlight
inline constexpr std::uint32_t kDarkShadow = 0x404040;  // 21 3D dark shadow
inline constexpr std::uint32_t kLight3D = 0xE0E0E0;     // 22 3D light
inline constexpr std::uint32_t kText = 0x000000;        // 18 button text
inline constexpr std::uint32_t kSelection = 0x6A240A;   // 13 selection: RGB(10, 36, 106)
inline constexpr std::uint32_t kHoverFace = 0xD6BEB5;   // style 2 hover from that selection
inline constexpr std::uint32_t kPressedFace = 0xD6AFA6;

// The system colours above by number; every other number is the face, as an undefined one is.
inline corvane::SystemPalette systemPalette() {
    corvane::SystemPalette p;
    p.colours.fill(kFace);
    p.undefined = kFace;
    p.colours[13] = kSelection;
    p.colours[16] = kShadow;
    p.colours[18] = kText;
    p.colours[20] = kHighlight;
    p.colours[21] = kDarkShadow;
    p.colours[22] = kLight3D;
    return p;
}

// The snapshot of a new instance of the given size (the host's defaults, no caption, no
// picture), for pixel tests that need no widget: RefreshFace paints it on an image. Without a
// caption the font is never drawn, so it stays the default.
inline corvane::ButtonPaintState faceState(int w, int h) {
    corvane::ButtonPaintState s;
    s.width = w;
    s.height = h;
    s.focusRect = {4, 4, w - 4, h - 4};
    s.palette = systemPalette();
    return s;
}

}  // namespace fixture
