#pragma once

// frmMain on Windows: the window the layout table describes, built from the system's own
// controls and the two custom window classes, as the view of the engine's editing logic.

#include <windows.h>

#include <shellapi.h>  // after windows.h, which it needs

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "editor/MainEditor.h"
#include "editor/MainLayout.h"
#include "editor/MainView.h"

namespace corvane::win32 {

inline constexpr wchar_t kMainClass[] = L"CorvaneMain";
inline constexpr wchar_t kAppTitle[] = L"Corvane";

// Control ids: a control of the table has kFirstControlId plus its place in the table; the
// pages and the menu's commands have their own.
inline constexpr int kFirstControlId = 100;
inline constexpr int kPageId[2] = {90, 91};
// Not IDOK and IDCANCEL (1 and 2), which the dialog manager sends for Enter and Escape.
inline constexpr UINT kMenuOpen = 40001;
inline constexpr UINT kMenuSave = 40002;

constexpr int ControlId(layout::Ctl id) {
    return kFirstControlId + static_cast<int>(id);
}

class MainWindow final : private MainView {
public:
    // Builds the window, hidden, centred on its monitor.
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }
    MainEditor& editor() { return m_editor; }

    // The window's own keyboard handling of a queued message: Tab and Shift+Tab in the
    // designed order, Ctrl+Tab between the pages, then the dialog manager's keys. True when
    // the message was handled.
    bool PreTranslate(MSG& msg);

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    // WM_COMMAND, WM_DRAWITEM and colours from the pages, which pass them on.
    bool OnCommand(WPARAM wParam, LPARAM lParam);
    bool Notify(const NMHDR& header);
    // Whether a club list's typed text is one of its entries, letter for letter.
    static bool TypedClubIsEntry(HWND combo);

    // Building and placing (MainWindowBuild.cpp).
    void Build();
    void BuildControl(const layout::Control& c);
    // Where a control goes on its page or the client area at the window's DPI.
    RECT PlaceOf(const layout::Control& c) const;
    POINT PageOrigin() const;
    void MeasureClubList();
    void FitComboHeight(HWND combo, const RECT& place) const;
    // The frame around the designed client area, and the pages on the tab control.
    void SizeFrame();
    void PlacePages();
    // Everything again at a new DPI: fonts, frame, pages and every control.
    void Place();
    void ApplyFonts();
    void ShowPage(int page);
    void DrawColourButton(const DRAWITEMSTRUCT& item);
    void DrawPicture(const DRAWITEMSTRUCT& item);
    void Centre();
    HWND Ctrl(layout::Ctl id) const { return m_controls[static_cast<std::size_t>(id)]; }
    void MoveFocus(bool forward);
    void OnDropFiles(HDROP drop);

    // The editor's view (MainWindowView.cpp).
    std::string TeamIdText(TeamSlot team) const override;
    void SetTeamIdText(TeamSlot team, const std::string& text) override;
    std::string ClubText(TeamSlot team) const override;
    void SetClubText(TeamSlot team, const std::string& text) override;
    void AddClubs(TeamSlot team, const std::vector<std::string_view>& names) override;
    std::string ComponentText(ColourSlotId slot, Component component) const override;
    void SetComponentText(ColourSlotId slot, Component component, const std::string& text) override;
    int Transparency(ColourSlotId slot) const override;
    void SetTransparency(ColourSlotId slot, int value) override;
    std::uint32_t ButtonColour(ColourSlotId slot) const override;
    void SetButtonColour(ColourSlotId slot, std::uint32_t colour) override;
    void SetButtonCaption(ColourSlotId slot, const std::string& caption) override;
    void SetHexText(ColourSlotId slot, const std::string& text) override;
    void Enable(Command command) override;
    void ShowMessage(const std::string& text, MessageKind kind) override;
    std::optional<NamedFile> AskFile(const std::string& title, const std::string& filter,
                                     const std::filesystem::path& current) override;
    std::uint32_t AskColour(std::uint32_t initial) override;

    HINSTANCE m_instance;
    HWND m_hwnd = nullptr;
    HMENU m_menu = nullptr;
    std::array<HWND, layout::kControlCount> m_controls{};
    std::array<HWND, 2> m_pages{};
    std::array<std::uint32_t, 2> m_buttonColours{};
    HWND m_lastFocus = nullptr;
    LOGFONTW m_dialogFont{};   // the platform's dialog font at the window's DPI
    HFONT m_font = nullptr;    // made from it
    int m_clubListHeight = 0;  // a club list's dropped height
    int m_dpi = 96;
    MainEditor m_editor{*this};
};

}  // namespace corvane::win32
