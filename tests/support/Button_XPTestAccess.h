#pragma once

// What tests, the benchmark and the gallery reach inside a Button_XP beyond its public
// interface: the face image and the layout it was painted with, the snapshot a repaint reads,
// the surface settings, the repaint count and the hover timer, and the input machine's state
// set directly. Button_XP names this class its friend; nothing in the program uses it.

#include <QImage>
#include <QSize>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/button/qt/Button_XP.h"
#include "controls/draw/Rect.h"
#include "controls/host/qt/StdFont.h"

namespace corvane {

class Button_XPTestAccess {
public:
    // Puts the input machine in the given state and, unless told not to, repaints.
    static void setFlags(Button_XP& b, const ButtonInputFlags& flags, bool repaint = true) {
        b.setFlags(flags, repaint);
    }
    // Hover entry or leave for the picture only: does not repaint.
    static void showHoverPicture(Button_XP& b, bool hovering) { b.showHoverPicture(hovering); }
    static ButtonPaintState paintState(const Button_XP& b) { return b.paintState(); }
    static const QImage& surfaceImage(const Button_XP& b) { return b.m_image; }
    static const ButtonLayout& faceLayout(const Button_XP& b) { return b.m_core.layout(); }
    static Rect focusRect(const Button_XP& b) { return b.m_core.focusRect(); }
    static quint32 surfaceBackColor(const Button_XP& b) { return b.m_core.surfaceBackColor(); }
    static FontValue surfaceFont(const Button_XP& b) { return b.m_core.surfaceFont(); }
    static QSize naturalPictureSize(const Button_XP& b) {
        return {b.m_core.naturalPictureWidth(), b.m_core.naturalPictureHeight()};
    }
    static quint64 refreshCount(const Button_XP& b) { return b.m_refreshCount; }
    // Whether the 10 ms hover timer runs (only between hover entry and leave).
    static bool hoverTimerActive(const Button_XP& b) { return b.hoverTimerActive(); }
};

}  // namespace corvane
