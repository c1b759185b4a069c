#pragma once

#include "controls/host/Services.h"

namespace corvane::win32 {

// The Windows clipboard as text (CF_UNICODETEXT). Another program may hold the clipboard open
// for a moment, so opening it is tried a few times before the read gives the empty text (or
// the write gives up).
class Win32Clipboard : public Clipboard {
public:
    std::u16string text() const override;
    void setText(std::u16string_view text) override;
};

}  // namespace corvane::win32
