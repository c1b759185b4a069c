// The stored property set without a toolkit: keys, defaults, conversions and the text form,
// natively and, cross-built, under Wine.
#include <doctest.h>

#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "controls/host/PropertyBag.h"

using namespace corvane;

namespace {

using Keys = std::vector<std::string>;

FontValue centralEuropean() {
    FontValue f;
    f.name = u"MS Sans Serif";
    f.size = 8.25;
    f.charset = 238;
    return f;
}

Image patterned(int w, int h, bool alpha) {
    Image img(w, h);
    const ImageView v = img.view();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const auto a = static_cast<Pixel>(alpha ? x * 60 : 255);
            v.row(y)[x] = a << 24 | static_cast<Pixel>(x * 40) << 16 |
                          static_cast<Pixel>(y * 60) << 8 | static_cast<Pixel>((x + y) * 20);
        }
    }
    return img;
}

// Stands in for a shell's PNG codec: "PNG", the size, then the pixels as they are.
class FakeCodec final : public PictureCodec {
public:
    std::string encodePng(const Image& image, bool) const override {
        std::string out =
            "PNG" + std::to_string(image.width()) + "x" + std::to_string(image.height()) + ":";
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const Pixel p = image.pixel(x, y);
                out.append(reinterpret_cast<const char*>(&p), sizeof p);
            }
        }
        return out;
    }
    std::optional<Image> decodePng(std::string_view bytes) const override {
        int w = 0;
        int h = 0;
        char colon = 0;
        const std::string s(bytes);
        if (std::sscanf(s.c_str(), "PNG%dx%d%c", &w, &h, &colon) != 3 || colon != ':') {
            return std::nullopt;
        }
        const std::size_t at = s.find(':') + 1;
        if (w <= 0 || h <= 0 || s.size() - at != static_cast<std::size_t>(w * h) * 4) {
            return std::nullopt;
        }
        Image img(w, h);
        std::memcpy(img.view().bits, s.data() + at, s.size() - at);
        return img;
    }
};

// What a picture is, independent of object identity.
void checkSamePicture(const Picture& got, const Picture& want) {
    CHECK(got.isNone() == want.isNone());
    CHECK(got.kind() == want.kind());
    CHECK(got.himetricWidth() == want.himetricWidth());
    CHECK(got.himetricHeight() == want.himetricHeight());
    CHECK(got.image() == want.image());
}

}  // namespace

TEST_CASE("keys match without regard to case and are kept in lower case") {
    PropertyBag bag;
    bag.write("BackColor", OleColour{0xFF}, OleColour{0x80000005});
    bag.write("Max", 255, 100);
    bag.write("BACKCOLOR", OleColour{0x1234}, OleColour{0x80000005});

    CHECK(bag.keys() == Keys{"backcolor", "max"});
    CHECK(bag.contains("backCOLOR"));
    CHECK(bag.readAs<OleColour>("backcolor", OleColour{0}).value == 0x1234u);
    CHECK(bag.readAs<std::int32_t>("MAX", 100) == 255);

    // Writing the default under another spelling removes the stored key.
    bag.write("bAcKcOlOr", OleColour{0x80000005}, OleColour{0x80000005});
    CHECK(bag.keys() == Keys{"max"});
}

TEST_CASE("an absent key reads its default") {
    const PropertyValue defaults[] = {
        100,
        -7,
        true,
        OleColour{0x80000008},
        std::u16string(u".\\resources\\click.wav"),
        centralEuropean(),
        Picture::empty(),
    };
    for (const PropertyValue& def : defaults) {
        CAPTURE(def.index());
        PropertyBag bag;
        bag.write("Other", 1, 0);
        const PropertyValue got = bag.read("Missing", def);
        CHECK(got.index() == def.index());
        CHECK(PropertyBag::sameValue(got, def));
    }
}

