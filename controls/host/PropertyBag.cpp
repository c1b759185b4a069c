#include "controls/host/PropertyBag.h"

#include <algorithm>
#include <limits>

namespace corvane {

namespace {

// A whole number of any stored kind, widened.
std::optional<std::int64_t> wholeNumber(const PropertyValue& v) {
    if (const auto* n = std::get_if<std::int32_t>(&v)) {
        return *n;
    }
    if (const auto* n = std::get_if<std::uint32_t>(&v)) {
        return *n;
    }
    if (const auto* b = std::get_if<bool>(&v)) {
        return *b ? 1 : 0;
    }
    return std::nullopt;
}

std::u16string decimal(std::int64_t n) {
    const std::string s = std::to_string(n);
    return {s.begin(), s.end()};
}

}  // namespace

std::string PropertyBag::lowerKey(std::string_view key) {
    std::string k(key);
    for (char& c : k) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return k;
}

std::optional<PropertyValue> PropertyBag::convert(const PropertyValue& stored,
                                                  const PropertyValue& def) {
    if (stored.index() == def.index()) {
        return stored;
    }
    const std::optional<std::int64_t> n = wholeNumber(stored);
    if (std::holds_alternative<OleColour>(def)) {
        if (n && *n >= std::numeric_limits<std::int32_t>::min() && *n <= 0xFFFFFFFFLL) {
            return OleColour{static_cast<std::uint32_t>(*n)};
        }
        return std::nullopt;
    }
    if (std::holds_alternative<bool>(def)) {
        if (const auto* i = std::get_if<std::int32_t>(&stored)) {
            return *i != 0;
        }
        return std::nullopt;
    }
    if (std::holds_alternative<std::int32_t>(def)) {
        // Any whole number that fits; a value too wide reads as the default.
        if (n && *n >= std::numeric_limits<std::int32_t>::min() &&
            *n <= std::numeric_limits<std::int32_t>::max()) {
            return static_cast<std::int32_t>(*n);
        }
        return std::nullopt;
    }
    if (std::holds_alternative<std::u16string>(def)) {
        // A dynamically typed text: whatever plain value is stored, its text form.
        if (const auto* b = std::get_if<bool>(&stored)) {
            return std::u16string(*b ? u"true" : u"false");
        }
        if (n) {
            return decimal(*n);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

bool PropertyBag::sameValue(const PropertyValue& a, const PropertyValue& b) {
    if (a.index() != b.index()) {
        const std::optional<PropertyValue> c = convert(a, b);
        return c && c->index() == b.index() && *c == b;
    }
    return a == b;
}

PropertyValue PropertyBag::read(std::string_view key, const PropertyValue& def) const {
    const std::string k = lowerKey(key);
    for (const auto& [name, value] : m_items) {
        if (name == k) {
            return convert(value, def).value_or(def);
        }
    }
    return def;
}

void PropertyBag::write(std::string_view key, const PropertyValue& value,
                        const PropertyValue& def) {
    if (!sameValue(value, def)) {
        write(key, value);
        return;
    }
    const std::string k = lowerKey(key);
    std::erase_if(m_items, [&](const auto& item) { return item.first == k; });
}

void PropertyBag::write(std::string_view key, const PropertyValue& value) {
    std::string k = lowerKey(key);
    auto it = std::find_if(m_items.begin(), m_items.end(),
                           [&](const auto& item) { return item.first == k; });
    if (it != m_items.end()) {
        it->second = value;
    } else {
        m_items.emplace_back(std::move(k), value);
    }
}

bool PropertyBag::contains(std::string_view key) const {
    const std::string k = lowerKey(key);
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const auto& item) { return item.first == k; });
}

std::vector<std::string> PropertyBag::keys() const {
    std::vector<std::string> out;
    out.reserve(m_items.size());
    for (const auto& item : m_items) {
        out.push_back(item.first);
    }
    return out;
}

}  // namespace corvane
