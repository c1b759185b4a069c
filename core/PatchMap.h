#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace corvane {

enum class FieldKind { TeamId, ColourByte };

struct PatchField {
    std::string_view name;
    std::uint64_t offset;  // absolute, zero-based
    std::uint32_t width;   // bytes
    FieldKind kind;
};

// The twelve fields in the order a save writes them.
inline constexpr std::array<PatchField, 12> kPatchMap{{
    {"team slot 1", 0x11A6814, 2, FieldKind::TeamId},
    {"team slot 2", 0x11A6816, 2, FieldKind::TeamId},
    {"team slot 3", 0x11A6818, 2, FieldKind::TeamId},
    {"team slot 4", 0x11A681A, 2, FieldKind::TeamId},
    {"Exhibition colour red", 0x11A756C, 1, FieldKind::ColourByte},
    {"Exhibition colour green", 0x11A756D, 1, FieldKind::ColourByte},
    {"Exhibition colour blue", 0x11A756E, 1, FieldKind::ColourByte},
    {"Exhibition colour transparency", 0x11A756F, 1, FieldKind::ColourByte},
    {"font colour red", 0x11A7538, 1, FieldKind::ColourByte},
    {"font colour green", 0x11A7539, 1, FieldKind::ColourByte},
    {"font colour blue", 0x11A753A, 1, FieldKind::ColourByte},
    {"font colour transparency", 0x11A753B, 1, FieldKind::ColourByte},
}};

inline constexpr std::size_t kFirstTeamField = 0;
inline constexpr std::size_t kFirstExhibitionField = 4;
inline constexpr std::size_t kFirstFontField = 8;

// One past the highest byte any field touches: a shorter file cannot be a demo executable.
inline constexpr std::uint64_t kMinimumFileSize = [] {
    std::uint64_t end = 0;
    for (const auto& f : kPatchMap) {
        end = f.offset + f.width > end ? f.offset + f.width : end;
    }
    return end;
}();
static_assert(kMinimumFileSize == 18511216);

}  // namespace corvane
