#include "controls/host/win32/GdiFont.h"

#include <algorithm>
#include <cmath>

#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

Font DrawFontOf(const FontValue& value) {
    Font f;
    f.family = value.name;
    f.pointSize = value.size > 0 ? value.size : 8.25;
    f.weight = DrawnWeight(value);
    f.italic = value.italic;
    f.underline = value.underline;
    f.strikeout = value.strikethrough;
    return f;
}

HFONT CreateGdiFont(const Font& font, int dpi, int charset) {
    LOGFONTW lf{};
    // A negative height asks for the character height (the em), as a point size means.
    lf.lfHeight = font.pixelSize > 0 ? -font.pixelSize
                                     : -static_cast<LONG>(std::lround(font.pointSize * dpi / 72.0));
    lf.lfWeight = std::clamp(font.weight, 1, 1000);
    lf.lfItalic = font.italic;
    lf.lfUnderline = font.underline;
    lf.lfStrikeOut = font.strikeout;
    lf.lfCharSet = static_cast<BYTE>(charset);
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    const std::wstring face = Wide(font.family).substr(0, LF_FACESIZE - 1);
    std::copy(face.begin(), face.end(), lf.lfFaceName);
    return CreateFontIndirectW(&lf);
}

HFONT CreateGdiFont(const FontValue& value, int dpi) {
    return CreateGdiFont(DrawFontOf(value), dpi, value.charset);
}

}  // namespace corvane::win32
