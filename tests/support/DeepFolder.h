#pragma once

// A folder nested so deep that its full path is longer than the system takes in one call
// (PATH_MAX), made and reached through folder descriptors, as no single call can. Linux only.

#include <QByteArray>
#include <QString>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

namespace corvane::test {

class DeepFolder {
public:
    // `depth` folders of `nameLength` letters each under `root` (which must exist). They are
    // removed with everything in the deepest one when the object goes, since a removal by
    // full path (QTemporaryDir's) cannot reach them.
    DeepFolder(const QString& root, int depth, int nameLength) {
        const QByteArray base = root.toLocal8Bit();
        path_ = base.toStdString();
        fd_ = ::open(base.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int i = 0; i < depth && fd_ >= 0; ++i) {
            const std::string name(static_cast<std::size_t>(nameLength), char('a' + i % 26));
            const int next = ::mkdirat(fd_, name.c_str(), 0755) == 0
                                 ? ::openat(fd_, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                 : -1;
            levels_.push_back({fd_, name});
            fd_ = next;
            path_ += '/' + name;
        }
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;
    ~DeepFolder() {
        if (fd_ >= 0) {
            if (DIR* entries = ::fdopendir(::dup(fd_))) {
                std::vector<std::string> names;
                while (const dirent* e = ::readdir(entries)) {
                    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") {
                        names.push_back(e->d_name);
                    }
                }
                ::closedir(entries);
                for (const std::string& name : names) {
                    ::unlinkat(fd_, name.c_str(), 0);
                }
            }
            ::close(fd_);
        }
        for (auto level = levels_.rbegin(); level != levels_.rend(); ++level) {
            ::unlinkat(level->parent, level->name.c_str(), AT_REMOVEDIR);
            ::close(level->parent);
        }
    }

    bool isValid() const { return fd_ >= 0; }
    // The full path of `name` in the deepest folder, as bytes.
    std::string path(const std::string& name) const { return path_ + '/' + name; }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }

    // Moves a file between a short path and `name` in the deepest folder, so that the usual
    // helpers can make and read it.
    bool moveIn(const QString& from, const std::string& name) const {
        return ::renameat(AT_FDCWD, from.toLocal8Bit().constData(), fd_, name.c_str()) == 0;
    }
    bool moveOut(const std::string& name, const QString& to) const {
        return ::renameat(fd_, name.c_str(), AT_FDCWD, to.toLocal8Bit().constData()) == 0;
    }
    bool symlink(const QString& target, const std::string& name) const {
        return ::symlinkat(target.toLocal8Bit().constData(), fd_, name.c_str()) == 0;
    }

private:
    struct Level {
        int parent;
        std::string name;
    };
    std::vector<Level> levels_;
    int fd_ = -1;
    std::string path_;
};

}  // namespace corvane::test