TEST_CASE("a value equal to its default is left out") {
    FontValue western = centralEuropean();
    western.charset = 0;
    struct Row {
        const char* name;
        PropertyValue value;
        std::optional<PropertyValue> def;
        bool stored;
    };
    const Row rows[] = {
        {"int equal", 100, 100, false},
        {"int differs", 255, 100, true},
        {"zero vs one", 0, 1, true},
        {"bool equal", true, true, false},
        {"bool differs", false, true, true},
        {"colour equal", OleColour{0x80000005}, OleColour{0x80000005}, false},
        {"colour differs", OleColour{0x00000005}, OleColour{0x80000005}, true},
        {"text equal", std::u16string(), std::u16string(), false},
        {"text differs in case", std::u16string(u"Save"), std::u16string(u"save"), true},
        {"font equal", centralEuropean(), centralEuropean(), false},
        {"font differs in charset", western, centralEuropean(), true},
        {"no picture vs none", Picture::none(), Picture::none(), false},
        {"empty picture vs none", Picture::empty(), Picture::none(), true},
        // Values of another kind compare by value with their default.
        {"unsigned vs colour", 0x80000005u, OleColour{0x80000005}, false},
        {"no default stores", 0, std::nullopt, true},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        const auto write = [&](PropertyBag& bag) {
            if (r.def) {
                bag.write("Key", r.value, *r.def);
            } else {
                bag.write("Key", r.value);
            }
        };
        PropertyBag bag;
        write(bag);
        CHECK(bag.contains("key") == r.stored);

        // A later write of the default removes what an earlier write stored.
        PropertyBag bag2;
        bag2.write("Key", std::u16string(u"something else"));
        write(bag2);
        CHECK(bag2.contains("key") == r.stored);
        if (r.stored) {
            CHECK(PropertyBag::sameValue(bag2.read("Key", r.def.value_or(r.value)), r.value));
        }
    }
}

TEST_CASE("a stored value is read as its default's kind, or as the default") {
    struct Row {
        const char* name;
        PropertyValue stored;
        PropertyValue def;
        PropertyValue expected;
    };
    const Row rows[] = {
        // A colour kept as a signed 32-bit number (as a text form keeps it) is the same colour.
        {"int to system colour", -2147483643, OleColour{0}, OleColour{0x80000005}},
        {"int to colour", 0xFF, OleColour{0}, OleColour{0xFF}},
        {"unsigned to colour", 0x80000012u, OleColour{0}, OleColour{0x80000012}},
        {"int to bool false", 0, true, false},
        {"int to bool true", -1, false, true},
        {"bool to int", true, 0, 1},
        {"unsigned too wide for int", 0x80000000u, 8, 8},
        {"int to text", 42, std::u16string(), std::u16string(u"42")},
        {"unsigned to text", 0x8000000Fu, std::u16string(), std::u16string(u"2147483663")},
        {"bool to text", false, std::u16string(), std::u16string(u"false")},
        {"text to int", std::u16string(u"12"), 5, 5},
        {"text to colour", std::u16string(u"255"), OleColour{7}, OleColour{7}},
        {"font to text", centralEuropean(), std::u16string(u"x"), std::u16string(u"x")},
        {"int to font", 3, FontValue{}, FontValue{}},
        {"colour to int", OleColour{0xFF}, 1, 1},
        {"colour to text", OleColour{0xFF}, std::u16string(u"x"), std::u16string(u"x")},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        PropertyBag bag;
        bag.write("K", r.stored);
        const PropertyValue got = bag.read("k", r.def);
        CHECK(got.index() == r.expected.index());
        CHECK(PropertyBag::sameValue(got, r.expected));
    }
}

TEST_CASE("the text form is the stored form files', byte for byte") {
    PropertyBag bag;
    bag.write("Caption", std::u16string(u"Zapisz \u017c\"\\\n\t\u0001/"));
    bag.write("BUTTONSTYLE", 3);
    bag.write("Min", std::numeric_limits<std::int32_t>::min());
    bag.write("MaskColor", 0x8000000Fu);
    bag.write("Enabled", false);
    bag.write("BackColor", OleColour{0x80000005});
    FontValue f = centralEuropean();
    f.size = 12;
    bag.write("Font", f);
    bag.write("Picture", Picture::none());
    bag.write("Icon", Picture::metafile(2117, 529));
    CHECK(bag.toText() == R"([
    [
        "caption",
        "Zapisz ż\"\\\n\t\u0001/"
    ],
    [
        "buttonstyle",
        3
    ],
    [
        "min",
        -2147483648
    ],
    [
        "maskcolor",
        2147483663
    ],
    [
        "enabled",
        false
    ],
    [
        "backcolor",
        {
            "colour": 2147483653
        }
    ],
    [
        "font",
        {
            "font": {
                "bold": false,
                "charset": 238,
                "italic": false,
                "name": "MS Sans Serif",
                "size": 12,
                "strikethrough": false,
                "underline": false,
                "weight": 400
            }
        }
    ],
    [
        "picture",
        {
            "picture": null
        }
    ],
    [
        "icon",
        {
            "picture": {
                "himetricHeight": 529,
                "himetricWidth": 2117,
                "kind": 2
            }
        }
    ]
]
)");
    CHECK(PropertyBag().toText() == "[\n]\n");
}

