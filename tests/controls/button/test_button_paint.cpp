// Whole-button faces painted by the engine alone, against values worked out from the painting
// rules: every style and state, the bevels, the XP look against its reference, the focus dots.
// Border and background only: the caption is empty, so the text renderer is asked at most for
// metrics and never draws (the caption's pixels are the Qt shell's test, tst_button_paint).
// The same source runs natively and, cross-built, under Wine.
#include <doctest.h>

#include <cstdio>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "controls/button/ButtonColours.h"
#include "controls/button/ButtonPainter.h"
#include "controls/draw/Draw.h"
#include "tests/controls/button/FaceFixture.h"
#include "tests/controls/button/XPExpected.h"

using namespace corvane;
using namespace fixture;

namespace {

// Fixed metrics and no ink: an empty caption is measured (or not) but never drawn, so the face
// must not depend on what these say.
struct NoText final : TextRenderer {
    FontMetrics metrics(const Font&) override { return {13, 10, 5}; }
    int width(const Font&, std::u16string_view t) override {
        return 5 * static_cast<int>(t.size());
    }
    double preciseWidth(const Font& f, std::u16string_view t) override { return width(f, t); }
    void draw(ImageView, const Font&, ColourRef, const Rect*, const TextRun*,
              std::size_t) override {
        FAIL("an empty caption drew text");
    }
};

Image paint(const ButtonPaintState& s) {
    static NoText text;
    Image face(s.width, s.height);
    RefreshFace(face, text, s);
    return face;
}

std::string hex(ColourRef c) {
    char out[8];
    std::snprintf(out, sizeof out, "%06X", c & 0xFFFFFFu);
    return out;
}

// The pixels at the given points, as hex colours joined by spaces.
std::string pixels(const Image& face, const std::vector<Point>& at) {
    std::string out;
    for (const Point& p : at) {
        out.append(out.empty() ? "" : " ").append(hex(ColourOf(face.view().row(p.y)[p.x])));
    }
    return out;
}

// The probes of a W x H button, in the order of the expected strings.
std::vector<Point> probes(int w, int h) {
    return {{0, 0},         {w - 1, 0},     {0, h - 1},     {w - 1, h - 1}, {w / 2, 0},
            {0, h / 2},     {w - 1, h / 2}, {w / 2, h - 1}, {w / 2, 1},     {1, h / 2},
            {w - 2, h / 2}, {w / 2, h - 2}, {w / 2, h / 2}, {4, 4},         {5, 4}};
}

// F face, S shadow, H highlight, T text, O/P the style-2 hover/pressed face, I a focus dot on
// the face; six hex digits are a colour 0xBBGGRR. The whole string, in hex.
std::string colours(const char* tokens) {
    const std::string named = "FSHTOPI";
    const ColourRef colour[] = {kFace,      kShadow,      kHighlight,       kText,
                                kHoverFace, kPressedFace, kFace ^ 0xFFFFFFu};
    std::istringstream in(tokens);
    std::string out;
    for (std::string t; in >> t;) {
        out.append(out.empty() ? "" : " ").append(t.size() == 1 ? hex(colour[named.find(t)]) : t);
    }
    return out;
}

enum State { Normal, Hover, Pressed, Focused, Disabled, Default, DesignTime };

// A state of the rows in the snapshot that RefreshFace paints.
void apply(ButtonPaintState& s, State state, bool focus, bool pressed, bool over) {
    s.userMode = state != DesignTime;
    s.isDefault = state == Default;
    s.flags = {focus, pressed, over, false};
    s.enabled = state != Disabled;
}

struct StyleRow {
    const char* name;
    int style;
    State state;
    bool focus, pressed, over;
    const char* expected;
    int bevel = 1;
    bool borderAlways = false;
    bool xpDefaultColors = true;
};

}  // namespace

