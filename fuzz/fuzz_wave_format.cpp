// The wave check on arbitrary bytes: never crash, and what it accepts holds its whole RIFF
// block, whatever follows the block, while any cut into the block is refused.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "controls/host/WaveFormat.h"

namespace {

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!corvane::IsPlayableWave(bytes)) {
        return 0;
    }
    Check(size >= 12 && std::memcmp(data, "RIFF", 4) == 0 && std::memcmp(data + 8, "WAVE", 4) == 0);
    const std::uint32_t riff =
        static_cast<std::uint32_t>(data[4]) | static_cast<std::uint32_t>(data[5]) << 8 |
        static_cast<std::uint32_t>(data[6]) << 16 | static_cast<std::uint32_t>(data[7]) << 24;
    const std::size_t end = std::size_t{8} + riff;
    Check(end <= size);
    // Bytes after the block do not matter; a file cut inside it is refused.
    Check(corvane::IsPlayableWave(bytes + "trailing"));
    Check(!corvane::IsPlayableWave(bytes.substr(0, end - 1)));
    return 0;
}
