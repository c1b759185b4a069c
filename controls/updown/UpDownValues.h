#pragma once

namespace corvane {

// ucUpDownBox's integer properties by name. The properties themselves stay integers, as a
// stored set holds them; a setter ignores a number that names no value here.

// Alignment: where the number stands in the field.
enum class BoxAlignment : int { Left = 0, Right = 1, Centre = 2 };

// BorderStyle.
enum class BoxBorder : int {
    None = 0,
    FixedSingle = 1,  // a one-pixel single-line frame
};

constexpr bool IsBoxAlignment(int value) {
    return value >= static_cast<int>(BoxAlignment::Left) &&
           value <= static_cast<int>(BoxAlignment::Centre);
}
constexpr bool IsBoxBorder(int value) {
    return value == static_cast<int>(BoxBorder::None) ||
           value == static_cast<int>(BoxBorder::FixedSingle);
}

}  // namespace corvane
