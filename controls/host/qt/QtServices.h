#pragma once

#include <QTimer>

#include "controls/host/Services.h"

namespace corvane {

// The host's services on Qt.

class QtTimer final : public Timer {
public:
    QtTimer();
    void start(int intervalMs, std::function<void()> tick) override;
    void stop() override { m_timer.stop(); }
    bool isActive() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
    std::function<void()> m_tick;
};

// Plays on the process's SoundPlayer (SoundPlayer.h).
class QtWavePlayer final : public WavePlayer {
public:
    void play(std::u16string_view name, std::string_view wave) override;
};

// QDesktopServices.
class QtLinkOpener final : public LinkOpener {
public:
    bool open(std::u16string_view target) override;
};

// The application's QClipboard.
class QtClipboard final : public Clipboard {
public:
    std::u16string text() const override;
    void setText(std::u16string_view text) override;
};

// One of each for the process, for controls that are given none.
Clipboard& ProcessClipboard();
LinkOpener& ProcessLinkOpener();

}  // namespace corvane
