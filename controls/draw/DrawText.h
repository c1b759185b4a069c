#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "controls/draw/Draw.h"
#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"
#include "controls/draw/TextRenderer.h"

namespace corvane {

// Format flags of DrawTextEx, with the values of the classic call.
namespace dt {
inline constexpr unsigned Center = 0x1;      // centre each line horizontally
inline constexpr unsigned VCenter = 0x4;     // centre vertically; single-line text only
inline constexpr unsigned WordBreak = 0x10;  // wrap at spaces to fit the rectangle's width
inline constexpr unsigned SingleLine = 0x20;
inline constexpr unsigned CalcRect = 0x400;  // measure only: paint nothing
inline constexpr unsigned NoClip = 0x100;
inline constexpr unsigned NoPrefix = 0x800;
}  // namespace dt

// Margins in units of the font's average character width; tab length is kept for the
// record (tabs are not expanded).
struct DrawTextParams {
    int tabLength = 0;
    int leftMargin = 0;
    int rightMargin = 0;
};

// Text in a rectangle, as the classic DrawTextEx lays it out:
//  - "&" is not shown and underlines the character after it; "&&" shows one "&"; of
//    several marked characters on a line the last one is underlined. dt::NoPrefix shows
//    every "&".
//  - Lines break at "\n" (a "\r\n" counts once) unless dt::SingleLine; with dt::WordBreak a
//    line is also broken at the last space that lets it fit into the rectangle's width less
//    the margins. A single word wider than that stays whole on its own line. The spaces at
//    a wrap are dropped.
//  - Lines are one font height apart from the rectangle's top; dt::VCenter centres the
//    line in the rectangle's height only with dt::SingleLine. dt::Center places each line
//    at (left + leftMargin + right - rightMargin - lineWidth) / 2, truncated.
//  - Without dt::NoClip the text is clipped to the rectangle.
//  - With dt::CalcRect nothing is painted: `rect` keeps its left and top, its right
//    becomes left + the widest line + both margins and its bottom top + the height of all
//    lines. An empty text leaves `rect` as it is.
// Glyphs and widths come from `renderer`. Returns the height of the text in pixels (0 for an
// empty text).
int DrawTextEx(ImageView image, TextRenderer& renderer, std::u16string_view text, Rect& rect,
               unsigned format, const Font& font, ColourRef colour, const DrawTextParams* params);

// The lines DrawTextEx breaks a text into for a rectangle `width` pixels wide, with their
// widths: measuring and drawing the same text can share one layout.
struct TextLayout {
    struct Line {
        std::u16string text;  // as shown: markers removed
        int underline = -1;   // index of the underlined character, -1 for none
        int width = 0;
    };
    std::vector<Line> lines;
    int lineHeight = 0;
    int ascent = 0;
    int leftMargin = 0;  // pixels
    int rightMargin = 0;
    int widest = 0;
    int height() const { return lineHeight * static_cast<int>(lines.size()); }
};
// The layout is shared, not copied: the last few are kept (see LayoutText in DrawText.cpp), and
// a long caption's has hundreds of lines.
using TextLayoutPtr = std::shared_ptr<const TextLayout>;
TextLayoutPtr LayoutText(TextRenderer& renderer, std::u16string_view text, int width,
                         unsigned format, const Font& font, const DrawTextParams* params);

// Paints a layout into `rect` as DrawTextEx would (dt::Center, dt::VCenter with
// dt::SingleLine, dt::NoClip). Lines are not broken again: the layout must have been made for
// this rectangle's width, or for any width at which it breaks the same way (such as its own
// widest line plus the margins).
void DrawTextLayout(ImageView image, TextRenderer& renderer, const TextLayout& layout,
                    const Rect& rect, unsigned format, const Font& font, ColourRef colour);

}  // namespace corvane
