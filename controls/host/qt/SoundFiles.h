#pragma once

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>

#include <optional>

#include "controls/host/WaveFormat.h"  // kMaxSoundFileBytes

namespace corvane {

// Where a sound path as the controls store it (".\resources\click.wav") is found, and reading
// it for the player.

// `file` made absolute against `folder`: "\" and "/" both separate folders, and an absolute
// path stays as it is (".\resources\click.wav" -> folder/resources/click.wav). An empty path
// stays empty.
QString ResolveSoundPath(const QString& file, const QDir& folder);

// The folders a relative sound path is tried against, in this order: the working folder of
// the moment, the installed data folder, the program's own folder.
QList<QDir> SoundFolders();

// The first of `folders` under which `file` names an existing file, as an absolute path; an
// absolute `file` is only checked. The empty text when there is none.
QString FindSoundFile(const QString& file, const QList<QDir>& folders);

// The contents of the file at `path` when it is a regular file of at most kMaxSoundFileBytes
// holding a wave the player can play (IsPlayableWave); otherwise nothing. Never waits on a
// FIFO or a device put in the file's place.
std::optional<QByteArray> ReadPlayableWave(const QString& path);

}  // namespace corvane