TEST_CASE("every style in every state, on a 40 x 24 face") {
    // Probe order: four corners TL TR BL BR; the outer edges top, left, right, bottom at their
    // middles; the second ring top, left, right, bottom; the centre; (4, 4) and (5, 4).
    const char* raised = "H H H S H H S S F F F F F F F";
    const char* sunken = "S S S H S S H H F F F F F F F";
    const char* plain = "F F F F F F F F F F F F F F F";
    const char* focusOnly = "F F F F F F F F F F F F F I F";
    const StyleRow rows[] = {
        // 0: raised, sunken when pressed; the default border also when focused.
        {"0 normal", 0, Normal, false, false, false, raised},
        {"0 hover", 0, Hover, false, false, true, raised},
        {"0 pressed", 0, Pressed, false, true, true, sunken},
        {"0 focused: default border and dots", 0, Focused, true, false, false,
         "H H H S H H S S F F S S F I F"},
        {"0 focused and pressed: no default border", 0, Focused, true, true, true,
         "S S S H S S H H F F F F F I F"},
        {"0 disabled", 0, Disabled, false, false, false, raised},
        {"0 default", 0, Default, false, false, false, "H H H S H H S S F F S S F F F"},
        {"0 design time ignores the default", 0, DesignTime, false, false, false, raised},
        // 1: flat until hovered.
        {"1 normal", 1, Normal, false, false, false, plain},
        {"1 hover", 1, Hover, false, false, true, raised},
        {"1 pressed", 1, Pressed, false, true, true, sunken},
        {"1 focused: no default border", 1, Focused, true, false, false, focusOnly},
        {"1 disabled", 1, Disabled, false, false, false, plain},
        {"1 default", 1, Default, false, false, false, "H H H F H H F F F F S S F F F"},
        {"1 default pressed", 1, Default, false, true, true, "H H H H H H H H F F S S F F F"},
        {"1 design time", 1, DesignTime, false, false, false, raised},
        // 2: highlight colours, a text-coloured frame on hover.
        {"2 normal", 2, Normal, false, false, false, plain},
        {"2 hover", 2, Hover, false, false, true, "T T T T T T T T O O O O O O O"},
        {"2 pressed", 2, Pressed, false, true, true, "T T T T T T T T P P P P P P P"},
        {"2 held outside", 2, Pressed, false, true, false, "P P P P P P P P P P P P P P P"},
        {"2 focused", 2, Focused, true, false, false, focusOnly},
        {"2 disabled", 2, Disabled, false, false, false, plain},
        {"2 default: no default border", 2, Default, false, false, false, plain},
        {"2 border always", 2, Normal, false, false, false, "T T T T T T T T F F F F F F F", 1,
         true},
        {"2 design time: no border", 2, DesignTime, false, false, false, plain, 1, true},
        // Own colours instead of the highlight's: XPColor_Hover (3D light) and XPColor_Pressed
        // (button highlight) by default.
        {"2 hover, own colours", 2, Hover, false, false, true,
         "T T T T T T T T E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0 E0E0E0", 1, false, false},
        {"2 pressed, own colours", 2, Pressed, false, true, true,
         "T T T T T T T T FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF FFFFFF", 1, false, false},
        // 4: never a border.
        {"4 normal", 4, Normal, false, false, false, plain},
        {"4 hover", 4, Hover, false, false, true, plain},
        {"4 pressed", 4, Pressed, false, true, true, plain},
        {"4 focused", 4, Focused, true, false, false, focusOnly},
        {"4 disabled", 4, Disabled, false, false, false, plain},
        {"4 default", 4, Default, false, false, false, plain},
        {"4 design time", 4, DesignTime, false, false, false, plain},
        // Unknown styles draw like 1 at run time and raised at design time.
        {"7 normal", 7, Normal, false, false, false, plain},
        {"7 hover", 7, Hover, false, false, true, raised},
        {"-1 pressed", -1, Pressed, false, true, true, sunken},
        {"7 design time", 7, DesignTime, false, false, false, raised},
        // Bevels of three rings on the face: darker outward on the right and bottom, lighter
        // outward on the top and left, the top-right and bottom-left corners dark.
        {"0 bevel 2 raised", 0, Normal, false, false, false,
         "D8D8D8 AAA8A8 AAA8A8 AAA8A8 D8D8D8 D8D8D8 AAA8A8 AAA8A8 D0D0D0 D0D0D0 B1B0B0 B1B0B0 F F "
         "F",
         2},
        {"0 bevel 2 sunken", 0, Pressed, false, true, true,
         "AAA8A8 D8D8D8 D8D8D8 D8D8D8 AAA8A8 AAA8A8 D8D8D8 D8D8D8 B1B0B0 B1B0B0 D0D0D0 D0D0D0 F F "
         "F",
         2},
        // Default with bevels: a raised bevel of depth 8 + 3.
        {"1 default bevel 2", 1, Default, false, false, false,
         "E1E1E1 A29F9F A29F9F A29F9F E1E1E1 E1E1E1 A29F9F A29F9F D6D6D6 D6D6D6 ABAAAA ABAAAA F F "
         "F",
         2},
    };
    for (const StyleRow& r : rows) {
        INFO(std::string(r.name));
        ButtonPaintState s = faceState(40, 24);
        s.buttonStyle = AsFaceStyle(r.style);
        s.bevel = static_cast<std::int16_t>(r.bevel);
        s.xpShowBorderAlways = r.borderAlways;
        s.xpDefaultColors = r.xpDefaultColors;
        apply(s, r.state, r.focus, r.pressed, r.over);
        CHECK(pixels(paint(s), probes(40, 24)) == colours(r.expected));
    }
}

