#include "DemoFile.h"

#include <cstdio>
#include <string>

#include "Error.h"
#include "PatchMap.h"

namespace corvane {
namespace {

// A run of table fields that lie back to back in the file, moved with one transfer. The
// table's order is kept: a save writes the team block, then the Exhibition slot, then the
// font slot, which is fields 1 to 12 in order.
struct Block {
    const char* name;
    std::size_t first;
    std::size_t count;
    std::uint64_t offset;
    std::size_t width;
};

constexpr Block MakeBlock(const char* name, std::size_t first, std::size_t count) {
    Block block{name, first, count, kPatchMap[first].offset, 0};
    for (std::size_t i = first; i < first + count; ++i) {
        if (kPatchMap[i].offset != block.offset + block.width) {
            throw "the fields of a block must follow each other in the file";
        }
        block.width += kPatchMap[i].width;
    }
    return block;
}

constexpr Block kTeamBlock = MakeBlock("the team slots", kFirstTeamField, 4);
constexpr Block kExhibitionBlock =
    MakeBlock("the Exhibition colour slot", kFirstExhibitionField, 4);
constexpr Block kFontBlock = MakeBlock("the font colour slot", kFirstFontField, 4);
constexpr std::size_t kLargestBlock = 8;
static_assert(kTeamBlock.width <= kLargestBlock && kExhibitionBlock.width <= kLargestBlock &&
              kFontBlock.width <= kLargestBlock);
static_assert(kTeamBlock.first + kTeamBlock.count == kExhibitionBlock.first &&
                  kExhibitionBlock.first + kExhibitionBlock.count == kFontBlock.first &&
                  kFontBlock.first + kFontBlock.count == kPatchMap.size(),
              "the three blocks cover the table in its order");

// The stretch of the file from the lowest to the highest byte a save writes. A save reads it
// in one transfer before it writes, so that it can put the replaced bytes back.
constexpr Block kPatchedSpan = [] {
    Block span{"the patched bytes", 0, kPatchMap.size(), kPatchMap[0].offset, 0};
    std::uint64_t end = 0;
    for (const auto& f : kPatchMap) {
        span.offset = f.offset < span.offset ? f.offset : span.offset;
        end = f.offset + f.width > end ? f.offset + f.width : end;
    }
    span.width = static_cast<std::size_t>(end - span.offset);
    return span;
}();
static_assert(kPatchedSpan.width == 3420, "small enough for the stack");

constexpr std::uint8_t ColourSlot::*kComponents[4] = {&ColourSlot::red, &ColourSlot::green,
                                                      &ColourSlot::blue, &ColourSlot::transparency};

template <typename Values>
auto& ColourByteOf(Values& values, std::size_t field) {
    auto& slot = field < kFirstFontField ? values.exhibition : values.font;
    const std::size_t first = field < kFirstFontField ? kFirstExhibitionField : kFirstFontField;
    return slot.*kComponents[field - first];
}

// Field `field` of the values in its stored form: team IDs little-endian two's complement.
void EncodeField(const PatchValues& values, std::size_t field, std::uint8_t* out) {
    if (kPatchMap[field].kind == FieldKind::TeamId) {
        const auto id = static_cast<std::uint16_t>(values.teams[field - kFirstTeamField]);
        out[0] = static_cast<std::uint8_t>(id & 0xFFu);
        out[1] = static_cast<std::uint8_t>(id >> 8);
    } else {
        out[0] = ColourByteOf(values, field);
    }
}

void DecodeField(const std::uint8_t* in, std::size_t field, PatchValues& values) {
    if (kPatchMap[field].kind == FieldKind::TeamId) {
        const auto id = static_cast<std::uint16_t>(in[0] | (in[1] << 8));
        values.teams[field - kFirstTeamField] = static_cast<std::int16_t>(id);
    } else {
        ColourByteOf(values, field) = in[0];
    }
}

std::string Hex(std::uint64_t offset) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(offset));
    return text;
}

// One opening of the demo file. The destructor closes a file that an error leaves open; the
// error itself has already been worded by then, so the cause it reports is the first one.
class DemoFile {
public:
    DemoFile(const std::filesystem::path& path, FileOps& ops)
        : path_(path), ops_(ops), handle_(ops.open(path)) {}
    DemoFile(const DemoFile&) = delete;
    DemoFile& operator=(const DemoFile&) = delete;
    ~DemoFile() {
        if (open_) {
            ops_.close(handle_);
        }
    }

    void CheckSize() {
        std::uint64_t size = 0;
        try {
            size = ops_.size(handle_);
        } catch (const Error& e) {
            throw Error("Cannot open " + PathText(path_) + ": " + e.what());
        }
        if (size < kMinimumFileSize) {
            throw Error(PathText(path_) + " is too short: it has " + std::to_string(size) +
                        " bytes, a demo executable needs at least " +
                        std::to_string(kMinimumFileSize));
        }
    }

    void Read(const Block& block, std::uint8_t* buffer) {
        std::size_t done = 0;
        while (done < block.width) {
            const std::int64_t got =
                ops_.pread(handle_, buffer + done, block.width - done, block.offset + done);
            if (got < 0) {
                Fail("Cannot read", block, ops_.lastErrorMessage());
            }
            if (got == 0) {
                Fail("Cannot read", block, "the file ended before it");
            }
            if (static_cast<std::uint64_t>(got) > block.width - done) {
                Fail("Cannot read", block, "the system reported more bytes than were asked for");
            }
            done += static_cast<std::size_t>(got);
        }
    }

