#include "tests/windows/gui/ProbeFace.h"

#include <cstdio>
#include <string>

#include "controls/button/ButtonXPCore.h"
#include "controls/draw/win32/DibSurface.h"
#include "controls/draw/win32/GdiText.h"
#include "controls/host/win32/Dpi.h"
#include "controls/host/win32/GdiFont.h"
#include "controls/host/win32/Palette.h"
#include "ui/win32/Resources.h"

namespace corvane::probe {

namespace {

// The engine's side of a button with no window: only what painting the stored set needs.
class Shell final : public ButtonXPShell {
public:
    void PropertyChanged(std::string_view) override {}
    void Refresh() override {}
    void ResizeHandler() override {}
    void AccessKeyChanged() override {}
    void CursorChanged() override {}
    void SurfaceFontChanged() override {}
    void LoadFontObject(const FontValue&) override {}
    bool Enabled() const override { return true; }
    void LoadEnabled(bool) override {}
    FontValue AmbientFont() const override { return {}; }
    std::u16string DisplayName() const override { return u"cmd_Save"; }
    double TwipsPerPixelX() const override { return 1440.0 / dpi; }
    double TwipsPerPixelY() const override { return 1440.0 / dpi; }
    int dpi = 96;
};

}  // namespace

int CompareSaveFace(HWND button, bool hovered) {
    if (!button) {
        std::puts("no Save button");
        return 1;
    }
    RECT client{};
    GetClientRect(button, &client);
    const int w = client.right;
    const int h = client.bottom;

    // The engine's face, from the same stored set the program carries.
    Shell shell;
    shell.dpi = win32::DpiOf(button);
    ButtonXPCore core(shell);
    PropertyBag bag;
    std::string error;
    if (!bag.fromText(win32::ResourceText("cmd_Save"), &error)) {
        std::printf("the stored set: %s\n", error.c_str());
        return 1;
    }
    core.ReadProperties(bag);
    core.setClientSize(w, h);
    ButtonShellFacts facts;
    facts.flags.MouseOver = hovered;
    facts.font = win32::DrawFontOf(core.surfaceFont());
    facts.palette = win32::WindowsSystemPalette();
    win32::DibSurface engine;
    if (!engine.resize(w, h)) {
        std::puts("no surface");
        return 1;
    }
    win32::GdiTextRenderer text;
    text.setDpi(shell.dpi);
    const RefreshResult painted = RefreshFace(engine.view(), text, core.paintState(facts));

    // The button as the screen shows it.
    win32::DibSurface screen;
    screen.resize(w, h);
    POINT origin{0, 0};
    ClientToScreen(button, &origin);
    HDC desktop = GetDC(nullptr);
    BitBlt(screen.dc(), 0, 0, w, h, desktop, origin.x, origin.y, SRCCOPY);
    ReleaseDC(nullptr, desktop);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(button, shape) != ERROR;

    const ImageView a = engine.view();
    const ImageView b = screen.view();
    const Rect caption = painted.layout.text;
    int differing = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool inCaption =
                x >= caption.left && x < caption.right && y >= caption.top && y < caption.bottom;
            if (inCaption || (shaped && !PtInRegion(shape, x, y))) {
                continue;
            }
            const Pixel want = a.row(y)[x] & 0xFFFFFFu;
            const Pixel got = b.row(y)[x] & 0xFFFFFFu;
            if (want != got && ++differing <= 10) {
                std::printf("(%d, %d): the screen shows %06X, the engine painted %06X\n", x, y, got,
                            want);
            }
        }
    }
    DeleteObject(shape);
    std::printf("%dx%d, caption (%d, %d)-(%d, %d) aside: %d pixels differ\n", w, h, caption.left,
                caption.top, caption.right, caption.bottom, differing);
    return differing == 0 ? 0 : 1;
}

}  // namespace corvane::probe
