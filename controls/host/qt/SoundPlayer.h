#pragma once

#include <QByteArray>
#include <QString>

namespace corvane {

// Plays sound files for the controls. play() returns at once; the sound runs in the
// background and replaces any sound the player is playing. `path` names the file the sound
// was found in; `wave` is what PlayWave read from it and checked (IsPlayableWave), and is
// what plays, from memory: the file may have changed since.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path, const QByteArray& wave) = 0;
};

// The one player of the process. Without Qt Multimedia it is silent.
SoundPlayer& ProcessSoundPlayer();
// Replaces the process's player (tests inject a recorder); null restores the built-in one.
// Returns the player that was in use before, or null if that was the built-in one.
SoundPlayer* SetProcessSoundPlayer(SoundPlayer* player);

// Plays `file`, a sound path as the controls store it, on the process's player. A relative
// path is looked for now, in the working folder, then the installed data folder, then the
// program's folder (SoundFolders). A file found nowhere, unreadable or not a wave the player
// can play plays nothing and is no error. Each version of a file (its size, time stamps and
// identity) is read and checked once, and its bytes kept for the next clicks. The first click
// on a big file hands the read to a worker thread and returns at once; the sound plays when
// the check passes, unless another click came meanwhile. Returns whether a sound was started,
// or is being read to start. Call it on the UI thread.
bool PlayWave(const QString& file);

}  // namespace corvane
