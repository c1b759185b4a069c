#include "controls/draw/win32/DibSurface.h"

namespace corvane::win32 {

BITMAPINFO TopDownInfo(int w, int h) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = -h;  // negative: rows top-down, as the engine's image
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

DibSurface::~DibSurface() {
    release();
}

void DibSurface::release() {
    if (m_dc) {
        SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    if (m_bitmap) {
        DeleteObject(m_bitmap);
    }
    m_dc = nullptr;
    m_bitmap = nullptr;
    m_oldBitmap = nullptr;
    m_bits = nullptr;
    m_width = 0;
    m_height = 0;
    m_surface = {};
}

bool DibSurface::resize(int w, int h) {
    w = w > 0 ? w : 1;
    h = h > 0 ? h : 1;
    if (m_bitmap && w == m_width && h == m_height) {
        return true;
    }
    release();
    const BITMAPINFO info = TopDownInfo(w, h);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) {
            DeleteObject(bitmap);
        }
        return false;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc) {
        DeleteObject(bitmap);
        return false;
    }
    m_dc = dc;
    m_bitmap = bitmap;
    m_oldBitmap = SelectObject(dc, bitmap);
    m_bits = static_cast<Pixel*>(bits);
    m_width = w;
    m_height = h;
    m_surface = {m_dc, m_bits, w, h};
    return true;
}

ImageView DibSurface::view() {
    if (!m_bits) {
        return {};
    }
    GdiFlush();
    return {m_bits, m_width, m_height, m_width, 1.0, &m_surface};
}

}  // namespace corvane::win32
