#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "controls/host/FontValue.h"
#include "controls/host/Picture.h"

namespace corvane {

// A colour value as a control stores it: 0x00BBGGRR, or 0x800000nn for system colour nn.
struct OleColour {
    std::uint32_t value = 0;
    friend bool operator==(const OleColour&, const OleColour&) = default;
};

// A stored value. Text is UTF-16, as the drawing layer, QString and the wide Windows API take
// it, so that only the text form converts. A whole number of the text form above the signed
// 32-bit range (a colour written as a plain number) is kept unsigned.
using PropertyValue =
    std::variant<std::int32_t, std::uint32_t, bool, OleColour, std::u16string, FontValue, Picture>;

// What the text form needs of a shell for a picture's pixels: PNG bytes both ways.
class PictureCodec {
public:
    virtual ~PictureCodec() = default;
    // `opaque` for a bitmap, whose alpha is not written.
    virtual std::string encodePng(const Image& image, bool opaque) const = 0;
    // Empty when the bytes are no PNG the codec can read.
    virtual std::optional<Image> decodePng(std::string_view bytes) const = 0;
};

// The host's store of a control's settings. Keys match without regard to (ASCII) case and are
// kept in lower case; a value equal to its default is not stored.
class PropertyBag {
public:
    // The stored value converted to the type of `def`, or `def` when the key is absent or the
    // stored value cannot be converted.
    PropertyValue read(std::string_view key, const PropertyValue& def) const;
    // Stores `value` under `key`, or removes the key when `value` equals `def`.
    void write(std::string_view key, const PropertyValue& value, const PropertyValue& def);
    // Stores `value` under `key` whatever it is.
    void write(std::string_view key, const PropertyValue& value);

    template <typename T>
    T readAs(std::string_view key, const T& def) const {
        return std::get<T>(read(key, PropertyValue(def)));
    }

    bool contains(std::string_view key) const;
    std::vector<std::string> keys() const;  // lower case, in the order they were first written
    bool isEmpty() const { return m_items.empty(); }
    void clear() { m_items.clear(); }

    // Text form (JSON, UTF-8). Plain values map to JSON numbers, booleans and strings;
    // colours, fonts and pictures to tagged objects ({"colour": n}, {"font": {...}},
    // {"picture": {...}}). A picture's pixels are written as PNG through `codec`; without one
    // they are left out.
    std::string toText(const PictureCodec* codec = nullptr) const;
    // Parses a text form. On failure returns false, leaves the bag empty and, when `error` is
    // given, says what is wrong and where. A picture with pixels needs `codec`.
    bool fromText(std::string_view text, std::string* error = nullptr,
                  const PictureCodec* codec = nullptr);

    static bool sameValue(const PropertyValue& a, const PropertyValue& b);
    // The stored value as `def`'s type, if it converts.
    static std::optional<PropertyValue> convert(const PropertyValue& stored,
                                                const PropertyValue& def);
    static std::string lowerKey(std::string_view key);

private:
    std::vector<std::pair<std::string, PropertyValue>> m_items;
};

}  // namespace corvane
