#pragma once

// Two demo files in one folder whose names differ only where one is not UTF-8:
// "decoy<0xFF>.bin" and "decoy<U+FFFD>.bin". Decoding the first name into text and encoding
// it again gives the second, so every route a file name travels is tried against the pair:
// the named file must be the one read and written, and its neighbour never touched.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <system_error>

#include "tests/support/DemoFileFixture.h"

namespace corvane::test {

// A file named by its bytes, which QFile cannot open when they are not UTF-8.
inline QByteArray ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0 || !in.seekg(0)) {
        return {};
    }
    QByteArray bytes(static_cast<qsizetype>(size), Qt::Uninitialized);
    return in.read(bytes.data(), size) ? bytes : QByteArray();
}

struct DecoyPair {
    // Team slot 1 tells the two apart: 1264 (CLUB AMERICA) in the named file, 100
    // (MANCHESTER UNITED) in its neighbour.
    static constexpr int kNamedTeam = 1264;
    static constexpr int kNeighbourTeam = 100;

    DecoyPair() {
        folder = ToPath(dir.path());
        named = folder / std::string("decoy\xFF.bin");
        neighbour = folder / std::string("decoy\xEF\xBF\xBD.bin");
        ok = dir.isValid() && Write(named, 41, kNamedTeam) && Write(neighbour, 42, kNeighbourTeam);
        namedBefore = ReadWholeFile(named);
        neighbourBefore = ReadWholeFile(neighbour);
    }

    // QTemporaryDir removes what it can list by name as text, which misses the named file.
    ~DecoyPair() {
        std::error_code error;
        std::filesystem::remove(named, error);
        std::filesystem::remove(neighbour, error);
    }
    DecoyPair(const DecoyPair&) = delete;
    DecoyPair& operator=(const DecoyPair&) = delete;

    // The name as text, as the file dialog shows either file.
    QString shownName() const { return dir.filePath(QStringLiteral("decoy\uFFFD.bin")); }

    // The named file as it was with its first team slot replaced; the neighbour unchanged.
    bool namedHoldsTeam(int team) const {
        QByteArray expected = namedBefore;
        expected.replace(kTeamsOffset, 2, TeamBytes(team));
        return FirstDifference(ReadWholeFile(named), expected) == -1;
    }
    bool neighbourUnchanged() const {
        return FirstDifference(ReadWholeFile(neighbour), neighbourBefore) == -1;
    }
    bool bothUnchanged() const {
        return neighbourUnchanged() && FirstDifference(ReadWholeFile(named), namedBefore) == -1;
    }

    QTemporaryDir dir;
    std::filesystem::path folder;
    std::filesystem::path named;
    std::filesystem::path neighbour;
    QByteArray namedBefore;
    QByteArray neighbourBefore;
    bool ok = false;

private:
    static constexpr qint64 kTeamsOffset = static_cast<qint64>(kPatchMap[kFirstTeamField].offset);

    static QByteArray TeamBytes(int team) {
        const char bytes[2] = {static_cast<char>(team & 0xFF),
                               static_cast<char>((team >> 8) & 0xFF)};
        return QByteArray(bytes, 2);
    }

    // A demo file is written under a plain name, then renamed to its byte name.
    bool Write(const std::filesystem::path& path, quint32 seed, int team) {
        const QString plain = dir.filePath(QStringLiteral("plain.tmp"));
        if (!WriteDemoFile(plain, seed) || !PokeBytes(plain, kTeamsOffset, TeamBytes(team))) {
            return false;
        }
        std::error_code error;
        std::filesystem::rename(ToPath(plain), path, error);
        return !error;
    }
};

}  // namespace corvane::test
