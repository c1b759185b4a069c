#include "controls/host/qt/SoundPlayer.h"

#ifdef CORVANE_HAVE_MULTIMEDIA
#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QCoreApplication>
#include <QMediaDevices>
#include <QPointer>

#include "controls/host/WaveFormat.h"
#include "controls/host/qt/WaveSamples.h"
#endif

namespace corvane {

namespace {

#ifdef CORVANE_HAVE_MULTIMEDIA
// Plays from memory on the default audio output, one sound at a time: a new sound stops the
// one playing. Everything belongs to the application object, which outlives every click and
// is gone before static destruction. Without an audio output it plays nothing.
class MemorySoundPlayer final : public SoundPlayer {
public:
    void play(const QString&, const QByteArray& wave) override {
        QCoreApplication* app = QCoreApplication::instance();
        const std::optional<WaveLayout> layout =
            ParsePlayableWave({wave.constData(), static_cast<std::size_t>(wave.size())});
        if (!app || !layout) {
            return;
        }
        if (m_sink) {
            m_sink->stop();
            m_sink->deleteLater();
        }
        const QAudioDevice output = QMediaDevices::defaultAudioOutput();
        if (output.isNull()) {
            return;
        }
        QAudioFormat format;
        format.setSampleRate(static_cast<int>(layout->rate));
        format.setChannelCount(layout->channels);
        format.setSampleFormat(layout->bits == 8    ? QAudioFormat::UInt8
                               : layout->bits == 16 ? QAudioFormat::Int16
                                                    : QAudioFormat::Int32);
        m_sink = new QAudioSink(output, format, app);
        auto* samples = new WaveSamples(wave, *layout, m_sink);
        samples->open(QIODevice::ReadOnly);
        QObject::connect(m_sink, &QAudioSink::stateChanged, m_sink,
                         [sink = m_sink.data()](QAudio::State state) {
                             if (state == QAudio::IdleState) {
                                 sink->stop();  // played to its end
                             }
                         });
        m_sink->start(samples);
    }

private:
    QPointer<QAudioSink> m_sink;
};
using BuiltInPlayer = MemorySoundPlayer;
#else
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(const QString&, const QByteArray&) override {}
};
using BuiltInPlayer = SilentSoundPlayer;
#endif

SoundPlayer* g_injected = nullptr;

}  // namespace

SoundPlayer& ProcessSoundPlayer() {
    static BuiltInPlayer builtIn;
    return g_injected ? *g_injected : builtIn;
}

SoundPlayer* SetProcessSoundPlayer(SoundPlayer* player) {
    SoundPlayer* previous = g_injected;
    g_injected = player;
    return previous;
}

}  // namespace corvane
