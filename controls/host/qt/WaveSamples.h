#pragma once

#include <QByteArray>
#include <QIODevice>

#include "controls/host/WaveFormat.h"

namespace corvane {

// The samples of a checked wave (ParsePlayableWave), read straight from its bytes in memory,
// for an audio output to pull: no copy, no file (WaveSampleReader says what comes out).
class WaveSamples final : public QIODevice {
public:
    WaveSamples(const QByteArray& wave, const WaveLayout& layout, QObject* parent = nullptr)
        : QIODevice(parent), m_wave(wave), m_reader(layout) {}

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override {
        return m_reader.available() + QIODevice::bytesAvailable();
    }

protected:
    qint64 readData(char* out, qint64 max) override {
        return m_reader.read({m_wave.constData(), static_cast<std::size_t>(m_wave.size())}, out,
                             max);
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_wave;  // shares the checked bytes
    WaveSampleReader m_reader;
};

}  // namespace corvane
