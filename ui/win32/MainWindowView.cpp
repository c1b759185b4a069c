// frmMain on Windows as the editor's view: the fields' texts, the colour buttons, the
// commands, and the system's message box, file dialog and colour dialog.

#include <commdlg.h>

#include <array>
#include <vector>

#include "controls/host/SystemColours.h"
#include "controls/host/win32/Palette.h"
#include "controls/host/win32/WideText.h"
#include "controls/updown/win32/UpDownWindow.h"
#include "ui/win32/MainWindow.h"

namespace corvane::win32 {

using layout::Ctl;

namespace {

Ctl Nth(Ctl first, int n) {
    return static_cast<Ctl>(static_cast<int>(first) + n);
}

std::string TextOf(HWND hwnd) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()))));
    return Utf8FromWide(text);
}

void SetText(HWND hwnd, const std::string& text) {
    SetWindowTextW(hwnd, WideFromUtf8(text).c_str());
}

Ctl ComponentCtl(ColourSlotId slot, Component component) {
    return Nth(slot == ColourSlotId::Exhibition ? Ctl::C0 : Ctl::C10, static_cast<int>(component));
}

std::size_t SlotIndex(ColourSlotId slot) {
    return slot == ColourSlotId::Exhibition ? 0 : 1;
}

}  // namespace

std::string MainWindow::TeamIdText(TeamSlot team) const {
    return TextOf(Ctrl(Nth(Ctl::txt0, team)));
}

void MainWindow::SetTeamIdText(TeamSlot team, const std::string& text) {
    SetText(Ctrl(Nth(Ctl::txt0, team)), text);
}

std::string MainWindow::ClubText(TeamSlot team) const {
    return TextOf(Ctrl(Nth(Ctl::Combo1, team)));
}

void MainWindow::SetClubText(TeamSlot team, const std::string& text) {
    HWND box = Ctrl(Nth(Ctl::Combo1, team));
    const std::wstring wide = WideFromUtf8(text);
    const LRESULT entry = wide.empty()
                              ? CB_ERR
                              : SendMessageW(box, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                             reinterpret_cast<LPARAM>(wide.c_str()));
    SendMessageW(box, CB_SETCURSEL,
                 entry == CB_ERR ? static_cast<WPARAM>(-1) : static_cast<WPARAM>(entry), 0);
    // An entry found by its name may differ in case; the text shown is the one asked for.
    SetWindowTextW(box, wide.c_str());
}

void MainWindow::AddClubs(TeamSlot team, const std::vector<std::string_view>& names) {
    HWND box = Ctrl(Nth(Ctl::Combo1, team));
    for (const std::string_view name : names) {
        SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromUtf8(name).c_str()));
    }
}

std::string MainWindow::ComponentText(ColourSlotId slot, Component component) const {
    return TextOf(Ctrl(ComponentCtl(slot, component)));
}

void MainWindow::SetComponentText(ColourSlotId slot, Component component, const std::string& text) {
    SetText(Ctrl(ComponentCtl(slot, component)), text);
}

int MainWindow::Transparency(ColourSlotId slot) const {
    return UpDownValue(Ctrl(slot == ColourSlotId::Exhibition ? Ctl::Up : Ctl::Up4));
}

void MainWindow::SetTransparency(ColourSlotId slot, int value) {
    SetUpDownValue(Ctrl(slot == ColourSlotId::Exhibition ? Ctl::Up : Ctl::Up4), value);
}

std::uint32_t MainWindow::ButtonColour(ColourSlotId slot) const {
    return m_buttonColours[SlotIndex(slot)];
}

void MainWindow::SetButtonColour(ColourSlotId slot, std::uint32_t colour) {
    m_buttonColours[SlotIndex(slot)] = colour;
    InvalidateRect(Ctrl(slot == ColourSlotId::Exhibition ? Ctl::cmd_Color : Ctl::cmd_Color4),
                   nullptr, FALSE);
}

void MainWindow::SetButtonCaption(ColourSlotId slot, const std::string& caption) {
    SetText(Ctrl(slot == ColourSlotId::Exhibition ? Ctl::cmd_Color : Ctl::cmd_Color4), caption);
}

void MainWindow::SetHexText(ColourSlotId slot, const std::string& text) {
    SetText(Ctrl(slot == ColourSlotId::Exhibition ? Ctl::Result : Ctl::Result4), text);
}

void MainWindow::Enable(Command command) {
    switch (command) {
        case Command::Pages:
            EnableWindow(Ctrl(Ctl::TabControl1), TRUE);
            for (HWND page : m_pages) {
                EnableWindow(page, TRUE);
            }
            break;
        case Command::SaveMenu:
            EnableMenuItem(m_menu, kMenuSave, MF_BYCOMMAND | MF_ENABLED);
            DrawMenuBar(m_hwnd);
            break;
        case Command::SaveButton:
            EnableWindow(Ctrl(Ctl::cmd_Save), TRUE);
            break;
    }
}

void MainWindow::ShowMessage(const std::string& text, MessageKind kind) {
    MessageBoxW(m_hwnd, WideFromUtf8(text).c_str(), kAppTitle,
                MB_OK | (kind == MessageKind::Warning ? MB_ICONWARNING : 0));
}

std::optional<NamedFile> MainWindow::AskFile(const std::string& title, const std::string& filter,
                                             const std::filesystem::path& current) {
    // "description|pattern|..." becomes the dialog's list of NUL-separated pairs.
    std::wstring types = WideFromUtf8(filter);
    for (wchar_t& ch : types) {
        if (ch == L'|') {
            ch = L'\0';
        }
    }
    types.push_back(L'\0');
    const std::wstring caption = WideFromUtf8(title);
    // Room for a long path: the dialog refuses to overflow it rather than cutting a name.
    std::vector<wchar_t> file(32768, L'\0');
    std::wstring folder;
    if (!current.empty()) {
        folder = current.parent_path().wstring();
    }
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = m_hwnd;
    ofn.lpstrFilter = types.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    ofn.lpstrTitle = caption.c_str();
    // Any name may be given: whether it is a demo file is the open's to say.
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_ENABLESIZING |
                OFN_LONGNAMES | OFN_DONTADDTORECENT;
    if (GetOpenFileNameW(&ofn)) {
        return NamedFile{std::filesystem::path(std::wstring(file.data())), {}};
    }
    if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
        return NamedFile{std::nullopt, "The name chosen is longer than 32767 characters."};
    }
    return std::nullopt;
}

std::uint32_t MainWindow::AskColour(std::uint32_t initial) {
    // The custom colours last as long as the program.
    static std::array<COLORREF, 16> custom{};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof(cc);
    cc.hwndOwner = m_hwnd;
    cc.rgbResult = TranslateColor(initial, WindowsSystemPalette());
    cc.lpCustColors = custom.data();
    cc.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    return ChooseColorW(&cc) ? cc.rgbResult : initial;
}

}  // namespace corvane::win32
