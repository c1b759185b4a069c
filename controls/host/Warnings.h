#pragma once

#include <string_view>

namespace corvane {

// Where the engine's warnings go (a stored value refused, and the like): a shell routes them
// to its own log. Until one does, they go to standard error.
using WarningSink = void (*)(std::string_view message);

// Sets the sink; null restores standard error. Returns the sink it replaces.
WarningSink SetWarningSink(WarningSink sink);
void Warn(std::string_view message);

}  // namespace corvane
