#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "controls/host/SoundCache.h"
#include "controls/host/WaveFormat.h"  // kMaxSoundFileBytes

namespace corvane::win32 {

// Where a sound path as the controls store it (".\resources\click.wav") is found on Windows,
// and reading it for the player. The rule is the Linux shell's (SoundFiles in host/qt/): "\"
// and "/" both separate folders, a relative path is tried against each folder in turn, an
// absolute one is only checked.

// The folders a relative sound path is tried against, in this order: the working folder of
// the moment, the program's own folder.
std::vector<std::wstring> SoundFolders();

// The first of `folders` under which `file` names an existing regular file, as a full path;
// an absolute `file` is only checked. The empty text when there is none.
std::wstring FindSoundFile(std::wstring_view file, const std::vector<std::wstring>& folders);

// A checked wave's bytes, shared between the cache and the sound playing them.
struct WaveBytes {
    std::shared_ptr<const std::string> bytes;
    std::size_t size() const { return bytes ? bytes->size() : 0; }
};

// The contents of the regular file at `path` when it holds at most kMaxSoundFileBytes of a
// wave the player can play (IsPlayableWave); nothing otherwise. Never waits on a device or a
// pipe. What was found is kept per version of the file in `cache`, so a click on an unchanged
// file only asks for its version.
std::optional<WaveBytes> ReadPlayableWave(const std::wstring& path, SoundCache<WaveBytes>& cache);

}  // namespace corvane::win32
