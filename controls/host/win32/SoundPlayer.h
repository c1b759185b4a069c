#pragma once

#include <string_view>

namespace corvane::win32 {

// Plays the wave file a control names (SoundClick: ".\resources\click.wav"), found and checked
// as SoundFiles.h says, with PlaySoundW from memory, without waiting for it. A new sound
// replaces the one playing. A file found nowhere, or no wave the check accepts, plays nothing.
// Returns whether a sound started. UI thread only.
bool PlayWave(std::u16string_view file);

// Stops the sound playing, if any (also done when the program ends).
void StopWave();

}  // namespace corvane::win32
