// FileOps on Windows: CreateFileW with a share mode that keeps other writers out, positioned
// ReadFile/WriteFile, FlushFileBuffers.
#include "core/FileOps.h"

#include <windows.h>

#include <algorithm>
#include <iterator>
#include <string_view>

#include "core/Error.h"

namespace corvane {

namespace {

thread_local DWORD t_lastError = 0;

HANDLE ToHandle(FileOps::Handle h) {
    return reinterpret_cast<HANDLE>(h);
}

// Paths of MAX_PATH characters or more need the \\?\ form, which must be absolute, normalised
// and use backslashes. What counts is the full length: a short relative path inside a deep
// current folder is long too. Shorter paths stay as given so that their usual meaning holds.
std::wstring SystemName(const std::filesystem::path& path) {
    const std::wstring& given = path.native();
    if (given.rfind(L"\\\\?\\", 0) == 0) {
        return given;
    }
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    if (ec) {
        return given;
    }
    const std::wstring text = full.lexically_normal().make_preferred().native();
    if (text.size() < MAX_PATH - 12) {
        return given;
    }
    if (text.rfind(L"\\\\", 0) == 0) {
        return L"\\\\?\\UNC\\" + text.substr(2);
    }
    return L"\\\\?\\" + text;
}

// Names Windows reads as something other than the file they spell, refused before any open.
// A reserved device name stands for the device in any folder, in any case, with any extension
// and with blanks before it ("com1 .txt"); opening one can have effects of its own (a serial
// port's control lines). Returns the device, or an empty text.
std::wstring DeviceName(std::wstring_view component) {
    std::wstring_view base = component.substr(0, component.find_first_of(L".:"));
    while (!base.empty() && base.back() == L' ') {
        base.remove_suffix(1);
    }
    std::wstring upper(base);
    for (wchar_t& c : upper) {
        c = c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c;
    }
    for (const wchar_t* name : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"}) {
        if (upper == name) {
            return upper;
        }
    }
    // COM1 to COM9 and LPT1 to LPT9, and the superscript digits one to three, which Windows
    // counts as well.
    const bool port = upper.size() == 4 && (upper.starts_with(L"COM") || upper.starts_with(L"LPT"));
    const wchar_t n = port ? upper[3] : L'0';
    return (n >= L'1' && n <= L'9') || n == 0xB9 || n == 0xB2 || n == 0xB3 ? upper : L"";
}

// Why Windows would not open the file the path spells, or an empty text. Checked on the name
// alone, before anything is opened.
std::string Unopenable(const std::filesystem::path& path) {
    std::wstring text = path.native();
    for (wchar_t& c : text) {
        c = c == L'/' ? L'\\' : c;
    }
    // The device namespace and the system's own names: \\.\COM1, \\.\PhysicalDrive0,
    // \??\..., \\?\GLOBALROOT\Device\.... Of the \\?\ form only a drive, UNC and a volume
    // path are files.
    std::wstring_view rest = text;
    if (rest.starts_with(L"\\\\?\\")) {
        rest.remove_prefix(4);
        const bool drive = rest.size() >= 3 && rest[1] == L':' && rest[2] == L'\\';
        const bool unc = rest.starts_with(L"UNC\\");
        const std::size_t volumeEnd = rest.starts_with(L"Volume{") ? rest.find(L"}\\") : rest.npos;
        if (!drive && !unc && volumeEnd == rest.npos) {
            return "it is a device path, not a file";
        }
    } else if (rest.starts_with(L"\\\\.\\") || rest.starts_with(L"\\??\\")) {
        return "it is a device path, not a file";
    }
    const std::size_t cut = text.find_last_of(L'\\');
    std::wstring_view last = std::wstring_view(text).substr(cut == text.npos ? 0 : cut + 1);
    if (last.size() >= 2 && last[1] == L':') {
        last.remove_prefix(2);  // "C:CON" is the device too
    }
    if (const std::wstring device = DeviceName(last); !device.empty()) {
        return PathText(device) + " is the name of a Windows device, not of a file";
    }
    // Windows drops a dot or a blank at the end of a name: "x.exe." would open "x.exe".
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = std::min(text.find(L'\\', start), text.size());
        const std::wstring_view part = std::wstring_view(text).substr(start, end - start);
        if (part != L"." && part != L".." && (part.ends_with(L'.') || part.ends_with(L' '))) {
            return end == text.size() ? "its name ends in a dot or a space, which Windows would "
                                        "drop, opening another file"
                                      : "a folder in it ends in a dot or a space, which Windows "
                                        "would drop, opening another folder";
        }
        start = end + 1;
    }
    return {};
}

std::string MessageFor(DWORD code) {
    wchar_t buffer[512];
    DWORD n = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             code, 0, buffer, static_cast<DWORD>(std::size(buffer)), nullptr);
    while (n > 0 && (buffer[n - 1] == L'\r' || buffer[n - 1] == L'\n' || buffer[n - 1] == L' ' ||
                     buffer[n - 1] == L'.')) {
        --n;
    }
    if (n == 0) {
        return "system error " + std::to_string(code);
    }
    const int bytes =
        WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(bytes > 0 ? bytes : 0), '\0');
    WideCharToMultiByte(CP_UTF8, 0, buffer, static_cast<int>(n), text.data(), bytes, nullptr,
                        nullptr);
    return text;
}

