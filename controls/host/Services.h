#pragma once

#include <string>
#include <string_view>

namespace corvane {

// What a control asks of its shell that only a platform has, beyond what its own shell
// interface covers: a button's hover timer, click sound and link reach its shell through
// ButtonInputHost and the link rule (ClassifyLink); the up-down box's paste reads this
// clipboard. Each shell implements it on its own (Qt's is in controls/host/qt/QtServices.h).

// The platform's clipboard, as text.
class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual std::u16string text() const = 0;
    virtual void setText(std::u16string_view text) = 0;
};

}  // namespace corvane
