#include "controls/updown/UpDownLayout.h"

#include <cmath>

namespace corvane {

namespace {
// Twips to whole pixels, dropping a fraction as an integer division does. The small
// allowance keeps 3015 / 15.0000001 at 201.
int wholePixels(int twips, double twipsPerPixel) {
    return static_cast<int>(std::floor(twips / twipsPerPixel + 1e-6));
}
int toTwips(int pixels, double twipsPerPixel) {
    return static_cast<int>(std::lround(pixels * twipsPerPixel));
}
}  // namespace

UpDownLayout layoutUpDown(const UpDownLayoutInput& in) {
    UpDownLayout out;
    const int b = in.barWidth;

    out.outerWidthTwips = in.outerWidthTwips;
    out.innerWidth = in.innerWidth;
    if (2 * b > in.innerWidth) {
        const int outer = wholePixels(in.outerWidthTwips, in.twipsPerPixelX);
        out.outerWidthTwips = toTwips(outer - in.innerWidth + 2 * b, in.twipsPerPixelX);
        out.innerWidth = 2 * b;
    }

    const int outer = wholePixels(in.outerHeightTwips, in.twipsPerPixelY);
    out.innerHeight = in.lineHeight + 4;
    out.outerHeightTwips = toTwips(outer - in.innerHeight + out.innerHeight, in.twipsPerPixelY);

    const int w = out.innerWidth;
    const int h = out.innerHeight;
    const int fieldWidth = w - b - 1;
    out.field = {1, 1, 1 + fieldWidth, 1 + h};
    out.bar = {fieldWidth + 1, 0, fieldWidth + 1 + b, h};
    return out;
}

void PaintUpDownFrame(ImageView image, ColourRef colour) {
    FrameRect(image, ImageRect(image), colour);
}

}  // namespace corvane
