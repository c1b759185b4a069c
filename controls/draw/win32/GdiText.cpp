#include "controls/draw/win32/GdiText.h"

#include <algorithm>
#include <cstring>

#include "controls/draw/win32/DibSurface.h"
#include "controls/host/win32/GdiFont.h"

namespace corvane::win32 {

namespace {

constexpr std::size_t kKeptFonts = 4;

const wchar_t* wide(std::u16string_view s) {
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");
    return reinterpret_cast<const wchar_t*>(s.data());
}

// The area a run's glyphs may touch: its advance, widened by a line height each side for the
// overhang of italics, and from a line's top to below its underline.
Rect runArea(const TextRun& r, int advance, const FontMetrics& fm) {
    return {r.x - fm.height, r.baseline - fm.ascent, r.x + advance + fm.height,
            r.baseline - fm.ascent + fm.height + 2};
}

void makeOpaque(ImageView image, const Rect& area) {
    const Rect a = area.intersected({0, 0, image.width, image.height});
    for (int y = a.top; y < a.bottom; ++y) {
        Pixel* row = image.row(y);
        for (int x = a.left; x < a.right; ++x) {
            row[x] |= 0xFF000000u;
        }
    }
}

void copyRows(const ImageView& from, const ImageView& to, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        std::memcpy(to.row(y) + area.left, from.row(y) + area.left,
                    static_cast<std::size_t>(area.width()) * sizeof(Pixel));
    }
}

}  // namespace

GdiTextRenderer::GdiTextRenderer() : m_measure(CreateCompatibleDC(nullptr)) {}

GdiTextRenderer::~GdiTextRenderer() {
    if (m_measure) {
        DeleteDC(m_measure);
    }
    for (const Made& m : m_made) {
        DeleteObject(m.hfont);
    }
}

const GdiTextRenderer::Made& GdiTextRenderer::made(const Font& font) {
    const auto found = std::find_if(m_made.begin(), m_made.end(), [&](const Made& m) {
        return m.dpi == m_dpi && m.font == font;
    });
    if (found != m_made.end()) {
        std::rotate(m_made.begin(), found, found + 1);
        return m_made.front();
    }
    if (m_made.size() == kKeptFonts) {
        DeleteObject(m_made.back().hfont);
        m_made.pop_back();
    }
    Made m{font, m_dpi, CreateGdiFont(font, m_dpi), {}};
    if (!m.hfont) {
        m.hfont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    }
    TEXTMETRICW tm{};
    const HGDIOBJ old = SelectObject(m_measure, m.hfont);
    if (GetTextMetricsW(m_measure, &tm)) {
        m.metrics = {static_cast<int>(tm.tmHeight), static_cast<int>(tm.tmAscent),
                     static_cast<int>(tm.tmAveCharWidth)};
    }
    SelectObject(m_measure, old);
    m_made.insert(m_made.begin(), m);
    return m_made.front();
}

int GdiTextRenderer::extent(HDC dc, std::u16string_view text) const {
    if (text.empty()) {
        return 0;
    }
    SIZE size{};
    if (!GetTextExtentPoint32W(dc, wide(text), static_cast<int>(text.size()), &size)) {
        return 0;
    }
    return static_cast<int>(size.cx);
}

FontMetrics GdiTextRenderer::metrics(const Font& font) {
    return made(font).metrics;
}

int GdiTextRenderer::width(const Font& font, std::u16string_view text) {
    const Made& m = made(font);
    const HGDIOBJ old = SelectObject(m_measure, m.hfont);
    const int w = extent(m_measure, text);
    SelectObject(m_measure, old);
    return w;
}

double GdiTextRenderer::preciseWidth(const Font& font, std::u16string_view text) {
    return width(font, text);  // GDI's widths are whole pixels
}

void GdiTextRenderer::drawRuns(HDC dc, const Made& m, ColourRef colour, const Rect& clip,
                               const TextRun* runs, std::size_t count) {
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, clip.left, clip.top, clip.right, clip.bottom);
    SelectObject(dc, m.hfont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour & 0x00FFFFFFu);
    SetTextAlign(dc, TA_LEFT | TA_BASELINE | TA_NOUPDATECP);
    HBRUSH brush = nullptr;
    for (std::size_t i = 0; i < count; ++i) {
        const TextRun& r = runs[i];
        ExtTextOutW(dc, r.x, r.baseline, 0, nullptr, wide(r.text), static_cast<UINT>(r.text.size()),
                    nullptr);
        if (r.underline >= 0 && static_cast<std::size_t>(r.underline) < r.text.size()) {
            // As DrawText's prefix: a one-pixel line under that character, below the baseline.
            const auto at = static_cast<std::size_t>(r.underline);
            const int left = r.x + extent(dc, r.text.substr(0, at));
            const int right = r.x + extent(dc, r.text.substr(0, at + 1));
            if (!brush) {
                brush = CreateSolidBrush(colour & 0x00FFFFFFu);
            }
            const RECT line{left, r.baseline + 1, right, r.baseline + 2};
            ::FillRect(dc, &line, brush);
        }
    }
    if (brush) {
        DeleteObject(brush);
    }
    RestoreDC(dc, saved);
    GdiFlush();
}

void GdiTextRenderer::draw(ImageView image, const Font& font, ColourRef colour, const Rect* clip,
                           const TextRun* runs, std::size_t count) {
    if (count == 0 || image.isNull()) {
        return;
    }
    const Made& m = made(font);
    const Rect whole{0, 0, image.width, image.height};
    const Rect limit = clip ? clip->intersected(whole) : whole;
    if (limit.isEmpty()) {
        return;
    }
    // What the runs may touch, within the clip: the pixels whose alpha comes back.
    Rect area{limit.right, limit.bottom, limit.left, limit.top};
    const HGDIOBJ old = SelectObject(m_measure, m.hfont);
    for (std::size_t i = 0; i < count; ++i) {
        const Rect a = runArea(runs[i], extent(m_measure, runs[i].text), m.metrics);
        area = {std::min(area.left, a.left), std::min(area.top, a.top),
                std::max(area.right, a.right), std::max(area.bottom, a.bottom)};
    }
    SelectObject(m_measure, old);
    area = area.intersected(limit);
    if (area.isEmpty()) {
        return;
    }

    const auto* own = static_cast<const GdiSurface*>(image.surface);
    if (own && own->dc && own->bits == image.bits && own->width == image.width &&
        own->height == image.height && image.stride == image.width) {
        drawRuns(own->dc, m, colour, limit, runs, count);
        makeOpaque(image, area);
        return;
    }
    // Pixels of no DC of ours: through a temporary section of the same size.
    DibSurface temp;
    if (!temp.resize(image.width, image.height)) {
        return;
    }
    const ImageView t = temp.view();
    copyRows(image, t, area);
    drawRuns(temp.dc(), m, colour, limit, runs, count);
    makeOpaque(t, area);
    copyRows(t, image, area);
}

GdiTextRenderer& GdiText() {
    thread_local GdiTextRenderer renderer;
    return renderer;
}

}  // namespace corvane::win32
