#pragma once

#include <QImage>
#include <QPalette>
#include <QPoint>

class QWidget;

#include "draw/Rect.h"
#include "host/Picture.h"

namespace corvane {

// What the picture step of a button repaint needs to know: a snapshot of the button.
struct PictureDrawState {
    Picture picture;        // the picture painted now (normal, or hover while hovered)
    Rect pictureRect;       // where the layout put it
    int pictureWidth = 32;  // drawn size
    int pictureHeight = 32;
    int originalWidth = 32;  // natural size in pixels
    int originalHeight = 32;
    quint32 maskColor = 0;  // key colour of bitmaps, 0x00BBGGRR
    int buttonStyle = 2;
    bool mouseOver = false;
    bool pressed = false;
    bool enabled = true;
    QPalette palette;  // system colours for the disabled look
};

// Draws the snapshot's picture onto the button's face (offsets for hover and pressed, the grey
// silhouette of a style-2 hover, the disabled look). Pictures other than bitmaps and icons are
// not drawn.
void DrawPicture(QImage& surface, const PictureDrawState& state);

// The background picture a container offers its transparent children, or null when it has
// none.
const QImage* ContainerBackgroundPicture(const QWidget* container);

// Copies the block of the container's background picture that lies under the control onto
// the face. `containerPicture` may be null (no picture: the face keeps its cleared colour).
void CopyParentBackground(QImage& surface, const QImage* containerPicture, QPoint position);

}  // namespace corvane
