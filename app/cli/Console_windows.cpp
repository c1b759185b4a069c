#include "app/cli/Console.h"

#include <windows.h>

#include <string>

namespace corvane::cli {

namespace {

bool Write(DWORD which, std::string_view text) {
    const HANDLE h = GetStdHandle(which);
    if (h == nullptr || h == INVALID_HANDLE_VALUE) {
        return text.empty();
    }
    DWORD mode = 0;
    if (GetConsoleMode(h, &mode)) {
        const int length =
            MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (length <= 0 && !text.empty()) {
            return false;
        }
        std::wstring wide(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                            length);
        std::wstring_view rest(wide);
        while (!rest.empty()) {
            DWORD done = 0;
            if (!WriteConsoleW(h, rest.data(), static_cast<DWORD>(rest.size()), &done, nullptr) ||
                done == 0) {
                return false;
            }
            rest.remove_prefix(done);
        }
        return true;
    }
    while (!text.empty()) {
        DWORD done = 0;
        if (!WriteFile(h, text.data(), static_cast<DWORD>(text.size()), &done, nullptr) ||
            done == 0) {
            return false;
        }
        text.remove_prefix(done);
    }
    return true;
}

}  // namespace

bool WriteOut(std::string_view text) {
    return Write(STD_OUTPUT_HANDLE, text);
}

void WriteErr(std::string_view text) {
    Write(STD_ERROR_HANDLE, text);
}

}  // namespace corvane::cli
