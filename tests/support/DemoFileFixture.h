#pragma once

// Demo files for tests: sparse files of the demo executable's size whose bytes around the
// twelve fields are known pseudo-random noise, so a test can tell exactly which bytes a
// file operation touched.

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QRandomGenerator>
#include <QString>
#include <QTemporaryDir>

#include <cstring>
#include <filesystem>
#include <initializer_list>
#include <string>

#include "core/PatchMap.h"

namespace corvane::test {

inline constexpr qint64 kDemoFileSize = static_cast<qint64>(kMinimumFileSize);
// Noise this far on either side of each field block, and at the start of the file.
inline constexpr qint64 kNoiseRadius = 4096;

// Where the three blocks of fields lie, written out rather than taken from the patch map, so
// that a wrong offset in the map fails the tests instead of moving with them.
inline constexpr qint64 kTeams = 0x11A6814;
inline constexpr qint64 kFontSlot = 0x11A7538;
inline constexpr qint64 kExhibitionSlot = 0x11A756C;

inline QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray b;
    for (int v : values) {
        b.append(static_cast<char>(v));
    }
    return b;
}

// A QString path as the core takes it, without losing non-ASCII characters.
inline std::filesystem::path ToPath(const QString& name) {
#ifdef Q_OS_WIN
    return std::filesystem::path(name.toStdWString());
#else
    const QByteArray bytes = QFile::encodeName(name);
    return std::filesystem::path(std::string(bytes.constData(), bytes.size()));
#endif
}

struct ByteRange {
    qint64 offset;
    qint64 length;
};

// Where a demo file of `size` bytes holds noise; the rest is a hole that reads as zeros.
inline QList<ByteRange> NoiseRanges(qint64 size) {
    const qint64 teams = static_cast<qint64>(kPatchMap[kFirstTeamField].offset);
    const qint64 font = static_cast<qint64>(kPatchMap[kFirstFontField].offset);
    const qint64 wanted[][2] = {
        {0, kNoiseRadius},
        {teams - kNoiseRadius, teams + 8 + kNoiseRadius},
        // The font slot lies before the Exhibition slot, 52 bytes apart: one range covers both.
        {font - kNoiseRadius, kDemoFileSize + kNoiseRadius},
    };
    QList<ByteRange> ranges;
    for (const auto& w : wanted) {
        const qint64 begin = qMin(w[0], size);
        const qint64 end = qMin(w[1], size);
        if (end > begin) {
            ranges.append({begin, end - begin});
        }
    }
    return ranges;
}

// Creates or replaces `path` as a demo file of `size` bytes; the same seed gives the same
// bytes.
inline bool WriteDemoFile(const QString& path, quint32 seed, qint64 size = kDemoFileSize) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || !file.resize(size)) {
        return false;
    }
    QRandomGenerator random(seed);
    for (const ByteRange& range : NoiseRanges(size)) {
        QByteArray noise(range.length, Qt::Uninitialized);
        for (char& byte : noise) {
            byte = static_cast<char>(random.bounded(256));
        }
        if (!file.seek(range.offset) || file.write(noise) != noise.size()) {
            return false;
        }
    }
    return file.flush() && file.size() == size;
}

inline QByteArray ReadBytes(const QString& path, qint64 offset, qint64 count) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset)) {
        return {};
    }
    return file.read(count);
}

inline QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Overwrites bytes of an existing file in place.
inline bool PokeBytes(const QString& path, qint64 offset, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) && file.seek(offset) &&
           file.write(bytes) == bytes.size() && file.flush();
}

// The first offset at which two byte arrays differ, or -1 when they are equal.
inline qint64 FirstDifference(const QByteArray& a, const QByteArray& b) {
    const qint64 common = qMin(a.size(), b.size());
    if (std::memcmp(a.constData(), b.constData(), static_cast<std::size_t>(common)) == 0) {
        return a.size() == b.size() ? -1 : common;
    }
    qint64 i = 0;
    while (a.constData()[i] == b.constData()[i]) {
        ++i;
    }
    return i;
}

// One demo file in a temporary folder of its own, removed with the fixture.
class DemoFileFixture {
public:
    explicit DemoFileFixture(quint32 seed = 1, qint64 size = kDemoFileSize,
                             const QString& name = QStringLiteral("pes2012.exe"))
        : m_path(m_dir.filePath(name)) {
        m_ok = m_dir.isValid() && WriteDemoFile(m_path, seed, size);
    }

    bool isValid() const { return m_ok; }
    QString dirPath() const { return m_dir.path(); }
    QString path() const { return m_path; }
    std::filesystem::path fsPath() const { return ToPath(m_path); }
    QByteArray bytes() const { return ReadWholeFile(m_path); }
    QByteArray bytes(qint64 offset, qint64 count) const { return ReadBytes(m_path, offset, count); }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_ok = false;
};

}  // namespace corvane::test
