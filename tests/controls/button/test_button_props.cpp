// Button_XP's properties and stored set on the engine alone: each setter's reports, repaints
// and shell calls in order, the picture sizes, and the set a new instance, a load and a save
// make. No toolkit: the same source runs natively and, cross-built, under Wine.
#include <doctest.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "controls/button/ButtonXPCore.h"
#include "controls/host/Warnings.h"

using namespace corvane;

namespace {

using Log = std::vector<std::string>;

std::string utf8(const std::u16string& s) {
    return {s.begin(), s.end()};  // the tests' texts are ASCII
}

// The shell of a window, recording every call the core makes.
struct RecordingShell final : ButtonXPShell {
    Log log;
    bool enabled = true;
    FontValue fontObject;
    std::u16string name = u"cmd_Test";
    ButtonXPCore core{*this};

    RecordingShell() {
        core.InitProperties();
        log.clear();
    }
    void PropertyChanged(std::string_view n) override { log.push_back(std::string(n)); }
    void Refresh() override { log.emplace_back("Refresh"); }
    void ResizeHandler() override {
        log.emplace_back("Resize");
        Refresh();
    }
    void AccessKeyChanged() override { log.emplace_back("AccessKey"); }
    void CursorChanged() override { log.emplace_back("Cursor"); }
    void SurfaceFontChanged() override { log.emplace_back("SurfaceFont"); }
    void LoadFontObject(const FontValue& f) override { fontObject = f; }
    bool Enabled() const override { return enabled; }
    void LoadEnabled(bool on) override { enabled = on; }
    FontValue AmbientFont() const override {
        FontValue f;
        f.name = u"DejaVu Sans";
        f.size = 8;
        return f;
    }
    std::u16string DisplayName() const override { return name; }
    double TwipsPerPixelX() const override { return 15.0; }
    double TwipsPerPixelY() const override { return 15.0; }
};

// The pixels as bytes, which is all the text form asks of its codec.
struct RawCodec final : PictureCodec {
    std::string encodePng(const Image& image, bool) const override {
        std::string out = std::to_string(image.width()) + "x" + std::to_string(image.height());
        return out;
    }
    std::optional<Image> decodePng(std::string_view bytes) const override {
        const auto x = bytes.find('x');
        return Image(std::stoi(std::string(bytes.substr(0, x))),
                     std::stoi(std::string(bytes.substr(x + 1))));
    }
};

Picture bitmap(int w, int h) {
    return Picture::bitmap(Image(w, h));
}

// A set in which every value differs from its default.
void setEverything(RecordingShell& shell) {
    ButtonXPCore& b = shell.core;
    b.setCaption(u"&Other");
    b.setPicturePosition(3);
    b.setButtonStyle(0);
    b.setPicture(bitmap(8, 4));
    b.setPictureSize(7);
    b.setPictureWidth(20);
    b.setPictureHeight(21);
    b.setPictureHover(Picture::icon(Image(2, 2, 0)));
    shell.enabled = false;
    FontValue f = shell.AmbientFont();
    f.name = u"DejaVu Serif";
    f.italic = true;
    b.setSurfaceFont(f);
    b.setMouseIcon(Picture::icon(Image(16, 16, 0)));
    b.setMousePointer(3);
    b.setShowFocusRect(false);
    b.setURL(u"mailto:a@b");
    b.setXPColor_Pressed(1);
    b.setXPColor_Hover(2);
    b.setXPDefaultColors(false);
    b.setBackColor(3);
    b.setForeColor(4);
    b.setSoundOver(u"o.wav");
    b.setSoundClick(u"c.wav");
    b.setDefCurHand(true);
    b.setXPShowBorderAlways(true);
    b.setMaskColor(5);
    b.setTransparentBG(true);
    b.setBEVEL(2);
    b.setBEVELDEPTH(9);
}

}  // namespace

