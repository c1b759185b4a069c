// The stored property set's text form read back from arbitrary input: never crash; whatever
// is accepted survives a second round trip unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "controls/host/PropertyBag.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    corvane::PropertyBag bag;
    QString error;
    if (!bag.fromText(text, &error)) {
        if (!bag.isEmpty() || error.isEmpty()) {
            std::abort();  // a refused text leaves the bag empty and says why
        }
        return 0;
    }
    const QString once = bag.toText();
    corvane::PropertyBag again;
    if (!again.fromText(once, &error) || again.keys() != bag.keys() || again.toText() != once) {
        std::abort();
    }
    return 0;
}
