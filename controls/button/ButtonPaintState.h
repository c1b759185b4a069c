#pragma once

#include <cstdint>
#include <string>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonValues.h"
#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"
#include "controls/draw/TextRenderer.h"
#include "controls/host/SystemColours.h"

namespace corvane {

// What the button shows as its picture, as far as a repaint cares: none at all, a picture
// object it does not draw (empty, metafile), a bitmap or an icon.
enum class FacePicture { None, Other, Bitmap, Icon };

// Everything one repaint of a Button_XP reads: a snapshot of the control, its host flags and
// the state flags. RefreshFace turns it into the face, and hands it whole to each step (the
// layout, the XP look, the picture); nothing else is consulted.
struct ButtonPaintState {
    int width = 0;  // g_ClientW, g_ClientH
    int height = 0;
    Rect focusRect;  // g_FocusRect

    FaceStyle buttonStyle = FaceStyle::Highlight;
    bool transparentBG = false;
    bool showFocusRect = true;
    bool xpShowBorderAlways = false;
    bool xpDefaultColors = true;
    std::uint32_t backColor = SysColour::ButtonFace;
    std::uint32_t foreColor = SysColour::ButtonText;
    std::uint32_t xpColorPressed = SysColour::ButtonHighlight;
    std::uint32_t xpColorHover = SysColour::Light3D;
    std::int16_t bevel = 1;
    std::int16_t bevelDepth = 8;

    // The surface's background colour as the last repaint left it: the BackColor setter and
    // loading set it, a ButtonStyle 2 repaint changes it, and it stays until set again.
    std::uint32_t surfaceBackColor = SysColour::ButtonFace;

    ButtonInputFlags flags;  // g_HasFocus, g_Pressed, g_MouseOver as the input machine has them
    bool enabled = true;

    bool userMode = true;    // false in a form designer
    bool isDefault = false;  // the host's default button

    std::u16string caption;
    Font font;
    // g_CurrentPicture: its kind and its pixels (straight alpha; a bitmap's are opaque).
    FacePicture pictureKind = FacePicture::None;
    ConstImageView picture;
    int pictureWidth = 32;
    int pictureHeight = 32;
    int originalPicWidth = 32;
    int originalPicHeight = 32;
    PictureSide picturePosition = PictureSide::Left;
    std::uint32_t maskColor = 0;

    ButtonLayout previousLayout;  // rectangles a layout step may leave as they were

    // The container's background picture for TransparentBG (null: none; straight alpha) and
    // where the control stands on it, in pixels.
    ConstImageView containerPicture;
    bool containerOpaque = false;  // the picture has no alpha channel
    Point position;

    SystemPalette palette;  // resolves system colours

    // Device pixels per logical pixel of the screen the button is on (1 on a classic screen).
    double devicePixelRatio = 1.0;
};

}  // namespace corvane
