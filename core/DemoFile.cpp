#include "core/DemoFile.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>
#include <string>

#include "core/Error.h"
#include "core/PatchMap.h"

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

// The blocks in the order a save writes them, each by its name.
enum BlockIndex : std::size_t { kTeamsAt, kExhibitionAt, kFontAt, kBlockCount };
constexpr const Block* kBlocks[kBlockCount] = {&kTeamBlock, &kExhibitionBlock, &kFontBlock};

constexpr std::size_t InSpan(const Block& block) {
    return static_cast<std::size_t>(block.offset - kPatchedSpan.offset);
}

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
    DemoFile(const std::filesystem::path& path, FileOps& ops, FileOps::Access access)
        : m_path(path), m_ops(ops), m_handle(ops.open(path, access)) {}
    DemoFile(const DemoFile&) = delete;
    DemoFile& operator=(const DemoFile&) = delete;
    ~DemoFile() {
        if (m_open) {
            m_ops.close(m_handle);
        }
    }

    std::uint64_t CheckSize() {
        std::uint64_t size = 0;
        try {
            size = m_ops.size(m_handle);
        } catch (const Error& e) {
            throw Error("Cannot open " + PathText(m_path) + ": " + e.what());
        }
        if (size < kMinimumFileSize) {
            throw Error(PathText(m_path) + " is too short: it has " + std::to_string(size) +
                        " bytes, a demo executable needs at least " +
                        std::to_string(kMinimumFileSize));
        }
        return size;
    }

    // A write cannot be told not to extend a file, so one that another program has shortened
    // meanwhile grows again. The save looks at the size after its first write and after the
    // sync, and counts any change as a failure.
    void CheckSizeUnchanged(std::uint64_t before) {
        std::uint64_t now = 0;
        try {
            now = m_ops.size(m_handle);
        } catch (const Error& e) {
            throw Error("Cannot save " + PathText(m_path) + ": " + e.what());
        }
        if (now != before) {
            throw Error("Cannot save " + PathText(m_path) +
                        ": another program changed its size during the save, from " +
                        std::to_string(before) + " to " + std::to_string(now) + " bytes");
        }
    }

    void Read(const Block& block, std::uint8_t* buffer) {
        std::size_t done = 0;
        while (done < block.width) {
            const std::int64_t got =
                m_ops.pread(m_handle, buffer + done, block.width - done, block.offset + done);
            if (got < 0) {
                Fail("Cannot read", block, m_ops.lastErrorMessage());
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

    // `landed` is set once any byte of the block has reached the file.
    void Write(const Block& block, const std::uint8_t* buffer, bool* landed = nullptr) {
        std::size_t done = 0;
        while (done < block.width) {
            const std::int64_t put =
                m_ops.pwrite(m_handle, buffer + done, block.width - done, block.offset + done);
            if (put < 0) {
                Fail("Cannot write", block, m_ops.lastErrorMessage());
            }
            if (put == 0) {
                Fail("Cannot write", block, "the system wrote nothing");
            }
            if (static_cast<std::uint64_t>(put) > block.width - done) {
                Fail("Cannot write", block, "the system reported more bytes than were given");
            }
            done += static_cast<std::size_t>(put);
            if (landed != nullptr) {
                *landed = true;
            }
        }
    }

    void Sync() {
        if (!m_ops.sync(m_handle)) {
            throw Error("Cannot save " + PathText(m_path) +
                        " to the disk: " + m_ops.lastErrorMessage());
        }
    }

    // A save whose path no longer leads to the file it wrote (another program renamed a file
    // over it, or removed it) has not saved anything where the user will look.
    void CheckStillNamed() {
        if (!m_ops.isNamedBy(m_handle, m_path)) {
            throw Error("Cannot save " + PathText(m_path) +
                        ": another program replaced or removed the file during the save");
        }
    }

    // After a failed save: writes back the bytes of the first `touched` blocks (the ones the
    // save may have changed; `landed` tells those it did change) as `original` holds them,
    // last block first, reads them back and syncs. Putting them back in the reverse order of
    // the writes means a crash at any moment leaves a state the save itself passes through: the
    // first blocks new and the rest old. Nothing is written past the end of a file that another
    // program has shortened: that would extend it again, and nothing of the save is left
    // there. Nothing here throws; the result, worded for the end of the message, says what
    // the file holds.
    std::string Restore(std::size_t touched, const bool* landed, const std::uint8_t* original) {
        static constexpr char kPartly[] = "; the file may be partly written";
        std::uint64_t end = 0;
        try {
            end = m_ops.size(m_handle);
        } catch (const Error&) {
            return kPartly;
        }
        // The part of each touched block that the file still reaches.
        Block parts[kBlockCount] = {};
        bool any = false;
        bool putBack = false;  // a block that the save changed was written back
        for (std::size_t b = touched; b-- > 0;) {
            parts[b] = *kBlocks[b];
            if (parts[b].offset >= end) {
                parts[b].width = 0;
            } else if (end - parts[b].offset < parts[b].width) {
                parts[b].width = static_cast<std::size_t>(end - parts[b].offset);
            }
            if (parts[b].width > 0) {
                any = true;
                try {
                    Write(parts[b], original + InSpan(parts[b]));
                    putBack = putBack || landed[b];
                } catch (const Error&) {
                    // the read-back tells whether it mattered
                }
            }
        }
        if (!any) {
            return "; nothing it wrote is left in the file";
        }
        // Only the bytes the file holds now tell whether it is whole: a write that failed may
        // have changed nothing (a full disk under a hole in the file).
        std::uint8_t now[kPatchedSpan.width];
        try {
            Block readBack = kPatchedSpan;
            if (end - readBack.offset < readBack.width) {
                readBack.width = static_cast<std::size_t>(end - readBack.offset);
            }
            Read(readBack, now);
        } catch (const Error&) {
            return kPartly;
        }
        for (std::size_t b = 0; b < touched; ++b) {
            if (std::memcmp(now + InSpan(parts[b]), original + InSpan(parts[b]), parts[b].width) !=
                0) {
                return kPartly;
            }
        }
        const std::string held = putBack ? "; the original bytes were put back"
                                         : "; the file still holds its original bytes";
        return m_ops.sync(m_handle) ? held : held + ", but the disk did not confirm them";
    }

    // `synced`: the data of a save reached the disk before, which a failed close does not undo.
    void Close(bool synced = false) {
        m_open = false;  // a failed close has released the handle too
        if (!m_ops.close(m_handle)) {
            throw Error("Cannot close " + PathText(m_path) + ": " + m_ops.lastErrorMessage() +
                        (synced ? "; the new values had reached the disk before" : ""));
        }
    }

private:
    [[noreturn]] void Fail(const char* what, const Block& block, const std::string& cause) {
        throw Error(std::string(what) + " " + block.name + " of " + PathText(m_path) +
                    " at offset " + Hex(block.offset) + ": " + cause);
    }

    const std::filesystem::path& m_path;
    FileOps& m_ops;
    FileOps::Handle m_handle;
    bool m_open = true;
};

// Reads the blocks named, in one opening.
PatchValues ReadBlocks(const std::filesystem::path& path, std::initializer_list<BlockIndex> which,
                       FileOps& ops) {
    DemoFile file(path, ops, FileOps::Access::Read);
    file.CheckSize();
    PatchValues values;
    for (const BlockIndex b : which) {
        const Block& block = *kBlocks[b];
        std::uint8_t bytes[kLargestBlock];
        file.Read(block, bytes);
        for (std::size_t i = block.first; i < block.first + block.count; ++i) {
            DecodeField(bytes + (kPatchMap[i].offset - block.offset), i, values);
        }
    }
    file.Close();
    return values;
}

}  // namespace

std::array<std::int16_t, 4> ReadTeamSlots(const std::filesystem::path& path, FileOps& ops) {
    return ReadBlocks(path, {kTeamsAt}, ops).teams;
}

ColourSlot ReadColourSlot(const std::filesystem::path& path, ColourSlotId which, FileOps& ops) {
    if (which == ColourSlotId::Exhibition) {
        return ReadBlocks(path, {kExhibitionAt}, ops).exhibition;
    }
    return ReadBlocks(path, {kFontAt}, ops).font;
}

PatchValues ReadPatch(const std::filesystem::path& path, FileOps& ops) {
    return ReadBlocks(path, {kTeamsAt, kExhibitionAt, kFontAt}, ops);
}

void UpdatePatch(const std::filesystem::path& path, const std::function<void(PatchValues&)>& edit,
                 FileOps& ops) {
    DemoFile file(path, ops, FileOps::Access::ReadWrite);
    const std::uint64_t size = file.CheckSize();
    // The stretch from the first to the last byte a save writes, in one read: it holds the
    // current values, and a save failing part-way (a full disk, a failed sync) puts its bytes
    // back instead of leaving a half-patched file. One read costs less than three.
    std::uint8_t original[kPatchedSpan.width];
    file.Read(kPatchedSpan, original);
    PatchValues values;
    for (std::size_t i = 0; i < kPatchMap.size(); ++i) {
        DecodeField(original + (kPatchMap[i].offset - kPatchedSpan.offset), i, values);
    }
    edit(values);
    std::uint8_t bytes[kBlockCount][kLargestBlock];
    for (std::size_t b = 0; b < kBlockCount; ++b) {
        for (std::size_t i = kBlocks[b]->first; i < kBlocks[b]->first + kBlocks[b]->count; ++i) {
            EncodeField(values, i, bytes[b] + (kPatchMap[i].offset - kBlocks[b]->offset));
        }
    }
    std::size_t touched = 0;
    bool landed[kBlockCount] = {};
    try {
        for (std::size_t b = 0; b < kBlockCount; ++b) {
            ++touched;
            file.Write(*kBlocks[b], bytes[b], &landed[b]);
            // The Exhibition slot ends where a file of the minimum size ends, so writing it
            // could give a file shortened before the first write its old size back. The team
            // slots end well before: looking after them sees such a change first.
            if (b == kTeamsAt) {
                file.CheckSizeUnchanged(size);
            }
        }
        file.Sync();
        file.CheckSizeUnchanged(size);
        file.CheckStillNamed();
    } catch (const Error& e) {
        throw Error(e.what() + file.Restore(touched, landed, original));
    }
    file.Close(true);
}

void WritePatch(const std::filesystem::path& path, const PatchValues& values, FileOps& ops) {
    // The values are complete before the file is opened, so nothing can fail half-way but the
    // system calls themselves.
    UpdatePatch(
        path, [&values](PatchValues& current) { current = values; }, ops);
}

}  // namespace corvane
