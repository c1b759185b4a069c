#pragma once

#include <windows.h>

#include <string>

#include "controls/button/ButtonInput.h"
#include "controls/button/ButtonInputEvents.h"
#include "controls/button/ButtonXPCore.h"
#include "controls/draw/TextRenderer.h"
#include "controls/draw/win32/DibSurface.h"
#include "controls/host/FontValue.h"
#include "controls/host/PropertyBag.h"

namespace corvane::win32 {

// Registers the class "Button_XP" once and creates one as a child of `parent` at `place`
// (client pixels of the parent), with control id `id`, loaded from the stored property set
// `bag` (ReadProperties), with the container's font as ambient font. A click (the engine's
// RaiseClick) reaches the parent as WM_COMMAND(MAKEWPARAM(id, BN_CLICKED), hwnd).
// EnableWindow() enables and disables it (it repaints greyed). `name` is what a screen
// reader announces (role push button). BM_SETSTYLE with BS_DEFPUSHBUTTON or BS_PUSHBUTTON
// makes it the default button or not; BM_CLICK is its access key's action.
HWND CreateButtonXP(HWND parent, int id, const RECT& place, const PropertyBag& bag,
                    const FontValue& ambientFont, std::wstring name);

inline constexpr wchar_t kButtonXPClass[] = L"Button_XP";

// The class's window procedure.
LRESULT CALLBACK ButtonXPProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The Button_XP window over the engine: the window owns it (GWLP_USERDATA) and deletes it on
// WM_NCDESTROY. It answers the core as its shell and the input machine as its host, keeps the
// face in a DIB section that WM_PAINT copies to the screen, and turns the window's messages
// into the machine's input (ButtonXPWindowInput.cpp), as the Qt widget Button_XP does with
// Qt's events.
class ButtonXPWindow final : private ButtonXPShell, private ButtonInputHost {
public:
    // The object of a Button_XP window, or null.
    static ButtonXPWindow* Of(HWND hwnd);

    HWND hwnd() const { return m_hwnd; }
    ButtonXPCore& core() { return m_core; }
    const ButtonXPCore& core() const { return m_core; }
    ButtonInputFlags flags() const { return m_input.Flags(); }
    bool isDefault() const { return m_isDefault; }
    // The face as last painted (the engine's image of it).
    ImageView face() { return m_face.view(); }

private:
    friend HWND CreateButtonXP(HWND, int, const RECT&, const PropertyBag&, const FontValue&,
                               std::wstring);
    friend LRESULT CALLBACK ButtonXPProc(HWND, UINT, WPARAM, LPARAM);

    ButtonXPWindow(HWND hwnd, FontValue ambientFont, std::wstring name);
    ~ButtonXPWindow() override;

    LRESULT message(UINT msg, WPARAM wParam, LPARAM lParam);
    void paint();
    void setDefault(bool isDefault, bool redraw);

    // Input (ButtonXPWindowInput.cpp). Each returns whether the window still exists.
    bool mouseDown(MouseButton button, WPARAM wParam, LPARAM lParam, bool doubleClick);
    bool mouseUp(MouseButton button, WPARAM wParam, LPARAM lParam);
    bool mouseMove(WPARAM wParam, LPARAM lParam);
    bool keyDown(WPARAM wParam);
    bool keyUp(WPARAM wParam);
    bool character(WPARAM wParam);
    bool accessKey();
    LRESULT dialogCode() const;
    bool setCursor();
    void makeCursor();

    // ButtonXPShell
    void PropertyChanged(std::string_view name) override;
    void Refresh() override;
    void ResizeHandler() override;
    void AccessKeyChanged() override;
    void CursorChanged() override { makeCursor(); }
    void SurfaceFontChanged() override;
    void LoadFontObject(const FontValue& f) override { m_fontObject = f; }
    bool Enabled() const override;
    void LoadEnabled(bool enabled) override;
    FontValue AmbientFont() const override { return m_ambientFont; }
    std::u16string DisplayName() const override;
    double TwipsPerPixelX() const override;
    double TwipsPerPixelY() const override;

    // ButtonInputHost
    void RaiseClick() override;
    void RaiseKeyDown(std::int16_t, std::int16_t) override {}
    void RaiseKeyPress(std::int16_t) override {}
    void RaiseKeyUp(std::int16_t, std::int16_t) override {}
    void RaiseMouseDown(std::int16_t, std::int16_t, float, float) override {}
    void RaiseMouseMove(std::int16_t, std::int16_t, float, float) override {}
    void RaiseMouseUp(std::int16_t, std::int16_t, float, float) override {}
    void RaiseMouseIn(std::int16_t) override {}
    void RaiseMouseOut(std::int16_t) override {}
    void PlayClickSound() override;
    void GoToURL() override;
    void SetHoverTimer(bool on) override;
    void ProcessPendingEvents() override;
    void CaptureMouse() override;
    bool IsEnabled() const override;
    int Width() const override;
    int Height() const override;
    bool PointerIsOverSurface() const override;
    void ShowHoverPicture() override { m_core.showHoverPicture(true); }
    void ShowNormalPicture() override { m_core.showHoverPicture(false); }

    static constexpr UINT_PTR kHoverTimerId = 1;

    HWND m_hwnd;
    FontValue m_ambientFont;
    std::wstring m_name;
    ButtonXPCore m_core{*this};
    FontValue m_fontObject;  // the Font property's object: no one else holds it here
    Font m_faceFont;         // the surface's font resolved for drawing
    DibSurface m_face;       // the persistent image
    bool m_isDefault = false;
    std::u16string m_accessKey;
    HCURSOR m_cursor = nullptr;     // the pointer over the button
    HCURSOR m_ownCursor = nullptr;  // made of MouseIcon: ours to destroy
    ButtonInput m_input{*this};
    DoubleClickPairing m_doubleClick;
};

}  // namespace corvane::win32