TEST_CASE("the XP face against its reference pixels") {
    const struct {
        const char* name;
        const char* expectedAs;  // the state of the reference whose pixels it must show
        State state;
        bool focus, pressed, over;
    } setups[] = {
        {"normal", "normal", Normal, false, false, false},
        {"focused", "focused", Focused, true, false, false},
        {"hover", "hover", Hover, false, false, true},
        {"hover over focus", "hover over focus", Focused, true, false, true},
        {"pressed", "pressed", Pressed, false, true, true},
        {"pressed with focus: no ring", "pressed", Pressed, true, true, true},
        {"held outside", "pressed", Pressed, false, true, false},
        {"disabled", "disabled", Disabled, false, false, false},
        {"disabled ignores hover and press", "disabled", Disabled, true, true, true},
        {"default changes nothing", "normal", Default, false, false, false},
        {"design time: never hovered", "normal", DesignTime, false, false, true},
    };
    for (const auto& setup : setups) {
        INFO(std::string(setup.name));
        ButtonPaintState s = faceState(249, 33);  // the Save button's size
        s.buttonStyle = FaceStyle::XP;
        apply(s, setup.state, setup.focus, setup.pressed, setup.over);
        const Image face = paint(s);
        int compared = 0;
        for (const XPProbe& p : kXPProbes) {
            if (std::strcmp(p.state, setup.expectedAs) != 0) {
                continue;
            }
            INFO(p.axis << " " << p.index);
            std::vector<Point> at;
            const int n = p.axis == 'c' ? face.height() : static_cast<int>(std::size(kRowX));
            for (int k = 0; k < n; ++k) {
                at.push_back(p.axis == 'c' ? Point{p.index, k} : Point{kRowX[k], p.index});
            }
            CHECK(pixels(face, at) == p.pixels);
            ++compared;
        }
        CHECK(compared > 0);
    }
}

TEST_CASE("the XP rings in their own colours") {
    // With the default colours off, the rings are the system highlight (20) and 3D light (22).
    const struct {
        bool over;
        int x, y;
        ColourRef expected;
    } rows[] = {
        {false, 1, 10, kHighlight}, {false, 2, 10, ShiftColor(kHighlight, 31)},
        {true, 1, 10, kLight3D},    {true, 100, 1, ShiftColor(kLight3D, 90)},
        {true, 100, 30, kLight3D},  {true, 100, 31, ShiftColor(kLight3D, -40)},
    };
    for (const auto& r : rows) {
        INFO("over " << r.over << " at " << r.x << ", " << r.y);
        ButtonPaintState s = faceState(249, 33);
        s.buttonStyle = FaceStyle::XP;
        s.xpDefaultColors = false;
        s.flags = {true, false, r.over, false};
        CHECK(pixels(paint(s), {{r.x, r.y}}) == hex(r.expected));
    }
}

TEST_CASE("the focus dots follow ShowFocusRect, never on the XP face") {
    for (int style : {0, 1, 2, 3, 4, 9}) {
        for (bool show : {true, false}) {
            CAPTURE(style);
            CAPTURE(show);
            ButtonPaintState s = faceState(40, 24);
            s.buttonStyle = AsFaceStyle(style);
            s.flags = {true, false, false, false};
            s.showFocusRect = false;
            Image expected = paint(s);
            if (show && style != 3) {
                DrawFocusRect(expected, {4, 4, 36, 20});
            }
            s.showFocusRect = show;
            CHECK(paint(s) == expected);
        }
    }
}
