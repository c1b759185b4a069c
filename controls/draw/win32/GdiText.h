#pragma once

#include <windows.h>

#include <cstddef>
#include <string_view>
#include <vector>

#include "controls/draw/TextRenderer.h"

namespace corvane::win32 {

// The engine's text on GDI: metrics from GetTextMetricsW, widths from GetTextExtentPoint32W
// (whole pixels, so preciseWidth is the same number), glyphs by ExtTextOutW with a transparent
// background. Windows scales by the font's size, not by a device-pixel ratio: everything is
// laid out in pixels, and a Font's points become pixels at the DPI given by setDpi.
//
// A view whose `surface` is a GdiSurface of its own pixels (DibSurface::view) is drawn on
// through that DC; any other view through a temporary DIB section whose pixels are copied in
// and back. GDI leaves the alpha byte of the pixels it writes 0: the runs' area gets 0xFF back.
class GdiTextRenderer : public TextRenderer {
public:
    GdiTextRenderer();
    ~GdiTextRenderer() override;
    GdiTextRenderer(const GdiTextRenderer&) = delete;
    GdiTextRenderer& operator=(const GdiTextRenderer&) = delete;

    // The DPI that a Font's point size is turned into pixels at (96 at first).
    void setDpi(int dpi) { m_dpi = dpi > 0 ? dpi : 96; }
    int dpi() const { return m_dpi; }

    FontMetrics metrics(const Font& font) override;
    int width(const Font& font, std::u16string_view text) override;
    double preciseWidth(const Font& font, std::u16string_view text) override;
    void draw(ImageView image, const Font& font, ColourRef colour, const Rect* clip,
              const TextRun* runs, std::size_t count) override;

private:
    struct Made {
        Font font;
        int dpi = 0;
        HFONT hfont = nullptr;
        FontMetrics metrics;
    };
    // The font made for `font` at the current DPI, the most recently used kept first.
    const Made& made(const Font& font);
    int extent(HDC dc, std::u16string_view text) const;
    void drawRuns(HDC dc, const Made& m, ColourRef colour, const Rect& clip, const TextRun* runs,
                  std::size_t count);

    HDC m_measure = nullptr;  // a memory DC for measuring
    int m_dpi = 96;
    std::vector<Made> m_made;
};

// The renderer of the calling thread (GDI objects belong to no thread, but the cache does).
GdiTextRenderer& GdiText();

}  // namespace corvane::win32
