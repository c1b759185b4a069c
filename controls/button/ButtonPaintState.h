#pragma once

#include <QFont>
#include <QImage>
#include <QPalette>
#include <QPoint>
#include <QString>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonValues.h"
#include "controls/draw/Rect.h"
#include "controls/host/Picture.h"
#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

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
    quint32 backColor = SysColour::ButtonFace;
    quint32 foreColor = SysColour::ButtonText;
    quint32 xpColorPressed = SysColour::ButtonHighlight;
    quint32 xpColorHover = SysColour::Light3D;
    qint16 bevel = 1;
    qint16 bevelDepth = 8;

    // The surface's background colour as the last repaint left it: the BackColor setter and
    // loading set it, a ButtonStyle 2 repaint changes it, and it stays until set again.
    quint32 surfaceBackColor = SysColour::ButtonFace;

    ButtonInputFlags flags;  // g_HasFocus, g_Pressed, g_MouseOver as the input machine has them
    bool enabled = true;

    bool userMode = true;    // false in a form designer
    bool isDefault = false;  // the host's default button

    QString caption;
    QFont font;
    Picture currentPicture;
    int pictureWidth = 32;
    int pictureHeight = 32;
    int originalPicWidth = 32;
    int originalPicHeight = 32;
    PictureSide picturePosition = PictureSide::Left;
    quint32 maskColor = 0;

    ButtonLayout previousLayout;  // rectangles a layout step may leave as they were

    // The container's background picture for TransparentBG (null: none) and where the
    // control stands on it, in pixels.
    const QImage* containerPicture = nullptr;
    QPoint position;

    QPalette palette;  // resolves system colours

    // Device pixels per logical pixel of the screen the button is on (1 on a classic screen).
    qreal devicePixelRatio = 1.0;
};

}  // namespace corvane
