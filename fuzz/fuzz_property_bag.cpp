// The stored property set's text form read back from arbitrary input: never crash; whatever
// is accepted survives a second round trip unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <string>
#include <string_view>

#include "controls/host/PropertyBag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvane::PropertyBag bag;
    std::string error;
    if (!bag.fromText(text, &error)) {
        if (!bag.isEmpty() || error.isEmpty()) {
            std::abort();  // a refused text leaves the bag empty and says why
        }
        return 0;
    }
    const std::string once = bag.toText();
    corvane::PropertyBag again;
    if (!again.fromText(once, &error) || again.keys() != bag.keys() || again.toText() != once) {
        std::abort();
    }
    return 0;
}
