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

}  // namespace corvane
