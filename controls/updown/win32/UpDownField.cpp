#include "controls/updown/win32/UpDownField.h"

#include <commctrl.h>
#include <imm.h>

#include <string>

#include "controls/host/win32/Accessible.h"
#include "controls/updown/UpDownKeys.h"
#include "controls/updown/UpDownRules.h"
#include "controls/updown/win32/UpDownBox.h"
#include "controls/updown/win32/Win32UpDownKeys.h"

namespace corvane::win32 {

namespace {

constexpr UINT_PTR kSubclassId = 0x5544;  // "UD"

// The box's object while the field still belongs to it. Asked again after every call that can
// run the container's code, which may have destroyed the box (and cut the field off).
UpDownWindow* OwnerOf(HWND field, HWND box) {
    return GetParent(field) == box ? UpDownWindow::Of(box) : nullptr;
}

LRESULT OnKey(UpDownWindow& owner, HWND field, HWND box, UINT msg, WPARAM w, LPARAM l,
              const UpDownKeyPress& press) {
    switch (classifyUpDownKey(press)) {
        case UpDownKey::StepUp:
            owner.Step(1);
            return 0;
        case UpDownKey::StepDown:
            owner.Step(-1);
            return 0;
        case UpDownKey::Discard:
            return 0;
        case UpDownKey::Propagate:
            // Not for the field: the dialog manager takes Enter and Escape before it (see
            // WM_GETDLGCODE); without one, the box's container has them.
            return SendMessageW(GetParent(box), msg, w, l);
        case UpDownKey::Pass:
            break;
    }
    return DefSubclassProc(field, msg, w, l);
}

bool AllTypeable(const std::wstring& text) {
    for (const wchar_t c : text) {
        if (!UpDownRules::isTypeable(static_cast<char16_t>(c))) {
            return false;
        }
    }
    return true;
}

// An input method's result is committed only when it is made of what could be typed; what it
// is still composing is left to the field.
LRESULT OnComposition(HWND field, WPARAM w, LPARAM l) {
    constexpr LPARAM kResult =
        GCS_RESULTSTR | GCS_RESULTCLAUSE | GCS_RESULTREADSTR | GCS_RESULTREADCLAUSE;
    if (l & GCS_RESULTSTR) {
        std::wstring result;
        if (const HIMC context = ImmGetContext(field)) {
            const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
            if (bytes > 0) {
                result.resize(static_cast<std::size_t>(bytes) / sizeof(wchar_t));
                ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                         static_cast<DWORD>(bytes));
            }
            ImmReleaseContext(field, context);
        }
        if (!AllTypeable(result)) {
            l &= ~kResult;
            if (l == 0) {
                return 0;
            }
        }
    }
    return DefSubclassProc(field, WM_IME_COMPOSITION, w, l);
}

LRESULT CALLBACK FieldProc(HWND field, UINT msg, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR ref) {
    const HWND box = reinterpret_cast<HWND>(ref);
    UpDownWindow* owner = OwnerOf(field, box);
    if (msg == WM_NCDESTROY) {
        RemoveUpDownField(field);
        return DefSubclassProc(field, msg, w, l);
    }
    if (!owner) {
        return DefSubclassProc(field, msg, w, l);
    }
    switch (msg) {
        case WM_KEYDOWN:
            return OnKey(*owner, field, box, msg, w, l,
                         UpDownKeyOfKeyDown(w, CurrentKeyModifiers()));
        case WM_CHAR:
            return OnKey(*owner, field, box, msg, w, l,
                         UpDownKeyOfChar(static_cast<wchar_t>(w), CurrentKeyModifiers()));
        case WM_SYSKEYDOWN:
            if (w == VK_BACK) {
                return 0;  // Alt+Backspace, the other undo key
            }
            break;
        case WM_GETDLGCODE: {
            // Up and Down are the field's; Enter and Escape are its container's.
            LRESULT code = DefSubclassProc(field, msg, w, l) | DLGC_WANTARROWS;
            if (const auto* m = reinterpret_cast<const MSG*>(l);
                m && (m->message == WM_KEYDOWN || m->message == WM_CHAR) &&
                (m->wParam == VK_RETURN || m->wParam == VK_ESCAPE)) {
                code &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE);
            }
            return code;
        }
        case WM_PASTE:
            owner->PasteFiltered();
            return 0;
        case WM_IME_COMPOSITION:
            return OnComposition(field, w, l);
        case WM_SETFOCUS: {
            const LRESULT r = DefSubclassProc(field, msg, w, l);
            SendMessageW(field, EM_SETSEL, 0, -1);
            return r;
        }
        case WM_KILLFOCUS:
            owner->focusClick = false;
            break;
        case WM_LBUTTONDOWN: {
            const bool focused = GetFocus() == field;
            const LRESULT r = DefSubclassProc(field, msg, w, l);
            owner = OwnerOf(field, box);
            if (owner && !focused && GetFocus() == field) {
                owner->focusClick = true;
                SendMessageW(field, EM_SETSEL, 0, -1);  // the press placed the caret at the click
            }
            return r;
        }
        case WM_MOUSEMOVE:
            if (owner->focusClick) {
                return 0;  // no drag-selection out of the focusing click
            }
            break;
        case WM_LBUTTONUP: {
            const LRESULT r = DefSubclassProc(field, msg, w, l);
            owner = OwnerOf(field, box);
            if (owner && owner->focusClick) {
                owner->focusClick = false;
                SendMessageW(field, EM_SETSEL, 0, -1);
            }
            return r;
        }
        case WM_LBUTTONDBLCLK:
            owner->focusClick = false;
            break;
        case WM_GETOBJECT:
            return AnswerGetObject(field, w, l, owner->Name(), 0);
        default:
            break;
    }
    return DefSubclassProc(field, msg, w, l);
}

}  // namespace

void InstallUpDownField(HWND field, HWND box) {
    SetWindowSubclass(field, FieldProc, kSubclassId, reinterpret_cast<DWORD_PTR>(box));
}

void RemoveUpDownField(HWND field) {
    RemoveWindowSubclass(field, FieldProc, kSubclassId);
}

}  // namespace corvane::win32
