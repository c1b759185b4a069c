#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>

#include "core/FileOps.h"
#include "core/PatchValues.h"

namespace corvane {

// Each operation opens the file itself, locks it (shared to read, exclusive to write, refusing
// at once a file locked elsewhere), works at the absolute offsets of kPatchMap and closes the
// file before it returns. Reading opens the file for reading only. A file shorter than
// kMinimumFileSize is refused by all of them. A write never creates or truncates a file, and
// reports success only after the data has been synced to the disk, the file's size found
// unchanged, its path found still leading to it and the file closed cleanly. When a write or
// the sync fails, or another program changes the file's size or replaces it meanwhile, the
// bytes the save replaced are written back, in the reverse order of the writes, where the file
// still reaches, read back, and the message says what the file holds. Failures throw
// corvane::Error.
std::array<std::int16_t, 4> ReadTeamSlots(const std::filesystem::path& path,
                                          FileOps& ops = SystemFileOps());
ColourSlot ReadColourSlot(const std::filesystem::path& path, ColourSlotId which,
                          FileOps& ops = SystemFileOps());
void WritePatch(const std::filesystem::path& path, const PatchValues& values,
                FileOps& ops = SystemFileOps());

// The open command's reads: all twelve fields in one opening under one lock, so that a save
// by another program cannot fall between them; all-or-nothing.
PatchValues ReadPatch(const std::filesystem::path& path, FileOps& ops = SystemFileOps());

// Reads the twelve values and saves them as `edit` leaves them, in one opening under the
// exclusive lock, so that no other save can fall between the read and the write. `edit` runs
// before anything is written; should it throw, nothing is.
void UpdatePatch(const std::filesystem::path& path, const std::function<void(PatchValues&)>& edit,
                 FileOps& ops = SystemFileOps());

}  // namespace corvane
