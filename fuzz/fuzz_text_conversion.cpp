// The save command's text rules on arbitrary input: never crash, and an accepted text gives a
// value in range that reads back as itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "core/Error.h"
#include "core/TextConversion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const std::int16_t id = corvane::TextToTeamId(text, "team 1");
        if (corvane::TextToTeamId(std::to_string(id), "team 1") != id) {
            std::abort();
        }
    } catch (const corvane::Error& e) {
        if (std::string_view(e.what()).find("team 1") == std::string_view::npos) {
            std::abort();  // every rejection names its field
        }
    }
    try {
        const std::uint8_t c = corvane::TextToComponent(text, "font red");
        if (corvane::TextToComponent(std::to_string(c), "font red") != c) {
            std::abort();
        }
    } catch (const corvane::Error& e) {
        if (std::string_view(e.what()).find("font red") == std::string_view::npos) {
            std::abort();
        }
    }
    return 0;
}
