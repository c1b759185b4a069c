#pragma once

#include "controls/host/Services.h"

namespace corvane {

// The host's services on Qt.

// The application's QClipboard.
class QtClipboard final : public Clipboard {
public:
    std::u16string text() const override;
    void setText(std::u16string_view text) override;
};

// The process's one, for controls that are given none.
Clipboard& ProcessClipboard();

}  // namespace corvane
