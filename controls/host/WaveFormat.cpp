#include "controls/host/WaveFormat.h"

#include <QtEndian>

#include <optional>

namespace corvane {

namespace {

quint32 Le32(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.data() + at);
}

quint16 Le16(QByteArrayView bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.data() + at);
}

// Bytes a frame of the format in a "fmt " chunk's body, or nothing when it is not one we play.
std::optional<qint64> PcmFrameBytes(QByteArrayView fmt) {
    if (fmt.size() < 16) {
        return std::nullopt;
    }
    const quint16 format = Le16(fmt, 0);
    const quint16 channels = Le16(fmt, 2);
    const quint32 rate = Le32(fmt, 4);
    const quint16 bits = Le16(fmt, 14);
    if (format != 1 || channels == 0 || rate == 0 ||
        (bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
        return std::nullopt;
    }
    return qint64{channels} * (bits / 8);
}

}  // namespace

bool IsPlayableWave(QByteArrayView bytes) {
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE") {
        return false;
    }
    const qint64 end = 8 + qint64{Le32(bytes, 4)};
    if (end > bytes.size()) {
        return false;  // shorter than its header says
    }
    std::optional<qint64> frameBytes;
    qint64 at = 12;
    while (at + 8 <= end) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 length = Le32(bytes, at + 4);
        const qint64 body = at + 8;
        if (length > end - body) {
            return false;
        }
        if (id == "data") {
            return frameBytes && length % *frameBytes == 0;
        }
        if (id == "fmt ") {
            if (frameBytes) {
                return false;  // which of two formats would apply is anyone's guess
            }
            frameBytes = PcmFrameBytes(bytes.sliced(body, length));
            if (!frameBytes) {
                return false;
            }
        }
        if (length % 2 != 0) {
            return false;
        }
        at = body + length;
    }
    return false;  // no samples
}

}  // namespace corvane
