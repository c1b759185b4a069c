#include "app/cli/Console.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <string>
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace corvane::cli {

#ifdef _WIN32

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

#else

namespace {

bool g_outputWasClosed = false;

bool Write(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t done = ::write(fd, text.data(), text.size());
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(done));
    }
    return true;
}

}  // namespace

bool SecureStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // open() takes the lowest free descriptor, which is this one: the ones below are open.
        int null;
        do {
            null = ::open("/dev/null", O_RDWR | O_NOCTTY);
        } while (null < 0 && errno == EINTR);
        if (null != fd) {
            return false;
        }
        g_outputWasClosed = g_outputWasClosed || fd == 1;
    }
    return true;
}

bool WriteOut(std::string_view text) {
    // What a closed standard output would have been given is lost: that is no success.
    if (g_outputWasClosed && !text.empty()) {
        return false;
    }
    return Write(1, text);
}

void WriteErr(std::string_view text) {
    Write(2, text);
}

#endif

}  // namespace corvane::cli