class SystemOps final : public FileOps {
public:
    Handle open(const std::filesystem::path& path, Access access) override {
        // OPEN_EXISTING never creates; no truncation flag. The share mode is the lock: others
        // may read meanwhile but never write, so a file that another program holds open for
        // writing (a running game) is refused, and so is a save while another program holds
        // the file open for reading only.
        if (const std::string why = Unopenable(path); !why.empty()) {
            throw Error("Cannot open " + PathText(path) + ": " + why);
        }
        const DWORD wanted = access == Access::Read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        const std::wstring name = SystemName(path);
        HANDLE h = CreateFileW(name.c_str(), wanted, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) {
            t_lastError = GetLastError();
            if (t_lastError == ERROR_SHARING_VIOLATION || t_lastError == ERROR_LOCK_VIOLATION) {
                throw Error("Cannot open " + PathText(path) + ": it is in use by another program");
            }
            // A folder cannot be opened as a file; the system says no more than "Access denied".
            const DWORD attributes =
                t_lastError == ERROR_ACCESS_DENIED ? GetFileAttributesW(name.c_str()) : 0;
            if (attributes != INVALID_FILE_ATTRIBUTES &&
                (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                throw Error("Cannot open " + PathText(path) + ": it is a folder, not a file");
            }
            throw Error("Cannot open " + PathText(path) + ": " + MessageFor(t_lastError));
        }
        if (GetFileType(h) != FILE_TYPE_DISK) {
            CloseHandle(h);
            throw Error("Cannot open " + PathText(path) + ": it is not a regular file");
        }
        return reinterpret_cast<Handle>(h);
    }

    std::uint64_t size(Handle h) override {
        LARGE_INTEGER size{};
        if (!GetFileSizeEx(ToHandle(h), &size)) {
            t_lastError = GetLastError();
            throw Error(MessageFor(t_lastError));
        }
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    std::int64_t pread(Handle h, void* buf, std::size_t n, std::uint64_t offset) override {
        OVERLAPPED at = Position(offset);
        DWORD done = 0;
        if (!ReadFile(ToHandle(h), buf, Chunk(n), &done, &at)) {
            const DWORD code = GetLastError();
            if (code == ERROR_HANDLE_EOF) {
                return 0;
            }
            t_lastError = code;
            return -1;
        }
        return done;
    }

    std::int64_t pwrite(Handle h, const void* buf, std::size_t n, std::uint64_t offset) override {
        OVERLAPPED at = Position(offset);
        DWORD done = 0;
        if (!WriteFile(ToHandle(h), buf, Chunk(n), &done, &at)) {
            t_lastError = GetLastError();
            return -1;
        }
        return done;
    }

    bool sync(Handle h) override { return Check(FlushFileBuffers(ToHandle(h))); }
    bool close(Handle h) override { return Check(CloseHandle(ToHandle(h))); }
    // No other program can rename a file over this one or delete it while it is open: the share
    // mode leaves out FILE_SHARE_DELETE. Only a file removed before, by a program that had
    // opened it with that share, has no name left.
    bool isNamedBy(Handle h, const std::filesystem::path&) override {
        BY_HANDLE_FILE_INFORMATION info{};
        return Check(GetFileInformationByHandle(ToHandle(h), &info)) && info.nNumberOfLinks > 0;
    }
    std::string lastErrorMessage() override { return MessageFor(t_lastError); }

private:
    static OVERLAPPED Position(std::uint64_t offset) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        return at;
    }
    static DWORD Chunk(std::size_t n) {
        return static_cast<DWORD>(n < 0x40000000u ? n : 0x40000000u);
    }
    static bool Check(BOOL ok) {
        if (!ok) {
            t_lastError = GetLastError();
        }
        return ok != FALSE;
    }
};

}  // namespace

FileOps& SystemFileOps() {
    static SystemOps ops;
    return ops;
}

}  // namespace corvane
