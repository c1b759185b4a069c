#include "ui/win32/Resources.h"

#include <windows.h>

#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

std::string ResourceText(std::string_view name) {
    // Resource names are upper case in the compiled table.
    std::wstring key = WideFromUtf8(name);
    for (wchar_t& ch : key) {
        ch = static_cast<wchar_t>(std::towupper(ch));
    }
    HRSRC found = FindResourceW(nullptr, key.c_str(), MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) {
        return {};
    }
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return {};
    }
    return std::string(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
}

}  // namespace corvane::win32