    void Write(const Block& block, const std::uint8_t* buffer) {
        std::size_t done = 0;
        while (done < block.width) {
            const std::int64_t put =
                ops_.pwrite(handle_, buffer + done, block.width - done, block.offset + done);
            if (put < 0) {
                Fail("Cannot write", block, ops_.lastErrorMessage());
            }
            if (put == 0) {
                Fail("Cannot write", block, "the system wrote nothing");
            }
            if (static_cast<std::uint64_t>(put) > block.width - done) {
                Fail("Cannot write", block, "the system reported more bytes than were given");
            }
            done += static_cast<std::size_t>(put);
        }
    }

    void Sync() {
        if (!ops_.sync(handle_)) {
            throw Error("Cannot save " + PathText(path_) +
                        " to the disk: " + ops_.lastErrorMessage());
        }
    }

    // After a failed save: writes the bytes the save replaced back and syncs them. Nothing
    // here throws; the result says how far it got. `original` holds kPatchedSpan as it was
    // before the save.
    enum class Restored { Synced, Written, No };
    Restored Restore(const Block* const (&blocks)[3], const std::uint8_t* original) {
        try {
            for (const Block* block : blocks) {
                Write(*block, original + (block->offset - kPatchedSpan.offset));
            }
        } catch (const Error&) {
            return Restored::No;
        }
        return ops_.sync(handle_) ? Restored::Synced : Restored::Written;
    }

    void Close() {
        open_ = false;  // a failed close has released the handle too
        if (!ops_.close(handle_)) {
            throw Error("Cannot close " + PathText(path_) + ": " + ops_.lastErrorMessage());
        }
    }

private:
    [[noreturn]] void Fail(const char* what, const Block& block, const std::string& cause) {
        throw Error(std::string(what) + " " + block.name + " of " + PathText(path_) +
                    " at offset " + Hex(block.offset) + ": " + cause);
    }

    const std::filesystem::path& path_;
    FileOps& ops_;
    FileOps::Handle handle_;
    bool open_ = true;
};

PatchValues ReadBlock(const std::filesystem::path& path, const Block& block, FileOps& ops) {
    DemoFile file(path, ops);
    file.CheckSize();
    std::uint8_t bytes[kLargestBlock];
    file.Read(block, bytes);
    file.Close();
    PatchValues values;
    for (std::size_t i = block.first; i < block.first + block.count; ++i) {
        DecodeField(bytes + (kPatchMap[i].offset - block.offset), i, values);
    }
    return values;
}

}  // namespace

std::array<std::int16_t, 4> ReadTeamSlots(const std::filesystem::path& path, FileOps& ops) {
    return ReadBlock(path, kTeamBlock, ops).teams;
}

ColourSlot ReadColourSlot(const std::filesystem::path& path, ColourSlotId which, FileOps& ops) {
    if (which == ColourSlotId::Exhibition) {
        return ReadBlock(path, kExhibitionBlock, ops).exhibition;
    }
    return ReadBlock(path, kFontBlock, ops).font;
}

void WritePatch(const std::filesystem::path& path, const PatchValues& values, FileOps& ops) {
    // Everything is encoded before the file is opened, so nothing can fail half-way but the
    // system calls themselves.
    std::uint8_t bytes[3][kLargestBlock];
    const Block* blocks[3] = {&kTeamBlock, &kExhibitionBlock, &kFontBlock};
    for (int b = 0; b < 3; ++b) {
        for (std::size_t i = blocks[b]->first; i < blocks[b]->first + blocks[b]->count; ++i) {
            EncodeField(values, i, bytes[b] + (kPatchMap[i].offset - blocks[b]->offset));
        }
    }
    DemoFile file(path, ops);
    file.CheckSize();
    // The bytes this save replaces, read in the same opening, so that a save failing part-way
    // (a full disk, a failed sync) can put them back instead of leaving a half-patched file.
    // One read of the whole stretch costs less than three small ones.
    std::uint8_t original[kPatchedSpan.width];
    file.Read(kPatchedSpan, original);
    try {
        for (int b = 0; b < 3; ++b) {
            file.Write(*blocks[b], bytes[b]);
        }
        file.Sync();
    } catch (const Error& e) {
        switch (file.Restore(blocks, original)) {
            case DemoFile::Restored::Synced:
                throw Error(std::string(e.what()) + "; the original bytes were put back");
            case DemoFile::Restored::Written:
                throw Error(std::string(e.what()) +
                            "; the original bytes were put back, but the disk did not confirm "
                            "them");
            case DemoFile::Restored::No:
                break;
        }
        throw Error(std::string(e.what()) + "; the file may be partly written");
    }
    file.Close();
}

PatchValues ReadPatch(const std::filesystem::path& path, FileOps& ops) {
    // Three openings, as the open command makes them; nothing is returned unless all succeed.
    PatchValues values;
    values.teams = ReadTeamSlots(path, ops);
    values.exhibition = ReadColourSlot(path, ColourSlotId::Exhibition, ops);
    values.font = ReadColourSlot(path, ColourSlotId::Font, ops);
    return values;
}

}  // namespace corvane
