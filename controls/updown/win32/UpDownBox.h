#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "controls/host/FontValue.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/ReentryGuard.h"
#include "controls/updown/UpDownModel.h"

namespace corvane::win32 {

inline constexpr wchar_t kUpDownClassName[] = L"ucUpDownBox";

// The window object of one "ucUpDownBox": the model over its EDIT (the field) and its
// SCROLLBAR (the arrows), kept in the box's GWLP_USERDATA and deleted on WM_NCDESTROY. Every
// call that can raise Change runs through the guard, and returns whether the box survived it.
class UpDownWindow final : private UpDownView {
public:
    UpDownWindow(HWND box, const FontValue& ambientFont, std::wstring name);
    ~UpDownWindow();
    UpDownWindow(const UpDownWindow&) = delete;
    UpDownWindow& operator=(const UpDownWindow&) = delete;

    // The object of `box`, or null when it is no up-down box (or is already gone).
    static UpDownWindow* Of(HWND box);
    static LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

    // Makes the parts and loads the stored set; false when a Change raised by the load
    // destroyed the box.
    bool Create(const PropertyBag& bag);

    int Value() const { return m_model.rules.Value(); }
    bool SetValue(int value);

    // For the field: one step as the arrows make it (+1 up, -1 down).
    bool Step(int direction) { return onBarMoved(-direction); }
    // The context menu's Paste: the clipboard's text when it is a number's characters.
    void PasteFiltered();
    const std::wstring& Name() const { return m_name; }
    bool focusClick = false;  // the click that gave the field the focus is still down

private:
    LRESULT handle(UINT msg, WPARAM w, LPARAM l);

    // UpDownView
    FontValue AmbientFont() const override { return m_ambientFont; }
    void applyColours() override;
    void applyFont() override;
    void applyAlignment() override;
    void applyEnabled() override;
    void applyLayout() override;
    void PropertyChanged(std::string_view) override {}
    bool showText(std::u16string_view text) override;

    void createField(std::u16string_view text);
    void resetBar();
    void relayout();
    void paint();
    std::u16string fieldText() const;
    void onTextChanged(std::u16string_view text);
    bool onBarMoved(int position);
    void mendText();
    bool raiseChange();
    bool onWheel(WPARAM w, LPARAM l);  // false: not over the arrows
    LRESULT colourField(HDC dc, bool editable);
    void detachParts();

    HWND m_box;
    HWND m_field = nullptr;
    HWND m_bar = nullptr;
    FontValue m_ambientFont;
    std::wstring m_name;
    UpDownModel m_model{*this};
    int m_dpi = USER_DEFAULT_SCREEN_DPI;
    HFONT m_font = nullptr;
    int m_lineHeight = 0;
    COLORREF m_back = 0;
    COLORREF m_fore = 0;
    HBRUSH m_backBrush = nullptr;
    int m_wheel = 0;                // wheel turned but not yet a step
    int m_announced = 0;            // the Value a screen reader was last told
    bool m_settingText = false;     // our own SetWindowText: its EN_CHANGE is not the rule's
    bool m_settingEnabled = false;  // our own EnableWindow is running
    bool m_replacingField = false;  // the field is made anew for another alignment
    bool m_destroying = false;      // WM_DESTROY came: the parts report nothing more
    bool m_loading = false;         // Create reads the stored set: font, colours, layout wait
    ReentryGuard m_guard;           // around every call that can raise Change
};

}  // namespace corvane::win32
