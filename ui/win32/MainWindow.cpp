// frmMain on Windows: its messages, its keyboard order and the drop of a file.

#include "ui/win32/MainWindow.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "controls/host/win32/Dpi.h"
#include "controls/updown/win32/UpDownWindow.h"

namespace corvane::win32 {

using layout::Ctl;

LRESULT CALLBACK MainWindow::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_hwnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    return self ? self->Handle(message, wParam, lParam)
                : DefWindowProcW(hwnd, message, wParam, lParam);
}

INT_PTR CALLBACK MainWindow::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(page, GWLP_USERDATA, lParam);
        return FALSE;
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(page, GWLP_USERDATA));
    if (!self) {
        return FALSE;
    }
    switch (message) {
        case WM_COMMAND:
            return self->OnCommand(wParam, lParam);
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (item.CtlType == ODT_BUTTON) {
                self->DrawColourButton(item);
            } else {
                self->DrawPicture(item);
            }
            return TRUE;
        }
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            // Fields and lists: window background with button text.
            SetTextColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNTEXT));
            SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW));
        default:
            return FALSE;
    }
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (OnCommand(wParam, lParam)) {
                return 0;
            }
            break;
        case WM_NOTIFY:
            if (Notify(*reinterpret_cast<const NMHDR*>(lParam))) {
                return 0;
            }
            break;
        case WM_DROPFILES:
            OnDropFiles(reinterpret_cast<HDROP>(wParam));
            return 0;
        case WM_DPICHANGED: {
            m_dpi = HIWORD(wParam);
            const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            Place();
            return 0;
        }
        case WM_ACTIVATE:
            // Coming back to the window gives the focus back to the control that had it.
            if (LOWORD(wParam) == WA_INACTIVE) {
                m_lastFocus = GetFocus();
            } else if (m_lastFocus && IsWindow(m_lastFocus) && IsChild(m_hwnd, m_lastFocus)) {
                SetFocus(m_lastFocus);
                return 0;
            }
            break;
        case WM_CLOSE:
            // No confirmation and no save prompt.
            DestroyWindow(m_hwnd);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            m_hwnd = nullptr;
            break;
        default:
            break;
    }
    return DefWindowProcW(m_hwnd, message, wParam, lParam);
}

bool MainWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (lParam == 0) {  // the menu
        if (id == static_cast<int>(kMenuOpen)) {
            m_editor.Open();
            return true;
        }
        if (id == static_cast<int>(kMenuSave)) {
            m_editor.Save();
            return true;
        }
        return false;
    }
    const auto is = [id](Ctl c) { return id == ControlId(c); };
    if (is(Ctl::cmd_Save) && code == BN_CLICKED) {
        m_editor.Save();
        return true;
    }
    if ((is(Ctl::cmd_Color) || is(Ctl::cmd_Color4)) && code == BN_CLICKED) {
        m_editor.ChooseColour(is(Ctl::cmd_Color) ? ColourSlotId::Exhibition : ColourSlotId::Font);
        return true;
    }
    for (TeamSlot team = 0; team < kTeamSlots; ++team) {
        const Ctl combo = static_cast<Ctl>(static_cast<int>(Ctl::Combo1) + team);
        if (is(combo) && code == CBN_SELCHANGE) {
            // The field still shows the entry before the change: show the chosen one first.
            HWND box = Ctrl(combo);
            const LRESULT chosen = SendMessageW(box, CB_GETCURSEL, 0, 0);
            if (chosen != CB_ERR) {
                std::wstring text(
                    static_cast<std::size_t>(SendMessageW(box, CB_GETLBTEXTLEN, chosen, 0)) + 1,
                    L'\0');
                SendMessageW(box, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(text.data()));
                SetWindowTextW(box, text.c_str());
            }
            m_editor.Combo_Change(team);
            return true;
        }
        if (is(combo) && code == CBN_EDITCHANGE && TypedClubIsEntry(Ctrl(combo))) {
            // A name typed in full is chosen at once, so that the field beside the list already
            // holds its number when Save is chosen from the menu without leaving the list.
            m_editor.Combo_Change(team);
            return true;
        }
    }
    return false;
}

