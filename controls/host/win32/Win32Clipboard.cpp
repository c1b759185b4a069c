#include "controls/host/win32/Win32Clipboard.h"

#include <windows.h>

#include <cstring>

namespace corvane::win32 {

namespace {

// Opens the clipboard for this thread; false when another program keeps it open throughout.
bool OpenClipboardPatiently() {
    constexpr int kTries = 5;
    for (int i = 0; i < kTries; ++i) {
        if (OpenClipboard(nullptr)) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

}  // namespace

std::u16string Win32Clipboard::text() const {
    std::u16string result;
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboardPatiently()) {
        return result;
    }
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* units = static_cast<const char16_t*>(GlobalLock(data))) {
            // Up to the terminating null, and never past the block's end.
            const std::size_t limit = GlobalSize(data) / sizeof(char16_t);
            std::size_t n = 0;
            while (n < limit && units[n] != 0) {
                ++n;
            }
            result.assign(units, n);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return result;
}

void Win32Clipboard::setText(std::u16string_view text) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (!block) {
        return;
    }
    auto* units = static_cast<char16_t*>(GlobalLock(block));
    if (!units) {
        GlobalFree(block);
        return;
    }
    std::memcpy(units, text.data(), text.size() * sizeof(char16_t));
    units[text.size()] = 0;
    GlobalUnlock(block);
    if (!OpenClipboardPatiently()) {
        GlobalFree(block);
        return;
    }
    EmptyClipboard();
    // The clipboard owns the block once it is set.
    if (!SetClipboardData(CF_UNICODETEXT, block)) {
        GlobalFree(block);
    }
    CloseClipboard();
}

}  // namespace corvane::win32
