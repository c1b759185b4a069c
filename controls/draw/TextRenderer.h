#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "controls/draw/Draw.h"
#include "controls/draw/Image.h"
#include "controls/draw/Rect.h"

namespace corvane {

// Text is the one thing the drawing layer cannot do by itself: glyphs, their widths and the
// font's lines come from the platform. The layout rules (DrawText.h) are the engine's; a shell
// implements TextRenderer with its own text engine (Qt's on Linux, GDI's on Windows).
//
// Strings are UTF-16 (std::u16string): both platforms' text calls take UTF-16 (QString,
// DrawTextExW), so a caption reaches them without a conversion, and an index into the string
// (the underlined character) means the same on both sides.

// A font as a control describes it; each shell turns it into its own (and keeps those it made).
// The size is in points, or in pixels when pixelSize is positive.
struct Font {
    std::u16string family;
    double pointSize = 8.25;
    int pixelSize = 0;
    int weight = 400;  // 1..1000; 700 is bold
    bool italic = false;
    bool underline = false;
    bool strikeout = false;
    friend bool operator==(const Font&, const Font&) = default;
};

// A font's lines, in whole pixels: the height of a line (lines are that far apart), the
// ascent (from a line's top to its baseline) and the average character width (the unit of
// DrawTextEx's margins).
struct FontMetrics {
    int height = 0;
    int ascent = 0;
    int averageCharWidth = 0;
};

// One line to draw: its text, where its baseline starts, and the index of the character to
// underline (-1: none).
struct TextRun {
    std::u16string_view text;
    int x = 0;
    int baseline = 0;
    int underline = -1;
};

class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    virtual FontMetrics metrics(const Font& font) = 0;
    // The advance of a text as it is drawn (kerning and shaping included), in whole pixels.
    virtual int width(const Font& font, std::u16string_view text) = 0;
    // The same, unrounded: the running sum of words' widths that finds where a line breaks.
    virtual double preciseWidth(const Font& font, std::u16string_view text) = 0;
    // Draws the runs in `colour` (COLORREF, opaque) into `image`, whose coordinates are
    // logical pixels scaled by its device-pixel ratio, clipped to `clip` if given (logical
    // pixels too) and always to the image.
    virtual void draw(ImageView image, const Font& font, ColourRef colour, const Rect* clip,
                      const TextRun* runs, std::size_t count) = 0;
};

}  // namespace corvane
