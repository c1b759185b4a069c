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

// The format in a "fmt " chunk's body, or nothing when it is not one we play.
std::optional<WaveLayout> PcmFormat(QByteArrayView fmt) {
    if (fmt.size() < 16) {
        return std::nullopt;
    }
    const quint16 format = Le16(fmt, 0);
    WaveLayout out;
    out.channels = Le16(fmt, 2);
    out.rate = Le32(fmt, 4);
    out.bits = Le16(fmt, 14);
    if (format != 1 || out.channels == 0 || out.rate == 0 ||
        (out.bits != 8 && out.bits != 16 && out.bits != 24 && out.bits != 32)) {
        return std::nullopt;
    }
    return out;
}

}  // namespace

std::optional<WaveLayout> ParsePlayableWave(QByteArrayView bytes) {
    if (bytes.size() < 12 || bytes.first(4) != "RIFF" || bytes.sliced(8, 4) != "WAVE") {
        return std::nullopt;
    }
    const qint64 end = 8 + qint64{Le32(bytes, 4)};
    if (end > bytes.size()) {
        return std::nullopt;  // shorter than its header says
    }
    std::optional<WaveLayout> format;
    qint64 at = 12;
    while (at + 8 <= end) {
        const QByteArrayView id = bytes.sliced(at, 4);
        const qint64 length = Le32(bytes, at + 4);
        const qint64 body = at + 8;
        if (length > end - body) {
            return std::nullopt;
        }
        if (id == "data") {
            if (!format || length % (qint64{format->channels} * (format->bits / 8)) != 0) {
                return std::nullopt;
            }
            format->dataOffset = body;
            format->dataLength = length;
            return format;
        }
        if (id == "fmt ") {
            if (format) {
                return std::nullopt;  // which of two formats would apply is anyone's guess
            }
            format = PcmFormat(bytes.sliced(body, length));
            if (!format) {
                return std::nullopt;
            }
        }
        if (length % 2 != 0) {
            return std::nullopt;
        }
        at = body + length;
    }
    return std::nullopt;  // no samples
}

bool IsPlayableWave(QByteArrayView bytes) {
    return ParsePlayableWave(bytes).has_value();
}

}  // namespace corvane
