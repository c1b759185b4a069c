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
        m_path = base.toStdString();
        m_fd = ::open(base.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        for (int i = 0; i < depth && m_fd >= 0; ++i) {
            const std::string name(static_cast<std::size_t>(nameLength), char('a' + i % 26));
            const int next = ::mkdirat(m_fd, name.c_str(), 0755) == 0
                                 ? ::openat(m_fd, name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)
                                 : -1;
            m_levels.push_back({m_fd, name});
            m_fd = next;
            m_path += '/' + name;
        }
    }
    DeepFolder(const DeepFolder&) = delete;
    DeepFolder& operator=(const DeepFolder&) = delete;
    ~DeepFolder() {
        if (m_fd >= 0) {
            if (DIR* entries = ::fdopendir(::dup(m_fd))) {
                std::vector<std::string> names;
                while (const dirent* e = ::readdir(entries)) {
                    if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") {
                        names.push_back(e->d_name);
                    }
                }
                ::closedir(entries);
                for (const std::string& name : names) {
                    ::unlinkat(m_fd, name.c_str(), 0);
                }
            }
            ::close(m_fd);
        }
        for (auto level = m_levels.rbegin(); level != m_levels.rend(); ++level) {
            ::unlinkat(level->parent, level->name.c_str(), AT_REMOVEDIR);
            ::close(level->parent);
        }
    }

    bool isValid() const { return m_fd >= 0; }
    // The full path of `name` in the deepest folder, as bytes.
    std::string path(const std::string& name) const { return m_path + '/' + name; }
    QString qpath(const std::string& name) const { return QString::fromStdString(path(name)); }

    // Moves a file between a short path and `name` in the deepest folder, so that the usual
    // helpers can make and read it.
    bool moveIn(const QString& from, const std::string& name) const {
        return ::renameat(AT_FDCWD, from.toLocal8Bit().constData(), m_fd, name.c_str()) == 0;
    }
    bool moveOut(const std::string& name, const QString& to) const {
        return ::renameat(m_fd, name.c_str(), AT_FDCWD, to.toLocal8Bit().constData()) == 0;
    }
    bool symlink(const QString& target, const std::string& name) const {
        return ::symlinkat(target.toLocal8Bit().constData(), m_fd, name.c_str()) == 0;
    }

private:
    struct Level {
        int parent;
        std::string name;
    };
    std::vector<Level> m_levels;
    int m_fd = -1;
    std::string m_path;
};

}  // namespace corvane::test