TEST_CASE("a font's size is written in the shorter of its two forms") {
    const std::pair<double, const char*> rows[] = {
        {8.25, "8.25"},
        {9.75, "9.75"},
        {1e6, "1000000"},
        {1e16, "1e+16"},
        {1e-4, "1e-04"},
        {2.5e-4, "0.00025"},
        {0.001, "0.001"},
        {1e21, "1e+21"},
        {-8.25, "-8.25"},
        {1.5e300, "1.5e+300"},
        {9007199254740994.0, "9007199254740994"},
        {3.0000000000000004, "3.0000000000000004"},
    };
    for (const auto& [size, text] : rows) {
        CAPTURE(text);
        FontValue f;
        f.size = size;
        PropertyBag bag;
        bag.write("Font", f);
        const std::string form = bag.toText();
        CHECK(form.find(std::string("\"size\": ") + text + ",\n") != std::string::npos);
        PropertyBag back;
        REQUIRE(back.fromText(form));
        CHECK(back.readAs<FontValue>("font", FontValue{}).size == size);
    }
}

TEST_CASE("the text form round-trips every kind of value") {
    FontValue bold = centralEuropean();
    bold.name = u"Tahoma \"bold\" \u0141\u00f3d\u017a \U0001F600";
    bold.size = 9.75;
    bold.bold = true;
    bold.weight = 700;
    bold.italic = true;
    bold.underline = true;
    bold.strikethrough = true;

    PropertyBag bag;
    bag.write("Caption", std::u16string(u"Zapisz \u017c\u00f3\u0142w \"&Save\"\n"),
              std::u16string());
    bag.write("Max", 255, 100);
    bag.write("Min", std::numeric_limits<std::int32_t>::min(), 0);
    bag.write("Value", std::numeric_limits<std::int32_t>::max(), 0);
    bag.write("Enabled", false, true);
    bag.write("BackColor", OleColour{0x80000005}, OleColour{0});
    bag.write("ForeColor", OleColour{0xFFFFFF}, OleColour{0x80000008});
    bag.write("MaskColor", 0x8000000Fu, OleColour{0});
    bag.write("Font", bold, FontValue{});
    bag.write("Font2", centralEuropean(), FontValue{});

    const std::string text = bag.toText();
    PropertyBag back;
    std::string error;
    REQUIRE_MESSAGE(back.fromText(text, &error), error);

    CHECK(back.keys() == bag.keys());
    CHECK(back.readAs<std::u16string>("caption", u"") == u"Zapisz \u017c\u00f3\u0142w \"&Save\"\n");
    CHECK(back.readAs<std::int32_t>("max", 100) == 255);
    CHECK(back.readAs<std::int32_t>("min", 0) == std::numeric_limits<std::int32_t>::min());
    CHECK(back.readAs<std::int32_t>("value", 0) == std::numeric_limits<std::int32_t>::max());
    CHECK(back.readAs<bool>("enabled", true) == false);
    CHECK(back.readAs<OleColour>("backcolor", OleColour{0}).value == 0x80000005u);
    CHECK(back.readAs<OleColour>("forecolor", OleColour{0}).value == 0xFFFFFFu);
    CHECK(back.readAs<OleColour>("maskcolor", OleColour{0}).value == 0x8000000Fu);
    // Read as a 32-bit signed number it does not fit, so the default comes back.
    CHECK(back.readAs<std::int32_t>("maskcolor", 3) == 3);
    CHECK(back.readAs<FontValue>("font", FontValue{}) == bold);
    CHECK(back.readAs<FontValue>("font2", FontValue{}) == centralEuropean());

    // The text form of what was read back is the same text.
    CHECK(back.toText() == text);
}

