#pragma once

#include <windows.h>

#include "controls/draw/Image.h"

namespace corvane::win32 {

// What a view of a DIB section carries as its `surface`: the memory DC the section is selected
// into, so that GDI's text lands straight in the pixels the engine paints. `bits` and the size
// say which pixels that DC shows; a view of other pixels is not drawn through it.
struct GdiSurface {
    HDC dc = nullptr;
    const Pixel* bits = nullptr;
    int width = 0;
    int height = 0;
};

// A top-down 32-bit DIB section, selected into a memory DC of its own: the engine paints its
// pixels through view(), GDI draws on dc(), BitBlt copies it to a window.
class DibSurface {
public:
    DibSurface() = default;
    ~DibSurface();
    DibSurface(const DibSurface&) = delete;
    DibSurface& operator=(const DibSurface&) = delete;

    // Makes the section w x h (at least 1 x 1), keeping it when it already is. False when GDI
    // could not make one (the old one is gone then).
    bool resize(int w, int h);
    // The pixels, with this surface's DC as the view's `surface`; a null view when there are
    // none. GDI's pending drawing is flushed first.
    ImageView view();
    HDC dc() const { return m_dc; }
    int width() const { return m_width; }
    int height() const { return m_height; }

private:
    void release();

    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    Pixel* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
    GdiSurface m_surface;
};

// A BITMAPINFO for a top-down 32-bit DIB of w x h.
BITMAPINFO TopDownInfo(int w, int h);

}  // namespace corvane::win32
