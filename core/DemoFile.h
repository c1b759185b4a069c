#pragma once

#include <array>
#include <cstdint>
#include <filesystem>

#include "FileOps.h"
#include "PatchValues.h"

namespace corvane {

// Each operation opens the file itself, works at the absolute offsets of kPatchMap and closes
// the file before it returns. A file shorter than kMinimumFileSize is refused by all three;
// a write never creates, extends or truncates a file and reports success only after the data
// has been synced to the disk and the file closed cleanly. When a write or the sync fails,
// the bytes the save replaced are written back and the message says whether that worked.
// Failures throw corvane::Error.
std::array<std::int16_t, 4> ReadTeamSlots(const std::filesystem::path& path,
                                          FileOps& ops = SystemFileOps());
ColourSlot ReadColourSlot(const std::filesystem::path& path, ColourSlotId which,
                          FileOps& ops = SystemFileOps());
void WritePatch(const std::filesystem::path& path, const PatchValues& values,
                FileOps& ops = SystemFileOps());

// The open command's three reads in one call, all-or-nothing.
PatchValues ReadPatch(const std::filesystem::path& path, FileOps& ops = SystemFileOps());

}  // namespace corvane