TEST_CASE("each setter stores, reports and then runs its own steps, in that order") {
    struct Row {
        const char* name;
        std::function<void(ButtonXPCore&)> set;
        Log calls;
    };
    const Row rows[] = {
        {"ShowFocusRect", [](auto& b) { b.setShowFocusRect(false); }, {"ShowFocusRect", "Refresh"}},
        {"URL", [](auto& b) { b.setURL(u"https://example.org"); }, {"URL"}},
        {"Caption", [](auto& b) { b.setCaption(u"&Save"); }, {"Caption", "AccessKey", "Refresh"}},
        {"ButtonStyle 3 forces TransparentBG off",
         [](auto& b) { b.setButtonStyle(3); },
         {"ButtonStyle", "TransparentBG", "Refresh", "Resize", "Refresh"}},
        {"ButtonStyle 1",
         [](auto& b) { b.setButtonStyle(1); },
         {"ButtonStyle", "Resize", "Refresh"}},
        {"PicturePosition",
         [](auto& b) { b.setPicturePosition(0); },
         {"PicturePosition", "Refresh"}},
        {"Picture",
         [](auto& b) { b.setPicture(Picture::metafile(847, 847)); },
         {"Picture", "Refresh"}},
        {"PictureWidth", [](auto& b) { b.setPictureWidth(20); }, {"PictureWidth", "Refresh"}},
        {"PictureHeight", [](auto& b) { b.setPictureHeight(20); }, {"PictureHeight", "Refresh"}},
        {"PictureSize", [](auto& b) { b.setPictureSize(0); }, {"PictureSize", "Refresh"}},
        {"PictureHover", [](auto& b) { b.setPictureHover(Picture::none()); }, {"PictureHover"}},
        {"XPColor_Pressed", [](auto& b) { b.setXPColor_Pressed(0xFF); }, {"XPColor_Pressed"}},
        {"XPColor_Hover", [](auto& b) { b.setXPColor_Hover(0xFF); }, {"XPColor_Hover"}},
        {"XPDefaultColors", [](auto& b) { b.setXPDefaultColors(false); }, {"XPDefaultColors"}},
        {"BackColor", [](auto& b) { b.setBackColor(0x00FF00); }, {"BackColor", "Refresh"}},
        {"ForeColor", [](auto& b) { b.setForeColor(0x00FF00); }, {"ForeColor", "Refresh"}},
        {"SoundOver", [](auto& b) { b.setSoundOver(u"42"); }, {"SoundOver"}},
        {"SoundClick", [](auto& b) { b.setSoundClick(u"a.wav"); }, {"SoundClick"}},
        {"DefCurHand", [](auto& b) { b.setDefCurHand(true); }, {"DefCurHand"}},
        {"XPShowBorderAlways",
         [](auto& b) { b.setXPShowBorderAlways(true); },
         {"XPShowBorderAlways"}},
        {"MaskColor", [](auto& b) { b.setMaskColor(0xFF00FF); }, {"MaskColor", "Refresh"}},
        {"TransparentBG", [](auto& b) { b.setTransparentBG(true); }, {"TransparentBG", "Refresh"}},
        {"BEVEL", [](auto& b) { b.setBEVEL(2); }, {"BEVEL", "Refresh"}},
        {"BEVELDEPTH", [](auto& b) { b.setBEVELDEPTH(-3); }, {"BEVELDEPTH", "Refresh"}},
        // The pointer takes effect before it is reported.
        {"MousePointer", [](auto& b) { b.setMousePointer(11); }, {"Cursor", "MousePointer"}},
        {"MouseIcon", [](auto& b) { b.setMouseIcon(Picture::empty()); }, {"Cursor", "MouseIcon"}},
    };
    for (const Row& row : rows) {
        CAPTURE(row.name);
        RecordingShell shell;
        row.set(shell.core);
        CHECK(shell.log == row.calls);
    }
}

TEST_CASE("picture sizes follow PictureSize and the picture's own size") {
    RecordingShell shell;
    ButtonXPCore& b = shell.core;
    const auto size = [&] { return std::pair(b.PictureWidth(), b.PictureHeight()); };
    const auto natural = [&] {
        return std::pair(b.naturalPictureWidth(), b.naturalPictureHeight());
    };
    // A new instance has no current picture: natural size means 32 x 32.
    b.setPictureSize(2);
    CHECK(size() == std::pair(32, 32));
    // 1270 x 2540 HIMETRIC is half an inch by one inch, at 15 twips per pixel.
    b.setPicture(Picture::metafile(1270, 2540));
    CHECK(natural() == std::pair(48, 96));
    CHECK(size() == std::pair(48, 96));
    b.setPictureWidth(10);
    CHECK(b.PictureSize() == 2);
    b.setPictureSize(0);
    CHECK(size() == std::pair(16, 16));
    b.setPictureSize(1);
    CHECK(size() == std::pair(32, 32));
    b.setPictureWidth(7);
    b.setPictureSize(5);  // any other value keeps the drawn size
    CHECK(size() == std::pair(7, 32));
    b.setPictureSize(2);
    CHECK(size() == std::pair(48, 96));
    // No picture while the size follows the picture: 32 x 32 again.
    b.setPicture(Picture::none());
    CHECK(b.CurrentPicture().isNone());
    CHECK(natural() == std::pair(32, 32));
    CHECK(size() == std::pair(32, 32));
}

