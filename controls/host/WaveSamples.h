#pragma once

#include <QByteArray>
#include <QIODevice>

#include "controls/host/WaveFormat.h"

namespace corvane {

// The samples of a checked wave (ParsePlayableWave), read straight from its bytes in memory,
// for an audio output to pull: no copy, no file. 24-bit samples, which the output does not
// take, come out widened to 32 bits, whole samples only.
class WaveSamples final : public QIODevice {
public:
    WaveSamples(const QByteArray& wave, const WaveLayout& layout, QObject* parent = nullptr);

    bool isSequential() const override { return true; }
    qint64 bytesAvailable() const override;

protected:
    qint64 readData(char* out, qint64 max) override;
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_wave;  // shares the checked bytes
    qint64 m_at;
    qint64 m_end;
    bool m_widen;
};

}  // namespace corvane
