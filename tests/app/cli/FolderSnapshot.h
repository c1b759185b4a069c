#pragma once

// Every byte and the size of every file under a folder, and its subfolders, taken before a
// command, so that a test can check afterwards that nothing but the expected bytes changed.
// Names are kept as bytes: a Linux name need not be UTF-8.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace corvane::test {

class FolderSnapshot {
public:
    explicit FolderSnapshot(std::filesystem::path root) : m_root(std::move(root)) {
        for (const auto& [name, isFile] : Entries()) {
            m_entries[name] = isFile ? ReadAll(m_root / name) : QByteArray();
        }
    }

    // From now on `file` (relative to the folder) should hold `bytes` at `offset`.
    void Expect(const std::string& file, qint64 offset, const QByteArray& bytes) {
        m_entries[file].replace(offset, bytes.size(), bytes);
    }

    // Empty when the folder holds what it held, with the expected changes; otherwise the first
    // difference found.
    QString Difference() const {
        const std::map<std::string, bool> now = Entries();
        for (const auto& [name, bytes] : m_entries) {
            if (!now.contains(name)) {
                return Name(name) + " is gone";
            }
        }
        for (const auto& [name, isFile] : now) {
            const auto was = m_entries.find(name);
            if (was == m_entries.end()) {
                return Name(name) + " has appeared";
            }
            if (isFile) {
                const QString difference = Compare(m_root / name, was->second);
                if (!difference.isEmpty()) {
                    return Name(name) + difference;
                }
            }
        }
        return {};
    }

private:
    static QString Name(const std::string& name) {
        return QFile::decodeName(QByteArray::fromStdString(name));
    }

    // Each entry by its relative path, and whether it is a file (a folder otherwise).
    std::map<std::string, bool> Entries() const {
        std::map<std::string, bool> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(m_root)) {
            entries[entry.path().lexically_relative(m_root).string()] = !entry.is_directory();
        }
        return entries;
    }

    static QByteArray ReadAll(const std::filesystem::path& path) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(path, ec);
        QByteArray bytes(ec ? 0 : static_cast<qsizetype>(size), Qt::Uninitialized);
        FILE* f = std::fopen(path.c_str(), "rb");
        const std::size_t got = f ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
        if (f) {
            std::fclose(f);
        }
        bytes.truncate(static_cast<qsizetype>(got));
        return bytes;
    }

    // Reads the file through one small buffer (an 18 MB file read into fresh memory costs far
    // more than comparing it) and says where it first differs from `expected`.
    static QString Compare(const std::filesystem::path& path, const QByteArray& expected) {
        FILE* f = std::fopen(path.c_str(), "rb");
        if (f == nullptr) {
            return " cannot be read";
        }
        static std::vector<char> buffer(1 << 20);
        qint64 at = 0;
        std::size_t got;
        QString difference;
        while (difference.isEmpty() && (got = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) {
            const qint64 common = std::min<qint64>(static_cast<qint64>(got), expected.size() - at);
            if (std::memcmp(buffer.data(), expected.constData() + at,
                            static_cast<std::size_t>(common)) != 0) {
                qint64 i = 0;
                while (buffer[static_cast<std::size_t>(i)] == expected[at + i]) {
                    ++i;
                }
                difference = QString(" differs at offset %1").arg(at + i);
            }
            at += static_cast<qint64>(got);
        }
        std::fclose(f);
        if (difference.isEmpty() && at != expected.size()) {
            difference = QString(" has %1 bytes, not %2").arg(at).arg(expected.size());
        }
        return difference;
    }

    std::filesystem::path m_root;
    std::map<std::string, QByteArray> m_entries;  // a folder holds an empty array
};

}  // namespace corvane::test
