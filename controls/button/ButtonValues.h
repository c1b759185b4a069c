#pragma once

#include <cstdint>

namespace corvane {

// Button_XP's integer properties by name. The properties themselves stay integers: a stored
// set holds the number, and any number may be set (an unknown one draws as its rules say).

// ButtonStyle.
enum class FaceStyle : std::int32_t {
    Raised = 0,     // a raised border, sunk while pressed
    Flat = 1,       // a border only while hovered or pressed
    Highlight = 2,  // a coloured face while hovered or pressed
    XP = 3,         // the XP look, with its own window shape
    NoBorder = 4,
};

// PicturePosition: where the picture stands against the caption.
enum class PictureSide : std::int32_t { Above = 0, Left = 1, Right = 2, Below = 3 };

// PictureSize: the drawn size its setter chooses.
enum class PictureSizing : std::int32_t {
    Small = 0,    // 16 x 16
    Large = 1,    // 32 x 32
    Natural = 2,  // the picture's own size
};

// MousePointer: 1 to 15 are the classic pointer shapes, any other number but Custom the
// default pointer.
enum class PointerShape : std::int16_t {
    Default = 0,
    Custom = 99,  // MouseIcon, when there is one
};

constexpr FaceStyle AsFaceStyle(std::int32_t value) {
    return static_cast<FaceStyle>(value);
}
constexpr PictureSide AsPictureSide(std::int32_t value) {
    return static_cast<PictureSide>(value);
}
constexpr PictureSizing AsPictureSizing(std::int32_t value) {
    return static_cast<PictureSizing>(value);
}

}  // namespace corvane
