#include "controls/host/win32/SoundFiles.h"

#include <algorithm>

#include "controls/host/WaveFormat.h"
#include "controls/host/win32/WideText.h"

namespace corvane::win32 {

namespace {

std::wstring WithBackslashes(std::wstring_view file) {
    std::wstring path(file);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

// `path` made full and clean (".", ".." and doubled separators resolved), or empty.
std::wstring FullPath(const std::wstring& path) {
    const DWORD need = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (need == 0) {
        return {};
    }
    std::wstring full(need, L'\0');
    const DWORD got = GetFullPathNameW(path.c_str(), need, full.data(), nullptr);
    if (got == 0 || got >= need) {
        return {};
    }
    full.resize(got);
    return full;
}

bool IsRegularFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

// Drive-absolute ("C:\x") or a UNC/device path ("\\server\x"); "\x" alone is relative to the
// working folder's drive and is tried against each folder like any relative path.
bool IsAbsolute(const std::wstring& path) {
    if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        return true;
    }
    return path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\';
}

std::wstring Joined(const std::wstring& folder, const std::wstring& file) {
    if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') {
        return folder + file;
    }
    return folder + L'\\' + file;
}

// The version of the open file `file`, named `path`.
std::optional<FileVersion> VersionOf(HANDLE file, const std::wstring& path) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return std::nullopt;
    }
    const auto join = [](DWORD high, DWORD low) {
        return (static_cast<std::uint64_t>(high) << 32) | low;
    };
    FileVersion v;
    v.path = Utf8FromWide(path);
    v.size = static_cast<std::int64_t>(join(info.nFileSizeHigh, info.nFileSizeLow));
    // 100-nanosecond units.
    v.modified = static_cast<std::int64_t>(
        join(info.ftLastWriteTime.dwHighDateTime, info.ftLastWriteTime.dwLowDateTime) * 100);
    v.changed = static_cast<std::int64_t>(
        join(info.ftCreationTime.dwHighDateTime, info.ftCreationTime.dwLowDateTime) * 100);
    v.device = info.dwVolumeSerialNumber;
    v.inode = join(info.nFileIndexHigh, info.nFileIndexLow);
    return v;
}

std::optional<std::string> ReadAll(HANDLE file, std::int64_t size) {
    std::string bytes(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        const auto want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file, bytes.data() + done, want, &got, nullptr)) {
            return std::nullopt;
        }
        if (got == 0) {
            break;  // the file shrank meanwhile: checked as read
        }
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

class Handle {
public:
    explicit Handle(HANDLE h) : m_h(h) {}
    ~Handle() {
        if (m_h != INVALID_HANDLE_VALUE) {
            CloseHandle(m_h);
        }
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return m_h; }

private:
    HANDLE m_h;
};

}  // namespace

std::vector<std::wstring> SoundFolders() {
    std::vector<std::wstring> folders;
    const DWORD need = GetCurrentDirectoryW(0, nullptr);
    if (need > 0) {
        std::wstring cwd(need, L'\0');
        const DWORD got = GetCurrentDirectoryW(need, cwd.data());
        if (got > 0 && got < need) {
            cwd.resize(got);
            folders.push_back(cwd);
        }
    }
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD got = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (got == 0) {
            return folders;
        }
        if (got < exe.size()) {
            exe.resize(got);
            break;
        }
        exe.resize(exe.size() * 2);  // truncated: try a longer buffer
    }
    const auto slash = exe.find_last_of(L"\\/");
    if (slash != std::wstring::npos) {
        folders.push_back(exe.substr(0, slash));
    }
    return folders;
}

std::wstring FindSoundFile(std::wstring_view file, const std::vector<std::wstring>& folders) {
    if (file.empty()) {
        return {};
    }
    const std::wstring path = WithBackslashes(file);
    if (IsAbsolute(path)) {
        const std::wstring full = FullPath(path);
        return !full.empty() && IsRegularFile(full) ? full : std::wstring();
    }
    for (const std::wstring& folder : folders) {
        const std::wstring full = FullPath(Joined(folder, path));
        if (!full.empty() && IsRegularFile(full)) {
            return full;
        }
    }
    return {};
}

std::optional<WaveBytes> ReadPlayableWave(const std::wstring& path, SoundCache<WaveBytes>& cache) {
    const Handle file(CreateFileW(path.c_str(), GENERIC_READ,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    // A disk file only: a pipe or a device put in its place would make ReadFile wait.
    if (file.get() == INVALID_HANDLE_VALUE || GetFileType(file.get()) != FILE_TYPE_DISK) {
        return std::nullopt;
    }
    const std::optional<FileVersion> version = VersionOf(file.get(), path);
    if (!version) {
        return std::nullopt;
    }
    if (const std::optional<WaveBytes>* known = cache.find(*version)) {
        return *known;
    }
    std::optional<WaveBytes> wave;
    if (version->size <= kMaxSoundFileBytes) {
        std::optional<std::string> bytes = ReadAll(file.get(), version->size);
        if (bytes && IsPlayableWave(*bytes)) {
            wave = WaveBytes{std::make_shared<const std::string>(std::move(*bytes))};
        }
    }
    cache.insert(*version, wave);
    return wave;
}

}  // namespace corvane::win32
