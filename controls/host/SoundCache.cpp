#include "controls/host/SoundCache.h"

#ifdef _WIN32
#include <sys/stat.h>
#include <sys/types.h>
#else
#include <sys/stat.h>
#endif

namespace corvane {

std::optional<FileVersion> StatFile(const std::string& path) {
#ifdef _WIN32
    // The path in the program's code page; the times in seconds, the creation time as the
    // status change.
    struct _stat64 st {};
    if (::_stat64(path.c_str(), &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG) {
        return std::nullopt;
    }
    return FileVersion{path,
                       st.st_size,
                       std::int64_t{st.st_mtime} * 1'000'000'000,
                       std::int64_t{st.st_ctime} * 1'000'000'000,
                       std::uint64_t(st.st_dev),
                       0};
#else
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    const auto ns = [](const timespec& t) {
        return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
    };
    return FileVersion{path,
                       st.st_size,
                       ns(st.st_mtim),
                       ns(st.st_ctim),
                       std::uint64_t(st.st_dev),
                       std::uint64_t(st.st_ino)};
#endif
}

}  // namespace corvane
