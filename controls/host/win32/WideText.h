#pragma once

// Text between the engine (UTF-16 in std::u16string, UTF-8 in std::string) and the Windows
// API's wide characters. wchar_t is a UTF-16 code unit on Windows, so the first two are copies.

#include <string>
#include <string_view>

namespace corvane::win32 {

std::wstring Wide(std::u16string_view s);
std::u16string U16(std::wstring_view s);
// An unpaired surrogate cannot come out of UTF-8; invalid UTF-8 becomes U+FFFD.
std::wstring WideFromUtf8(std::string_view utf8);
// An unpaired surrogate becomes U+FFFD.
std::string Utf8FromWide(std::wstring_view s);

}  // namespace corvane::win32
