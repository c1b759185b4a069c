#pragma once

// Wave files for the sound tests: real ones, as a sound program writes them (a short tone),
// and broken ones made from them byte by byte.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QtEndian>

#include <cmath>

namespace corvane::test {

inline QByteArray Le16(quint16 v) {
    QByteArray b(2, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

inline QByteArray Le32(quint32 v) {
    QByteArray b(4, '\0');
    qToLittleEndian(v, b.data());
    return b;
}

// A chunk: its id, its length (the body's, unless given) and the body, without a pad byte.
inline QByteArray Chunk(const char* id, const QByteArray& body, qint64 length = -1) {
    return QByteArray(id, 4) + Le32(static_cast<quint32>(length < 0 ? body.size() : length)) + body;
}

struct WaveSpec {
    quint16 format = 1;  // PCM
    quint16 channels = 1;
    quint32 rate = 22050;
    quint16 bits = 16;
    int frames = 220;        // 10 ms of an 880 Hz tone
    int fmtExtra = 0;        // bytes after the 16 of the format (fewer than 16 if below 0)
    qint64 dataLength = -1;  // the "data" length written, when not the true one
    int dataExtra = 0;       // sample bytes added after the frames
    QByteArray before{};     // chunks between "WAVE" and "fmt "
    QByteArray between{};    // chunks between "fmt " and "data"
    qint64 riffLengthDelta = 0;
};

// 0x7FFF * sin for 16 bits, scaled to the other widths (8 bits unsigned, as wave files have it).
inline QByteArray Samples(const WaveSpec& s) {
    QByteArray data;
    const int bytes = s.bits / 8;
    for (int f = 0; f < s.frames; ++f) {
        const double v = std::sin(2.0 * M_PI * 880.0 * f / (s.rate ? s.rate : 1));
        for (int c = 0; c < s.channels; ++c) {
            if (bytes == 1) {
                data.append(static_cast<char>(128 + static_cast<int>(v * 100)));
            } else {
                const auto sample = static_cast<qint32>(v * 0x3FFF) * (1 << (8 * (bytes - 2)));
                for (int i = 0; i < bytes; ++i) {
                    data.append(static_cast<char>((sample >> (8 * i)) & 0xFF));
                }
            }
        }
    }
    return data + QByteArray(s.dataExtra, '\0');
}

inline QByteArray MakeWave(const WaveSpec& s = {}) {
    const quint16 blockAlign = static_cast<quint16>(s.channels * (s.bits / 8));
    QByteArray fmt = Le16(s.format) + Le16(s.channels) + Le32(s.rate) + Le32(s.rate * blockAlign) +
                     Le16(blockAlign) + Le16(s.bits);
    if (s.fmtExtra >= 0) {
        fmt += QByteArray(s.fmtExtra, '\0');
    } else {
        fmt.chop(-s.fmtExtra);
    }
    const QByteArray body = QByteArray("WAVE") + s.before + Chunk("fmt ", fmt) + s.between +
                            Chunk("data", Samples(s), s.dataLength);
    return QByteArray("RIFF") + Le32(static_cast<quint32>(body.size() + s.riffLengthDelta)) + body;
}

// Writes `bytes` to `path`, making its folders; false when that fails.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace corvane::test
