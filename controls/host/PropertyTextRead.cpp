// The text form of a property set, read with nlohmann-json: every failure says what is wrong
// and where.
#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <unordered_set>

#include "controls/host/JsonText.h"
#include "controls/host/PropertyBag.h"
#include "core/Utf.h"

namespace corvane {

namespace {

using Json = nlohmann::json;

// Each reader below stores the value in `out`, or says in `why` what is wrong and returns false.

// The value as a JSON number, as the stored form's reader saw every number.
std::optional<double> number(const Json& j) {
    if (j.is_number()) {
        return j.get<double>();
    }
    return std::nullopt;
}

// An int member, or `def` when it is missing or no whole number in range.
int intOr(const Json& o, const char* key, int def) {
    const auto it = o.find(key);
    if (it == o.end()) {
        return def;
    }
    const std::optional<double> d = number(*it);
    if (!d || *d != std::trunc(*d) || *d < std::numeric_limits<int>::min() ||
        *d > std::numeric_limits<int>::max()) {
        return def;
    }
    return static_cast<int>(*d);
}

bool boolOr(const Json& o, const char* key, bool def) {
    const auto it = o.find(key);
    return it != o.end() && it->is_boolean() ? it->get<bool>() : def;
}

std::string formatNumber(double d) {
    std::string s;
    AppendJsonNumber(s, d);
    return s;
}

// Unsigned 32-bit values (colours written as plain numbers) come back unsigned.
bool numberFromJson(double d, PropertyValue* out, std::string* why) {
    // The range is checked before the cast: casting a double beyond 64 bits is undefined.
    if (d < std::numeric_limits<std::int32_t>::min() ||
        d > std::numeric_limits<std::uint32_t>::max() || d != std::trunc(d)) {
        *why = formatNumber(d) + " is not a 32-bit whole number";
        return false;
    }
    if (d > std::numeric_limits<std::int32_t>::max()) {
        *out = static_cast<std::uint32_t>(d);
    } else {
        *out = static_cast<std::int32_t>(d);
    }
    return true;
}

bool colourFromJson(const Json& c, PropertyValue* out, std::string* why) {
    const double d = number(c).value_or(-1);
    if (d < 0 || d > 4294967295.0 || d != std::trunc(d)) {
        *why = "a colour must be a whole number from 0 to 4294967295";
        return false;
    }
    *out = OleColour{static_cast<std::uint32_t>(d)};
    return true;
}

bool fontFromJson(const Json& f, PropertyValue* out, std::string* why) {
    const auto name = f.is_object() ? f.find("name") : f.end();
    if (!f.is_object() || name == f.end() || !name->is_string()) {
        *why = "a font needs a name";
        return false;
    }
    FontValue fv;
    fv.name = FromUtf8(name->get_ref<const std::string&>());
    if (const auto size = f.find("size"); size != f.end() && size->is_number()) {
        fv.size = size->get<double>();
    }
    fv.bold = boolOr(f, "bold", false);
    fv.italic = boolOr(f, "italic", false);
    fv.underline = boolOr(f, "underline", false);
    fv.strikethrough = boolOr(f, "strikethrough", false);
    fv.weight = intOr(f, "weight", fv.weight);
    fv.charset = intOr(f, "charset", fv.charset);
    *out = fv;
    return true;
}

bool pictureFromJson(const Json& value, const PictureCodec* codec, PropertyValue* out,
                     std::string* why) {
    if (value.is_null()) {
        *out = Picture::none();
        return true;
    }
    static const Json kNoMembers = Json::object();
    const Json& p = value.is_object() ? value : kNoMembers;
    const int kind = intOr(p, "kind", -1);
    Image img;
    if (const auto png = p.find("png"); png != p.end()) {
        if (!codec) {
            *why = "the picture's image data cannot be read here";
            return false;
        }
        const std::string bytes = Unbase64(png->is_string() ? png->get<std::string>() : "");
        std::optional<Image> decoded = codec->decodePng(bytes);
        if (!decoded) {
            *why = "the picture's image data is not a PNG";
            return false;
        }
        img = std::move(*decoded);
    }
    // The resolution that gives back the stored HIMETRIC size, so that the natural size
    // survives for pictures made at any resolution.
    const int hw = intOr(p, "himetricWidth", 0);
    const int hh = intOr(p, "himetricHeight", 0);
    const double dpiX = hw > 0 && img.width() > 0 ? img.width() * 2540.0 / hw : 96.0;
    const double dpiY = hh > 0 && img.height() > 0 ? img.height() * 2540.0 / hh : 96.0;
    switch (static_cast<PictureKind>(kind)) {
        case PictureKind::Empty:
            *out = Picture::empty();
            return true;
        case PictureKind::Bitmap:
            *out = Picture::bitmap(img, dpiX, dpiY);
            return true;
        case PictureKind::Metafile:
            *out = Picture::metafile(hw, hh);
            return true;
        case PictureKind::Icon:
            *out = Picture::icon(img, dpiX, dpiY);
            return true;
        default:
            *why = "unknown picture kind " + std::to_string(kind);
            return false;
    }
}

bool fromJson(const Json& j, const PictureCodec* codec, PropertyValue* out, std::string* why) {
    if (j.is_boolean()) {
        *out = j.get<bool>();
        return true;
    }
    if (j.is_string()) {
        *out = FromUtf8(j.get_ref<const std::string&>());
        return true;
    }
    if (j.is_number()) {
        return numberFromJson(j.get<double>(), out, why);
    }
    if (!j.is_object() || j.size() != 1) {
        *why = "expected a number, a boolean, a text or a tagged object";
        return false;
    }
    // The object's own iterator: its key and value live in the object. (Binding to
    // *j.items().begin() would keep a reference into a temporary that dies at once.)
    const auto first = j.begin();
    const std::string& tag = first.key();
    const Json& body = first.value();
    if (tag == "colour") {
        return colourFromJson(body, out, why);
    }
    if (tag == "font") {
        return fontFromJson(body, out, why);
    }
    if (tag == "picture") {
        return pictureFromJson(body, codec, out, why);
    }
    *why = "unknown tag \"" + tag + "\"";
    return false;
}

// nlohmann's message without its own prefix ("[json.exception.parse_error.101] ") and, for a
// parse error, its position ("parse error at line 1, column 5: "), which the caller gives as
// an offset.
std::string reason(const Json::exception& e) {
    std::string_view what = e.what();
    if (const std::size_t end = what.find("] "); end != std::string_view::npos) {
        what.remove_prefix(end + 2);
    }
    if (what.starts_with("parse error")) {
        if (const std::size_t colon = what.find(": "); colon != std::string_view::npos) {
            what.remove_prefix(colon + 2);
        }
    }
    return std::string(what);
}

}  // namespace

bool PropertyBag::fromText(std::string_view text, std::string* error, const PictureCodec* codec) {
    m_items.clear();
    auto fail = [&](std::string why) {
        m_items.clear();
        if (error) {
            *error = "property set: " + why;
        }
        return false;
    };
    Json doc;
    try {
        doc = Json::parse(text);
    } catch (const Json::parse_error& e) {
        return fail(reason(e) + " at offset " + std::to_string(e.byte));
    } catch (const Json::exception& e) {  // a number too large for a double
        return fail(reason(e));
    }
    if (!doc.is_array()) {
        return fail("expected a list of [key, value] pairs");
    }
    // The keys seen so far, so that finding a repeated one costs the same however many came
    // before it.
    std::unordered_set<std::string> seen;
    seen.reserve(doc.size());
    for (std::size_t i = 0; i < doc.size(); ++i) {
        const Json& pair = doc[i];
        if (!pair.is_array() || pair.size() != 2 || !pair[0].is_string() ||
            pair[0].get_ref<const std::string&>().empty()) {
            return fail("entry " + std::to_string(i) + " is not a [key, value] pair");
        }
        const std::string& name = pair[0].get_ref<const std::string&>();
        PropertyValue v;
        std::string why;
        if (!fromJson(pair[1], codec, &v, &why)) {
            return fail("\"" + name + "\": " + why);
        }
        std::string k = lowerKey(name);
        if (!seen.insert(k).second) {
            return fail("\"" + k + "\" appears twice");
        }
        m_items.emplace_back(std::move(k), std::move(v));
    }
    return true;
}

}  // namespace corvane
