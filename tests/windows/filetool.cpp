// A Windows helper for the CLI tests that run corvane-cli.exe under Wine: it does to a file
// what another Windows program would.
//   corvane-filetool hold PATH      opens PATH for writing, sharing nothing (as a running game
//                                   may), prints "held" and keeps it open until its standard
//                                   input ends
//   corvane-filetool readonly PATH  gives PATH the read-only attribute
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t* argv[]) {
    if (argc != 3) {
        std::fputs("usage: corvane-filetool hold|readonly PATH\n", stderr);
        return 2;
    }
    const wchar_t* path = argv[2];
    if (std::wcscmp(argv[1], L"readonly") == 0) {
        const DWORD attributes = GetFileAttributesW(path);
        if (attributes == INVALID_FILE_ATTRIBUTES ||
            !SetFileAttributesW(path, attributes | FILE_ATTRIBUTE_READONLY)) {
            std::fprintf(stderr, "cannot set the read-only attribute: error %lu\n", GetLastError());
            return 1;
        }
        return 0;
    }
    if (std::wcscmp(argv[1], L"hold") == 0) {
        const HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            std::fprintf(stderr, "cannot open the file: error %lu\n", GetLastError());
            return 1;
        }
        std::puts("held");
        std::fflush(stdout);
        char buffer[64];
        DWORD got = 0;
        while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) &&
               got > 0) {
        }
        CloseHandle(file);
        return 0;
    }
    std::fputs("usage: corvane-filetool hold|readonly PATH\n", stderr);
    return 2;
}
