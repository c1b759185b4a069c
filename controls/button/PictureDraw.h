#pragma once

#include <cstdint>

#include "controls/button/ButtonPaintState.h"
#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"

namespace corvane {

// The picture step of a button repaint, with the GDI rules it follows:
// - Every image here is 32 bits per pixel, 0xAARRGGBB with straight (not premultiplied) alpha.
//   Pixels written are opaque. Scratch images start black, as fresh GDI bitmaps do.
// - Stretches and key colours follow the drawing layer's StretchInto and BlitTransparent.
// - Everything clips to the target image; reads outside a source image copy nothing.

// The grey of the hover silhouette, 0x00BBGGRR.
inline constexpr std::uint32_t kSilhouetteGrey = 0x00929292;

// Draws the snapshot's picture into `pictureRect` (where the layout put it) on the button's
// face: offsets for hover and pressed, the grey silhouette of a style-2 hover, the disabled
// look. Pictures other than bitmaps and icons are not drawn.
void DrawPicture(ImageView surface, const ButtonPaintState& s, const Rect& pictureRect);

// Copies the block of the container's background picture that lies under the control onto
// the face. A null `containerPicture` is no picture: the face keeps its cleared colour; parts
// of the block outside the picture keep it too. A picture with alpha (`opaque` false) is
// blended over the face; an opaque one is copied as it is.
void CopyParentBackground(ImageView surface, ConstImageView containerPicture, Point position,
                          bool opaque);

}  // namespace corvane
