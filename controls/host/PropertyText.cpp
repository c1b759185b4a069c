// The text form of a property set: JSON, written byte for byte as the stored form files are
// (four-space indents, an object's keys in sorted order, whole doubles as integers), and read
// with nlohmann-json.
#include <nlohmann/json.hpp>

#include <charconv>
#include <cmath>
#include <limits>
#include <unordered_set>

#include "controls/host/PropertyBag.h"
#include "controls/host/Utf.h"

namespace corvane {

namespace {

using Json = nlohmann::json;

// --- Writing ---

void appendString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\b':
                out += "\\b";
                break;
            case '\f':
                out += "\\f";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    out += "\\u00";
                    out += kHex[c >> 4];
                    out += kHex[c & 15];
                } else {
                    out += ch;
                }
        }
    }
    out += '"';
}

// A double as the stored form writes it: a whole number below 2^53 as an integer, anything
// else in the shorter of the plain and the exponent form of its shortest digits (the plain one
// when they tie), the exponent with at least two digits.
void appendDouble(std::string& out, double d) {
    if (!std::isfinite(d)) {
        out += "null";
        return;
    }
    if (d == std::trunc(d) && std::fabs(d) < 9007199254740992.0) {
        out += std::to_string(static_cast<std::int64_t>(d));
        return;
    }
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::scientific);
    std::string_view sci(buf, static_cast<std::size_t>(r.ptr - buf));
    if (!sci.empty() && sci.front() == '-') {
        out += '-';
        sci.remove_prefix(1);
    }
    const std::size_t e = sci.find('e');
    std::string digits;
    for (const char c : sci.substr(0, e)) {
        if (c != '.') {
            digits += c;
        }
    }
    int exponent = 0;
    std::string_view ev = sci.substr(e + 1);
    if (!ev.empty() && ev.front() == '+') {
        ev.remove_prefix(1);
    }
    std::from_chars(ev.data(), ev.data() + ev.size(), exponent);
    const int count = static_cast<int>(digits.size());
    const int decpt = exponent + 1;  // digits before the point
    const int plainLength = decpt <= 0 ? 2 - decpt + count : decpt >= count ? decpt : count + 1;
    const int absExp = exponent < 0 ? -exponent : exponent;
    const int sciLength = count + (count > 1 ? 1 : 0) + 2 + (absExp >= 100 ? 3 : 2);
    if (plainLength <= sciLength) {
        if (decpt <= 0) {
            out += "0.";
            out.append(static_cast<std::size_t>(-decpt), '0');
            out += digits;
        } else if (decpt >= count) {
            out += digits;
            out.append(static_cast<std::size_t>(decpt - count), '0');
        } else {
            out += digits.substr(0, static_cast<std::size_t>(decpt));
            out += '.';
            out += digits.substr(static_cast<std::size_t>(decpt));
        }
        return;
    }
    out += digits.front();
    if (count > 1) {
        out += '.';
        out += digits.substr(1);
    }
    out += exponent < 0 ? "e-" : "e+";
    if (absExp < 10) {
        out += '0';
    }
    out += std::to_string(absExp);
}

std::string base64(std::string_view bytes) {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t left = bytes.size() - i;
        std::uint32_t n = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
        if (left > 1) {
            n |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
        }
        if (left > 2) {
            n |= static_cast<unsigned char>(bytes[i + 2]);
        }
        out += kAlphabet[(n >> 18) & 63];
        out += kAlphabet[(n >> 12) & 63];
        out += left > 1 ? kAlphabet[(n >> 6) & 63] : '=';
        out += left > 2 ? kAlphabet[n & 63] : '=';
    }
    return out;
}

// Lenient, as the stored form's reader always was: characters outside the alphabet are
// skipped, and the first '=' ends the data.
std::string unbase64(std::string_view text) {
    std::string out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (const char c : text) {
        int v = -1;
        if (c >= 'A' && c <= 'Z') {
            v = c - 'A';
        } else if (c >= 'a' && c <= 'z') {
            v = c - 'a' + 26;
        } else if (c >= '0' && c <= '9') {
            v = c - '0' + 52;
        } else if (c == '+') {
            v = 62;
        } else if (c == '/') {
            v = 63;
        } else if (c == '=') {
            break;
        }
        if (v < 0) {
            continue;
        }
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((acc >> bits) & 0xFF);
        }
    }
    return out;
}

