#include "controls/host/win32/WideText.h"

#include "core/Utf.h"

namespace corvane::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows' wide characters are UTF-16");

std::wstring Wide(std::u16string_view s) {
    return {s.begin(), s.end()};
}

std::u16string U16(std::wstring_view s) {
    return {s.begin(), s.end()};
}

std::wstring WideFromUtf8(std::string_view utf8) {
    return Wide(FromUtf8(utf8));
}

std::string Utf8FromWide(std::wstring_view s) {
    return ToUtf8(U16(s));
}

}  // namespace corvane::win32
