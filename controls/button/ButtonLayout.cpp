#include "controls/button/ButtonLayout.h"

#include "controls/button/ButtonPaintState.h"

namespace corvane {

Rect InnerRect(int width, int height) {
    const Rect full{0, 0, width - 1, height - 1};
    return {full.left + 4, full.top + 4, full.right - 4 + 1, full.bottom - 4 + 1};
}

Rect CalcTextRect(const Rect& inner, const Rect& measured) {
    const int tw = measured.width();
    const int th = measured.height();
    const int left = inner.left + (inner.width() - tw) / 2;
    const int top = inner.top + (inner.height() - th) / 2;
    return {left, top, left + tw, top + th};
}

ButtonLayout CalcLayout(const ButtonPaintState& s, const Rect& measured) {
    ButtonLayout out = s.previousLayout;
    out.full = {0, 0, s.width - 1, s.height - 1};
    out.inner = InnerRect(s.width, s.height);
    const Rect& inner = out.inner;
    const int pw = s.pictureWidth;
    const int ph = s.pictureHeight;
    const int iw = inner.width();
    const int ih = inner.height();

    if (s.pictureKind == FacePicture::None) {  // an empty picture object counts as one
        out.text = CalcTextRect(inner, measured);
        return out;
    }
    if (s.caption.empty()) {
        const int left = inner.left + (iw - pw) / 2;
        const int top = inner.top + (ih - ph) / 2;
        out.picture = {left, top, left + pw, top + ph};
        return out;
    }

    out.text = CalcTextRect(inner, measured);
    const int tw = out.text.width();
    const int th = out.text.height();
    auto place = [](int left, int top, int w, int h) { return Rect{left, top, left + w, top + h}; };
    switch (s.picturePosition) {
        case PictureSide::Above:
            out.picture =
                place(inner.left + (iw - pw) / 2, inner.top + (ih - (ph + 4 + th)) / 2, pw, ph);
            out.text = place(inner.left + (iw - tw) / 2, out.picture.bottom + 4, tw, th);
            break;
        case PictureSide::Left:
            out.picture =
                place(inner.left + (iw - (pw + 4 + tw)) / 2, inner.top + (ih - ph) / 2, pw, ph);
            out.text = place(out.picture.right + 4, inner.top + (ih - th) / 2, tw, th);
            break;
        case PictureSide::Right:  // the caption first, the picture follows it
            out.text =
                place(inner.left + (iw - (pw + 4 + tw)) / 2, inner.top + (ih - th) / 2, tw, th);
            out.picture = place(out.text.right + 4, inner.top + (ih - ph) / 2, pw, ph);
            break;
        case PictureSide::Below:
            out.text =
                place(inner.left + (iw - tw) / 2, inner.top + (ih - (ph + 4 + th)) / 2, tw, th);
            out.picture = place(inner.left + (iw - pw) / 2, out.text.bottom + 4, pw, ph);
            break;
        default:  // an unknown position: the picture stays where it was, the caption centred
            break;
    }
    return out;
}

}  // namespace corvane