// Writes `value` at the nesting `indent` (four spaces each), the stored form's layout.
class Writer {
public:
    Writer(std::string& out, const PictureCodec* codec) : m_out(out), m_codec(codec) {}

    void value(const PropertyValue& v, int indent) {
        std::visit([&](const auto& x) { write(x, indent); }, v);
    }

private:
    // An object of (already sorted) members; each member's writer appends its value.
    template <typename... Members>
    void object(int indent, const Members&... members) {
        m_out += "{\n";
        bool first = true;
        (member(first, indent + 1, members), ...);
        m_out += '\n';
        pad(indent);
        m_out += '}';
    }
    template <typename Fn>
    void member(bool& first, int indent, const std::pair<const char*, Fn>& m) {
        if (!first) {
            m_out += ",\n";
        }
        first = false;
        pad(indent);
        appendString(m_out, m.first);
        m_out += ": ";
        m.second(indent);
    }
    void pad(int indent) { m_out.append(static_cast<std::size_t>(4 * indent), ' '); }

    template <typename Fn>
    static std::pair<const char*, Fn> M(const char* key, Fn fn) {
        return {key, fn};
    }
    auto num(std::int64_t n) {
        return [this, n](int) { m_out += std::to_string(n); };
    }
    auto flag(bool b) {
        return [this, b](int) { m_out += b ? "true" : "false"; };
    }

    void write(std::int32_t n, int) { m_out += std::to_string(n); }
    void write(std::uint32_t n, int) { m_out += std::to_string(n); }
    void write(bool b, int) { m_out += b ? "true" : "false"; }
    void write(const std::u16string& s, int) { appendString(m_out, ToUtf8(s)); }
    void write(const OleColour& c, int indent) { object(indent, M("colour", num(c.value))); }
    void write(const FontValue& f, int indent) {
        const auto body = [&](int at) {
            object(at, M("bold", flag(f.bold)), M("charset", num(f.charset)),
                   M("italic", flag(f.italic)),
                   M("name", [&](int) { appendString(m_out, ToUtf8(f.name)); }),
                   M("size", [&](int) { appendDouble(m_out, f.size); }),
                   M("strikethrough", flag(f.strikethrough)), M("underline", flag(f.underline)),
                   M("weight", num(f.weight)));
        };
        object(indent, M("font", body));
    }
    void write(const Picture& p, int indent) {
        const auto body = [&](int at) {
            if (p.isNone()) {
                m_out += "null";
                return;
            }
            const auto head = std::tuple(M("himetricHeight", num(p.himetricHeight())),
                                         M("himetricWidth", num(p.himetricWidth())),
                                         M("kind", num(static_cast<int>(p.kind()))));
            if (p.image().width() > 0 && p.image().height() > 0 && m_codec) {
                const std::string png =
                    base64(m_codec->encodePng(p.image(), p.kind() == PictureKind::Bitmap));
                std::apply(
                    [&](const auto&... m) {
                        object(at, m..., M("png", [&](int) { appendString(m_out, png); }));
                    },
                    head);
            } else {
                std::apply([&](const auto&... m) { object(at, m...); }, head);
            }
        };
        object(indent, M("picture", body));
    }

    std::string& m_out;
    const PictureCodec* m_codec;
};

// --- Reading ---
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
    appendDouble(s, d);
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
        const std::string bytes = unbase64(png->is_string() ? png->get<std::string>() : "");
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

std::string PropertyBag::toText(const PictureCodec* codec) const {
    // An array of [key, value] pairs keeps the order in which the control wrote them.
    std::string out = "[\n";
    Writer writer(out, codec);
    bool first = true;
    for (const auto& [key, value] : m_items) {
        if (!first) {
            out += ",\n";
        }
        first = false;
        out += "    [\n        ";
        appendString(out, key);
        out += ",\n        ";
        writer.value(value, 2);
        out += "\n    ]";
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

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
