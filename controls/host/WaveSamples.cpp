#include "controls/host/WaveSamples.h"

#include <algorithm>
#include <cstring>

namespace corvane {

WaveSamples::WaveSamples(const QByteArray& wave, const WaveLayout& layout, QObject* parent)
    : QIODevice(parent),
      m_wave(wave),
      m_at(layout.dataOffset),
      m_end(layout.dataOffset + layout.dataLength),
      m_widen(layout.bits == 24) {}

qint64 WaveSamples::bytesAvailable() const {
    const qint64 left = m_widen ? (m_end - m_at) / 3 * 4 : m_end - m_at;
    return left + QIODevice::bytesAvailable();
}

qint64 WaveSamples::readData(char* out, qint64 max) {
    if (!m_widen) {
        const qint64 n = std::min(max, m_end - m_at);
        std::memcpy(out, m_wave.constData() + m_at, static_cast<size_t>(n));
        m_at += n;
        return n;
    }
    // Little-endian: the three bytes become the upper three of four.
    const qint64 samples = std::min(max / 4, (m_end - m_at) / 3);
    const char* in = m_wave.constData() + m_at;
    for (qint64 i = 0; i < samples; ++i) {
        out[4 * i] = 0;
        std::memcpy(out + 4 * i + 1, in + 3 * i, 3);
    }
    m_at += 3 * samples;
    return 4 * samples;
}

}  // namespace corvane
