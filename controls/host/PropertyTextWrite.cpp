// The text form of a property set, written: JSON byte for byte as the stored form files are
// (four-space indents, an object's keys in sorted order, whole doubles as integers).
#include "controls/host/JsonText.h"
#include "controls/host/PropertyBag.h"
#include "core/Utf.h"

namespace corvane {

namespace {

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
        AppendJsonString(m_out, m.first);
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
    void write(const std::u16string& s, int) { AppendJsonString(m_out, ToUtf8(s)); }
    void write(const OleColour& c, int indent) { object(indent, M("colour", num(c.value))); }
    void write(const FontValue& f, int indent) {
        const auto body = [&](int at) {
            object(at, M("bold", flag(f.bold)), M("charset", num(f.charset)),
                   M("italic", flag(f.italic)),
                   M("name", [&](int) { AppendJsonString(m_out, ToUtf8(f.name)); }),
                   M("size", [&](int) { AppendJsonNumber(m_out, f.size); }),
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
                    Base64(m_codec->encodePng(p.image(), p.kind() == PictureKind::Bitmap));
                std::apply(
                    [&](const auto&... m) {
                        object(at, m..., M("png", [&](int) { AppendJsonString(m_out, png); }));
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
        AppendJsonString(out, key);
        out += ",\n        ";
        writer.value(value, 2);
        out += "\n    ]";
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

}  // namespace corvane