bool MainWindow::TypedClubIsEntry(HWND combo) {
    // The list's own search ignores case; a club is chosen only by its exact name.
    std::wstring typed(static_cast<std::size_t>(GetWindowTextLengthW(combo)) + 1, L'\0');
    typed.resize(static_cast<std::size_t>(
        GetWindowTextW(combo, typed.data(), static_cast<int>(typed.size()))));
    const LRESULT entry = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(typed.c_str()));
    if (typed.empty() || entry == CB_ERR) {
        return false;
    }
    std::wstring name(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, entry, 0)) + 1,
                      L'\0');
    name.resize(static_cast<std::size_t>(
        SendMessageW(combo, CB_GETLBTEXT, entry, reinterpret_cast<LPARAM>(name.data()))));
    return name == typed;
}

bool MainWindow::Notify(const NMHDR& header) {
    if (header.hwndFrom == Ctrl(Ctl::TabControl1) && header.code == TCN_SELCHANGE) {
        ShowPage(static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0)));
        return true;
    }
    return false;
}

bool MainWindow::PreTranslate(MSG& msg) {
    if (!m_hwnd || (msg.hwnd != m_hwnd && !IsChild(m_hwnd, msg.hwnd))) {
        return false;
    }
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB && !(GetKeyState(VK_MENU) & 0x8000)) {
        const bool back = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
        if (GetKeyState(VK_CONTROL) & 0x8000) {
            if (IsWindowEnabled(Ctrl(Ctl::TabControl1))) {
                const int page =
                    static_cast<int>(SendMessageW(Ctrl(Ctl::TabControl1), TCM_GETCURSEL, 0, 0));
                ShowPage(1 - page);  // two pages: either way is the other one
            }
            return true;
        }
        MoveFocus(!back);
        return true;
    }
    return IsDialogMessageW(m_hwnd, &msg) != FALSE;
}

void MainWindow::MoveFocus(bool forward) {
    // The designed order, passing over what is hidden (the other page) or disabled.
    const layout::TabChain chain = layout::TabOrder();
    int current = -1;
    for (HWND focus = GetFocus(); focus && focus != m_hwnd && current < 0;
         focus = GetParent(focus)) {
        for (std::size_t i = 0; i < chain.count; ++i) {
            if (Ctrl(chain.order[i]) == focus) {
                current = static_cast<int>(i);
            }
        }
    }
    const int n = static_cast<int>(chain.count);
    for (int step = 1; step <= n; ++step) {
        const int i = current < 0 ? (forward ? step - 1 : n - step)
                                  : ((current + (forward ? step : -step)) % n + n) % n;
        HWND candidate = Ctrl(chain.order[static_cast<std::size_t>(i)]);
        if (IsWindowVisible(candidate) && IsWindowEnabled(candidate) &&
            IsWindowEnabled(GetParent(candidate))) {
            SetFocus(candidate);
            // A field reached by Tab has its text selected, as in a dialog.
            const layout::Kind kind =
                layout::ControlOf(chain.order[static_cast<std::size_t>(i)]).kind;
            if (kind == layout::Kind::Edit || kind == layout::Kind::ReadOnlyEdit) {
                SendMessageW(candidate, EM_SETSEL, 0, -1);
            }
            return;
        }
    }
}

void MainWindow::OnDropFiles(HDROP drop) {
    // One file, dropped from this machine's file system, does what Open does with it.
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    std::wstring name;
    if (count == 1) {
        name.resize(DragQueryFileW(drop, 0, nullptr, 0) + 1);
        name.resize(DragQueryFileW(drop, 0, name.data(), static_cast<UINT>(name.size())));
    }
    DragFinish(drop);
    if (!name.empty()) {
        SetForegroundWindow(m_hwnd);
        m_editor.OpenNamed(NamedFile{std::filesystem::path(name), {}});
    }
}

}  // namespace corvane::win32