TEST_CASE("the hover picture is current while hovering, and a save then stores it") {
    RecordingShell shell;
    ButtonXPCore& b = shell.core;
    // A new instance holds empty pictures but paints none; hovering makes the empty hover
    // picture current.
    CHECK(b.CurrentPicture().isNone());
    CHECK(!b.PictureHover().isNone());
    b.showHoverPicture(true);
    CHECK(b.CurrentPicture() == b.PictureHover());
    b.showHoverPicture(false);
    CHECK(b.CurrentPicture().kind() == PictureKind::Empty);

    const Picture normal = Picture::metafile(10, 10);
    const Picture hover = Picture::metafile(20, 20);
    b.setPicture(normal);
    b.setPictureHover(hover);
    b.showHoverPicture(true);
    CHECK(b.CurrentPicture() == hover);
    PropertyBag bag;
    b.WriteProperties(bag);
    CHECK(bag.readAs<Picture>("Picture", Picture::none()) == hover);
    b.showHoverPicture(false);
    CHECK(b.CurrentPicture() == normal);
    b.setPictureHover(Picture::none());
    b.showHoverPicture(true);
    CHECK(b.CurrentPicture() == normal);
}

TEST_CASE("what a save writes: a new instance, and every value changed in save order") {
    RecordingShell shell;
    PropertyBag fresh;
    shell.core.WriteProperties(fresh);
    CHECK(fresh.keys() == std::vector<std::string>{"originalpicsizew", "originalpicsizeh",
                                                   "picturehover", "mousepointer"});
    CHECK(fresh.readAs<std::int32_t>("OriginalPicSizeW", -1) == 0);
    CHECK(fresh.readAs<std::int32_t>("OriginalPicSizeH", -1) == 0);
    CHECK(fresh.readAs<Picture>("PictureHover", Picture::none()).kind() == PictureKind::Empty);
    CHECK(fresh.readAs<std::int32_t>("MousePointer", 0) == 99);

    setEverything(shell);
    PropertyBag all;
    shell.core.WriteProperties(all);
    CHECK(all.keys() == std::vector<std::string>{"caption",
                                                 "pictureposition",
                                                 "buttonstyle",
                                                 "picture",
                                                 "picturewidth",
                                                 "pictureheight",
                                                 "picturesize",
                                                 "originalpicsizew",
                                                 "originalpicsizeh",
                                                 "picturehover",
                                                 "enabled",
                                                 "font",
                                                 "mouseicon",
                                                 "mousepointer",
                                                 "showfocusrect",
                                                 "url",
                                                 "xpcolor_pressed",
                                                 "xpcolor_hover",
                                                 "xpdefaultcolors",
                                                 "backcolor",
                                                 "forecolor",
                                                 "soundover",
                                                 "soundclick",
                                                 "defcurhand",
                                                 "xpshowborderalways",
                                                 "maskcolor",
                                                 "transparentbg",
                                                 "bevel",
                                                 "beveldepth"});
}

TEST_CASE("a saved set survives its text form and a load") {
    RecordingShell a;
    setEverything(a);
    PropertyBag first;
    a.core.WriteProperties(first);
    const RawCodec codec;
    std::string error;
    PropertyBag parsed;
    REQUIRE_MESSAGE(parsed.fromText(first.toText(&codec), &error, &codec), error);

    RecordingShell b;
    b.core.ReadProperties(parsed);
    PropertyBag second;
    b.core.WriteProperties(second);
    CHECK(second.toText() == first.toText());
    CHECK(utf8(b.core.Caption()) == "&Other");
    CHECK(b.core.ButtonStyle() == 0);
    CHECK(b.core.PictureSize() == 7);
    CHECK(std::pair(b.core.PictureWidth(), b.core.PictureHeight()) == std::pair(20, 21));
    CHECK(std::pair(b.core.naturalPictureWidth(), b.core.naturalPictureHeight()) ==
          std::pair(8, 4));
    CHECK(!b.enabled);
    CHECK(b.core.MousePointer() == 3);
    CHECK(b.core.BackColor() == 3u);
    CHECK(b.core.surfaceBackColor() == 3u);
    CHECK(utf8(b.core.SoundOver()) == "o.wav");
    CHECK(b.core.BEVEL() == 2);
    CHECK(b.core.BEVELDEPTH() == 9);
    CHECK(b.core.TransparentBG());
}