TEST_CASE("the text form keeps pictures") {
    const FakeCodec codec;
    const std::pair<const char*, Picture> rows[] = {
        {"none", Picture::none()},
        {"empty", Picture::empty()},
        {"bitmap", Picture::bitmap(patterned(5, 3, false))},
        // The natural size comes from the HIMETRIC size, which a bitmap made at another
        // resolution keeps through the text form.
        {"bitmap at 120 dpi", Picture::bitmap(patterned(5, 3, false), 120, 144)},
        {"icon keeps alpha", Picture::icon(patterned(4, 4, true))},
        {"metafile", Picture::metafile(2117, 529)},
    };
    for (const auto& [name, picture] : rows) {
        CAPTURE(name);
        // A default that differs from every row, so that the picture is stored.
        const Picture other = Picture::bitmap(patterned(1, 1, false));
        PropertyBag bag;
        bag.write("Picture", picture, other);
        REQUIRE(bag.contains("picture"));

        PropertyBag back;
        std::string error;
        REQUIRE_MESSAGE(back.fromText(bag.toText(&codec), &error, &codec), error);
        REQUIRE(back.contains("picture"));
        checkSamePicture(back.readAs<Picture>("Picture", other), picture);
    }
}

TEST_CASE("a malformed text form is refused, saying what and where") {
    std::string many = "[";
    for (int i = 0; i < 20000; ++i) {
        many += "[\"Key" + std::to_string(i) + "\", " + std::to_string(i) + "], ";
    }
    const std::pair<std::string, const char*> rows[] = {
        {"[[\"Max\", 255]", "offset"},
        {"", "property set"},
        {"[[\"Max\", 1e400]]", "property set"},
        {"[[\"Caption\", \"\xff\"]]", "offset"},
        {"{\"Max\": 255}", "list"},
        {"[[\"Max\"]]", "entry 0"},
        {"[[\"Min\", 0], [\"Max\", 1, 2]]", "entry 1"},
        {"[[5, 1]]", "entry 0"},
        {"[[\"\", 1]]", "entry 0"},
        {"[[\"Max\", 2.5]]", "\"Max\""},
        {"[[\"Min\", -2147483649]]", "32-bit"},
        {"[[\"Max\", 4294967296]]", "32-bit"},
        {"[[\"Max\", null]]", "\"Max\""},
        {"[[\"Max\", [1]]]", "\"Max\""},
        {"[[\"Max\", {\"number\": 1}]]", "number"},
        {"[[\"X\", {\"colour\": 1, \"font\": {}}]]", "\"X\""},
        {"[[\"BackColor\", {\"colour\": -1}]]", "colour"},
        {"[[\"BackColor\", {\"colour\": 4294967296}]]", "colour"},
        {"[[\"BackColor\", {\"colour\": \"red\"}]]", "colour"},
        {"[[\"Font\", {\"font\": {\"size\": 8}}]]", "name"},
        {"[[\"Picture\", {\"picture\": {\"kind\": 1, \"png\": \"AAAA\"}}]]", "PNG"},
        {"[[\"Picture\", {\"picture\": {\"kind\": 9}}]]", "kind 9"},
        {"[[\"Max\", 1], [\"MAX\", 2]]", "twice"},
        // The repeated key is found after many others (bench_propertybag shows that the
        // search does not grow with their number).
        {many + "[\"KEY0\", 1]]", "\"key0\" appears twice"},
    };
    const FakeCodec codec;
    for (const auto& [text, mentions] : rows) {
        CAPTURE(text.substr(0, 60));
        PropertyBag bag;
        bag.write("Existing", 1, 0);
        std::string error;
        CHECK_FALSE(bag.fromText(text, &error, &codec));
        CHECK(bag.isEmpty());
        CHECK_MESSAGE(error.find(mentions) != std::string::npos, error);

        // Without a place for the message it still fails cleanly.
        PropertyBag quiet;
        CHECK_FALSE(quiet.fromText(text, nullptr, &codec));
        CHECK(quiet.isEmpty());
    }
    // Without a codec a picture's pixels cannot be read, and the set is refused.
    PropertyBag bag;
    std::string error;
    CHECK_FALSE(
        bag.fromText("[[\"Picture\", {\"picture\": {\"kind\": 1, \"png\": \"AAAA\"}}]]", &error));
    CHECK(error.find("\"Picture\"") != std::string::npos);
}
