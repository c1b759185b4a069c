#pragma once

#include <string>

namespace corvane {

// A font as a control stores it: the attributes of a classic font object, by value.
struct FontValue {
    std::u16string name = u"MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int weight = 400;  // 100..900
    int charset = 0;

    friend bool operator==(const FontValue&, const FontValue&) = default;
};

// The weight a font is drawn with: Bold is the classic object's view of the weight, and wins
// where the two disagree (bold and a normal weight draws 700; not bold and a bold weight, 400).
constexpr int DrawnWeight(const FontValue& value) {
    int w = value.weight;
    if (value.bold && w < 700) {
        w = 700;
    }
    if (!value.bold && w >= 700) {
        w = 400;
    }
    return w < 1 ? 1 : (w > 1000 ? 1000 : w);
}

}  // namespace corvane
