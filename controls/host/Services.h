#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace corvane {

// What a control asks of its shell that only a platform has. Each shell implements these on its
// own (Qt's are in controls/host/qt/QtServices.h).

// A repeating tick on the user-interface thread.
class Timer {
public:
    virtual ~Timer() = default;
    // Starts, or restarts, ticking every `intervalMs` milliseconds; `tick` may stop or delete
    // the timer's owner.
    virtual void start(int intervalMs, std::function<void()> tick) = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;
};

// Plays a wave the host checked (IsPlayableWave), from memory, in the background, replacing
// whatever it plays. `name` says where the sound came from.
class WavePlayer {
public:
    virtual ~WavePlayer() = default;
    virtual void play(std::u16string_view name, std::string_view wave) = 0;
};

// Opens a link (a web address, a file) in the platform's program for it. Returns whether the
// platform took it.
class LinkOpener {
public:
    virtual ~LinkOpener() = default;
    virtual bool open(std::u16string_view target) = 0;
};

// The platform's clipboard, as text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string_view text) = 0;
};

}  // namespace corvane
