#include "controls/host/Warnings.h"

#include <cstdio>

namespace corvane {

namespace {

void ToStandardError(std::string_view message) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

WarningSink g_sink = ToStandardError;

}  // namespace

WarningSink SetWarningSink(WarningSink sink) {
    const WarningSink before = g_sink;
    g_sink = sink ? sink : ToStandardError;
    return before;
}

void Warn(std::string_view message) {
    g_sink(message);
}

}  // namespace corvane
