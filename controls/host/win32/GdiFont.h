#pragma once

#include <windows.h>

#include "controls/draw/TextRenderer.h"
#include "controls/host/FontValue.h"

namespace corvane::win32 {

// The drawing font of a stored font: the same face, size and style.
Font DrawFontOf(const FontValue& value);

// A GDI font for `font` at `dpi` (points are scaled by it; a pixel size is taken as it is).
// The caller owns it (DeleteObject).
HFONT CreateGdiFont(const Font& font, int dpi, int charset = DEFAULT_CHARSET);

// The same for a stored font, with its character set.
HFONT CreateGdiFont(const FontValue& value, int dpi);

}  // namespace corvane::win32
