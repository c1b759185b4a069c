#pragma once

#include <QDir>
#include <QString>

namespace corvane {

// Plays sound files for the controls. play() returns at once; the sound runs in the
// background and replaces any sound the player is playing. The path given is absolute and
// names a readable file (PlayWave checks that first).
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& absolutePath) = 0;
};

// The one player of the process. Without Qt Multimedia it is silent.
SoundPlayer& ProcessSoundPlayer();
// Replaces the process's player (tests inject a recorder); null restores the built-in one.
// Returns the player that was in use before, or null if that was the built-in one.
SoundPlayer* SetProcessSoundPlayer(SoundPlayer* player);

// A sound path as the controls store it, made absolute: "\" and "/" both separate folders,
// and a relative path is taken from `cwd` (".\resources\click.wav" -> cwd/resources/click.wav).
// An empty path stays empty.
QString ResolveSoundPath(const QString& file, const QDir& cwd);

// Plays `file`, resolved against the current directory now, on the process's player. A
// missing or unreadable file plays nothing and is no error. Returns whether a sound was
// started.
bool PlayWave(const QString& file);

}  // namespace corvane