TEST_CASE("a load of an empty set gives the absent values, which a save leaves out") {
    RecordingShell shell;
    shell.name = u"cmd_Other";
    ButtonXPCore& b = shell.core;
    b.ReadProperties(PropertyBag());
    CHECK(utf8(b.Caption()) == "cmd_Other");
    CHECK(b.ButtonStyle() == 2);
    CHECK(b.PicturePosition() == 1);
    CHECK(b.CurrentPicture().isNone());
    CHECK(b.PictureHover().isNone());
    CHECK(std::pair(b.naturalPictureWidth(), b.naturalPictureHeight()) == std::pair(32, 32));
    CHECK(b.MousePointer() == 0);
    CHECK(shell.enabled);
    CHECK(shell.fontObject == shell.AmbientFont());
    CHECK(b.surfaceFont() == shell.AmbientFont());
    CHECK(b.BackColor() == 0x8000000Fu);
    CHECK(b.ForeColor() == 0x80000012u);
    CHECK(b.XPColor_Pressed() == 0x80000014u);
    CHECK(b.XPColor_Hover() == 0x80000016u);
    CHECK(utf8(b.SoundClick()) == ".\\resources\\click.wav");
    CHECK(utf8(b.SoundOver()) == ".\\resources\\over.wav");
    CHECK(b.BEVEL() == 1);
    CHECK(b.BEVELDEPTH() == 8);
    PropertyBag bag;
    b.WriteProperties(bag);
    CHECK(bag.isEmpty());
}

TEST_CASE("the main window's Save button loads and saves as stored") {
    PropertyBag bag;
    bag.write("Caption", std::u16string(u"Save"));
    bag.write("ButtonStyle", 3);
    bag.write("OriginalPicSizeW", 0);
    bag.write("OriginalPicSizeH", 0);
    bag.write("Enabled", false);
    FontValue f;
    f.name = u"Tahoma";
    f.bold = true;
    f.charset = 0;
    bag.write("Font", f);
    bag.write("MousePointer", 99);
    RecordingShell shell;
    shell.name = u"cmd_Save";
    shell.core.ReadProperties(bag);
    CHECK(utf8(shell.core.Caption()) == "Save");
    CHECK(shell.core.ButtonStyle() == 3);
    CHECK(shell.core.naturalPictureWidth() == 0);
    CHECK(!shell.enabled);
    CHECK(shell.core.MousePointer() == 99);
    // The font is read twice: into the surface, then into the Font object.
    CHECK(shell.core.surfaceFont() == f);
    CHECK(shell.fontObject == f);
    PropertyBag saved;
    shell.core.WriteProperties(saved);
    CHECK(saved.toText() == bag.toText());
}

TEST_CASE("a load stores fields directly and repaints once, at the end") {
    RecordingShell shell;
    const Picture p = bitmap(4, 4);
    PropertyBag bag;
    bag.write("Enabled", false);
    bag.write("ButtonStyle", 3);
    bag.write("Picture", p);
    shell.core.ReadProperties(bag);
    // Only MouseIcon goes through its setter; the Font is set on the surface silently.
    CHECK(shell.log ==
          Log{"SurfaceFont", "Cursor", "MouseIcon", "Cursor", "AccessKey", "Resize", "Refresh"});
    CHECK(shell.core.CurrentPicture() == p);  // the painted picture
    shell.core.showHoverPicture(false);
    CHECK(shell.core.CurrentPicture() == p);  // and the normal picture
}

TEST_CASE("a stored 16-bit value that does not fit is refused with a warning") {
    static std::vector<std::string> warnings;
    warnings.clear();
    const WarningSink before = SetWarningSink([](std::string_view m) { warnings.emplace_back(m); });
    PropertyBag bag;
    bag.write("MousePointer", 70000);
    bag.write("BEVEL", -40000);
    RecordingShell shell;
    shell.core.ReadProperties(bag);
    SetWarningSink(before);
    CHECK(shell.core.MousePointer() == 0);
    CHECK(shell.core.BEVEL() == 1);
    CHECK(warnings == std::vector<std::string>{
                          "Button_XP: stored MousePointer 70000 does not fit in 16 bits; using 0",
                          "Button_XP: stored BEVEL -40000 does not fit in 16 bits; using 1"});
}
