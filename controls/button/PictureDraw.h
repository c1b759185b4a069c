#pragma once

#include <QImage>
#include <QPalette>
#include <QPoint>

class QWidget;

#include "controls/button/ButtonValues.h"
#include "controls/draw/Rect.h"
#include "controls/host/Picture.h"

namespace corvane {

// The picture step of a button repaint, with the GDI rules it follows:
// - Every image here is 32 bits per pixel; the face may be RGB32, ARGB32 or
//   ARGB32_Premultiplied (anything else is converted to RGB32 first). Pixels written are
//   opaque. Scratch images are RGB32 and start black, as fresh GDI bitmaps do.
// - Stretching is nearest-neighbour without blending (StretchBlt's COLORONCOLOR): destination
//   pixel x of dw takes source pixel ((2x + 1) * sw) / (2 * dw), the source pixel under its
//   centre. Shrinking 32 to 16 therefore keeps the odd rows and columns.
// - A key colour leaves out exactly the pixels equal to it (red, green and blue compared,
//   alpha ignored), after any stretch.
// - Everything clips to the target image; reads outside a source image copy nothing.

// What the picture step of a button repaint needs to know: a snapshot of the button.
struct PictureDrawState {
    Picture picture;        // the picture painted now (normal, or hover while hovered)
    Rect pictureRect;       // where the layout put it
    int pictureWidth = 32;  // drawn size
    int pictureHeight = 32;
    int originalWidth = 32;  // natural size in pixels
    int originalHeight = 32;
    quint32 maskColor = 0;  // key colour of bitmaps, 0x00BBGGRR
    FaceStyle buttonStyle = FaceStyle::Highlight;
    bool mouseOver = false;
    bool pressed = false;
    bool enabled = true;
    QPalette palette;  // system colours for the disabled look
};

// The grey of the hover silhouette, 0x00BBGGRR.
inline constexpr quint32 kSilhouetteGrey = 0x00929292;

// Draws the snapshot's picture onto the button's face (offsets for hover and pressed, the grey
// silhouette of a style-2 hover, the disabled look). Pictures other than bitmaps and icons are
// not drawn.
void DrawPicture(QImage& surface, const PictureDrawState& state);

// One drawing of the bitmap picture at pictureWidth x pictureHeight from rect's top-left
// (rect's right and bottom are not used). normal: the picture with its mask colour left out.
// Otherwise the mask colour becomes white, and the picture is drawn embossed in the system
// highlight and shadow colours (disabled) or, with `shadow`, as a grey silhouette; white is
// background in both.
void DrawBitmapPicture(QImage& surface, const PictureDrawState& state, bool normal,
                       const Rect& rect, bool shadow);
// The same for an icon. normal: scaled into rect keeping its own alpha. Otherwise rendered at
// its natural size (embossed or silhouette, white and transparent parts as background),
// stretched into rect's size and drawn with black left out.
void DrawIconPicture(QImage& surface, const PictureDrawState& state, bool normal, const Rect& rect,
                     bool shadow);

// Copies the block `source` of src to dest at `at`, leaving out the pixels whose colour is
// `key` (0x00BBGGRR); dest keeps its pixels there. The block's width and height are 16-bit
// signed, as the platform's were.
void BlitTransparent(QImage& dest, const QImage& src, const Rect& source, QPoint at, quint32 key);

// Stretches all of src onto the area `to` of dest (nearest-neighbour, see above).
void StretchInto(QImage& dest, const Rect& to, const QImage& src);

// How a container offers its background picture to transparent children: the container
// widget inherits this interface as well as QWidget, and the control finds it through
// dynamic_cast on its parent widget.
class BackgroundPictureProvider {
public:
    virtual ~BackgroundPictureProvider() = default;
    // The picture, in the container's pixels from its top-left, or null when there is none.
    virtual const QImage* BackgroundPicture() const = 0;
};

// The background picture a container offers its transparent children, or null when it has
// none (also for a null container or one that is no provider).
const QImage* ContainerBackgroundPicture(const QWidget* container);

// A control's position given in container units (twips: 15 per pixel at 96 DPI) in pixels,
// rounded half to even.
QPoint ContainerPositionToPixels(double left, double top, double unitsPerPixelX,
                                 double unitsPerPixelY);

// Copies the block of the container's background picture that lies under the control onto
// the face. `containerPicture` may be null (no picture: the face keeps its cleared colour);
// parts of the block outside the picture keep it too. A picture with alpha is blended over
// the face.
void CopyParentBackground(QImage& surface, const QImage* containerPicture, QPoint position);

// The same for a control widget: its position in its parent and its parent's picture. Each
// step runs whatever the one before found (no parent, no picture).
void CopyParentBackground(QImage& surface, const QWidget* control);

}  // namespace corvane
