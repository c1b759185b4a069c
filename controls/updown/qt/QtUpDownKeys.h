#pragma once

#include "controls/updown/UpDownKeys.h"

class QKeyEvent;

namespace corvane {

// A Qt key press as the up-down box's rules take it; the platform's shortcut bindings are
// Qt's to know.
UpDownKeyPress UpDownKeyOf(const QKeyEvent& e);

}  // namespace corvane
