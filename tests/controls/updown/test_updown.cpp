// The up-down box's engine without a toolkit: the value rules, the layout arithmetic and the
// stored properties, natively and, cross-built, under Wine.
#include <doctest.h>

#include <limits>
#include <string>
#include <vector>

#include "controls/updown/UpDownLayout.h"
#include "controls/updown/UpDownModel.h"
#include "controls/updown/UpDownRules.h"

using namespace corvane;

namespace {
constexpr int kIntMin = std::numeric_limits<std::int32_t>::min();
constexpr int kIntMax = std::numeric_limits<std::int32_t>::max();

std::u16string U(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}
}  // namespace

TEST_CASE("the text rule takes a number within the bounds, and 0 for no number") {
    struct Row {
        const char* name;
        int min, max;
        std::vector<std::string> texts;  // the field's text after each keystroke
        std::vector<int> values;         // Value after each
        std::vector<bool> changes;       // whether Change was raised after each
    };
    const Row rows[] = {
        {"3 0 0 beyond Max", 0, 255, {"3", "30", "300"}, {3, 30, 30}, {true, true, false}},
        {"-5 below Min", 0, 255, {"7", "-", "-5"}, {7, 0, 0}, {true, true, false}},
        {"text deleted", 0, 255, {"30", "3", ""}, {30, 3, 0}, {true, true, true}},
        {"empty while 0", 0, 255, {"", "-", "0"}, {0, 0, 0}, {false, false, false}},
        {"negative range",
         -10,
         10,
         {"-", "-5", "-50", "-5"},
         {0, -5, -5, -5},
         {false, true, false, false}},
        {"leading zeros",
         0,
         255,
         {"0", "00", "007", "-0"},
         {0, 0, 7, 0},
         {false, false, true, true}},
        {"not numbers",
         0,
         255,
         {"12", "1-2", "12", "--1", "12", "12-"},
         {12, 0, 12, 0, 12, 0},
         {true, true, true, true, true, true}},
        {"huge", 0, 255, {"9", "99999999999999999999999"}, {9, 9}, {true, false}},
        {"32-bit limits",
         kIntMin,
         kIntMax,
         {"2147483647", "2147483648", "-2147483648", "-2147483649"},
         {kIntMax, kIntMax, kIntMin, kIntMin},
         {true, false, true, false}},
        {"Min equals Max", 5, 5, {"5", "6", "4"}, {5, 5, 5}, {true, false, false}},
        {"Min above Max", 9, 3, {"5", "9", "3", ""}, {0, 0, 0, 0}, {false, false, false, false}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        UpDownRules rules;
        rules.setMin(r.min);
        rules.setMax(r.max);
        for (std::size_t i = 0; i < r.texts.size(); ++i) {
            CAPTURE(r.texts[i]);
            const bool changed = rules.applyText(U(r.texts[i]));
            CHECK(rules.Value() == r.values[i]);
            CHECK(changed == r.changes[i]);
        }
    }
}

TEST_CASE("a spin step moves Value by one within the bounds and is always reported") {
    struct Row {
        const char* name;
        int min, max;
        const char* text;  // what the field showed before the steps
        std::vector<int> steps;
        std::vector<int> values;
    };
    const Row rows[] = {
        {"up", 0, 255, "0", {1, 1, 1}, {1, 2, 3}},
        {"down at Min", 0, 255, "1", {-1, -1, -1}, {0, 0, 0}},
        {"up at Max", 0, 255, "254", {1, 1, -1}, {255, 255, 254}},
        {"after rejected 300", 0, 255, "300", {1}, {1}},
        {"any positive is up", 0, 9, "5", {7, -3}, {6, 5}},
        {"32-bit top", 0, kIntMax, "2147483646", {1, 1}, {kIntMax, kIntMax}},
        {"32-bit bottom", kIntMin, 0, "-2147483647", {-1, -1}, {kIntMin, kIntMin}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        UpDownRules rules;
        rules.setMin(r.min);
        rules.setMax(r.max);
        rules.applyText(U(r.text));
        for (std::size_t i = 0; i < r.steps.size(); ++i) {
            // Every step is reported, a step at a bound too.
            CHECK(rules.spin(r.steps[i]));
            CHECK(rules.Value() == r.values[i]);
            // Showing the new number runs the text rule, which finds nothing to change.
            CHECK_FALSE(rules.applyText(UpDownRules::text(rules.Value())));
        }
        // The arrows being reset to the middle is no step.
        const int before = rules.Value();
        CHECK_FALSE(rules.spin(0));
        CHECK(rules.Value() == before);
    }
}

TEST_CASE("a write of Value shows it clamped to Min, then to Max") {
    struct Row {
        const char* name;
        int min, max, written;
        const char* text;
    };
    const Row rows[] = {
        {"above Max", 0, 255, 300, "255"},
        {"below Min", 0, 255, -7, "0"},
        {"inside", 0, 255, 128, "128"},
        {"at Max", 0, 255, 255, "255"},
        {"negative bounds", -20, -10, 0, "-10"},
        {"Min above Max: upper wins", 10, 5, 0, "5"},
        {"32-bit extremes", kIntMin, kIntMax, kIntMin, "-2147483648"},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        UpDownRules rules;
        rules.setMin(r.min);
        rules.setMax(r.max);
        CHECK(rules.textForValue(r.written) == U(r.text));
    }
}

TEST_CASE("a number is an optional minus and digits") {
    struct Row {
        const char* name;
        std::u16string text;
        std::optional<std::int64_t> value;
    };
    const Row rows[] = {
        {"digit", u"5", 5},
        {"negative", u"-42", -42},
        {"twelve digits", u"999999999999", 999999999999},
        {"thirteen digits", u"1000000000000", 1000000000000},
        {"zeros then digits", u"0000000000000000042", 42},
        {"far too long", std::u16string(400, u'9'), 1000000000000},
        {"far too negative", u"-" + std::u16string(40, u'9'), -1000000000000},
        {"empty", u"", std::nullopt},
        {"minus", u"-", std::nullopt},
        {"plus", u"+5", std::nullopt},
        {"blank", u" 5", std::nullopt},
        {"point", u"5.0", std::nullopt},
        {"exponent", u"1e3", std::nullopt},
        {"arabic-indic digit", u"\u0665", std::nullopt},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        CHECK(UpDownRules::parseNumber(r.text) == r.value);
    }
}

TEST_CASE("the layout keeps two arrows' width and one line's height, and is stable") {
    struct Row {
        const char* name;
        int widthTwips, heightTwips;
        int frame;  // border pixels on each side
        double twipsPerPixel;
        int expectedWidthTwips, expectedHeightTwips, innerWidth;
    };
    // B = 17, T = 13 throughout: the inner height is always 17.
    const Row rows[] = {
        {"Up: 3015 x 315", 3015, 315, 1, 15.0, 3015, 285, 199},
        {"too narrow", 300, 315, 1, 15.0, 540, 285, 34},
        {"exactly two bars", 540, 285, 1, 15.0, 540, 285, 34},
        {"one pixel short", 525, 285, 1, 15.0, 540, 285, 34},
        {"no width, no border", 0, 0, 0, 15.0, 510, 255, 34},
        {"very tall", 3015, 30000, 1, 15.0, 3015, 285, 199},
        {"too short", 3015, 15, 0, 15.0, 3015, 255, 201},
        {"120 dpi", 2412, 252, 1, 12.0, 2412, 228, 199},
        {"120 dpi narrow", 120, 252, 1, 12.0, 432, 228, 34},
    };
    const int b = 17;
    const int t = 13;
    for (const Row& r : rows) {
        CAPTURE(r.name);
        UpDownLayoutInput in;
        in.outerWidthTwips = r.widthTwips;
        in.outerHeightTwips = r.heightTwips;
        in.innerWidth = static_cast<int>(r.widthTwips / r.twipsPerPixel) - 2 * r.frame;
        in.innerHeight = static_cast<int>(r.heightTwips / r.twipsPerPixel) - 2 * r.frame;
        in.barWidth = b;
        in.lineHeight = t;
        in.twipsPerPixelX = r.twipsPerPixel;
        in.twipsPerPixelY = r.twipsPerPixel;

        const UpDownLayout out = layoutUpDown(in);
        CHECK(out.outerWidthTwips == r.expectedWidthTwips);
        CHECK(out.outerHeightTwips == r.expectedHeightTwips);
        CHECK(out.innerWidth == r.innerWidth);
        CHECK(out.innerHeight == t + 4);
        // The field at (1, 1), W - B - 1 wide and H high; the bar at W - B, B wide and H high.
        CHECK(out.field == Rect{1, 1, r.innerWidth - b, 1 + t + 4});
        CHECK(out.bar == Rect{r.innerWidth - b, 0, r.innerWidth, t + 4});

        // The host's second resize, to the size just set, changes nothing.
        UpDownLayoutInput again = in;
        again.outerWidthTwips = out.outerWidthTwips;
        again.outerHeightTwips = out.outerHeightTwips;
        again.innerWidth = out.innerWidth;
        again.innerHeight = out.innerHeight;
        const UpDownLayout second = layoutUpDown(again);
        CHECK(second.outerWidthTwips == out.outerWidthTwips);
        CHECK(second.outerHeightTwips == out.outerHeightTwips);
        CHECK(second.field == out.field);
        CHECK(second.bar == out.bar);
    }
}

namespace {

// A shell that only keeps the field's text, running the text rule on each write as a field
// does, and counts what it was asked to show.
class FieldView final : public UpDownView {
public:
    FieldView() : model(*this) {}
    UpDownModel model;
    std::u16string text;
    int colours = 0;
    int fonts = 0;

    FontValue AmbientFont() const override {
        FontValue f;
        f.charset = 238;
        return f;
    }
    std::vector<std::string> log;  // what the setters asked for, in order

    void applyColours() override {
        ++colours;
        log.push_back("colours");
    }
    void applyFont() override {
        ++fonts;
        log.push_back("font");
    }
    void applyAlignment() override { log.push_back("alignment"); }
    void applyEnabled() override { log.push_back("enabled"); }
    void applyLayout() override { log.push_back("layout"); }
    void PropertyChanged(std::string_view name) override {
        log.push_back("changed " + std::string(name));
    }
    bool showText(std::u16string_view t) override {
        text = t;
        model.rules.applyText(t);
        return true;
    }
    void init() {
        model.InitBeforeFont();
        model.font = AmbientFont();
        model.InitAfterFont();
    }
};

}  // namespace

TEST_CASE("a new instance shows 0 within 0 and 100, and a save at the defaults stores nothing") {
    FieldView v;
    v.init();
    CHECK(v.text == u"0");
    CHECK(v.model.rules.Min() == 0);
    CHECK(v.model.rules.Max() == 100);
    CHECK(v.model.borderStyle == 1);
    CHECK(v.model.backColor == 0x80000005u);
    CHECK(v.model.foreColor == 0x80000008u);
    PropertyBag bag;
    bag.write("Stale", 1, 0);
    v.model.Write(bag);
    CHECK(bag.keys() == std::vector<std::string>{"stale"});

    // Back at its defaults after a change, nothing of it is stored either.
    PropertyBag bag2;
    v.showText(v.model.rules.textForValue(9));
    v.model.Write(bag2);
    CHECK(bag2.keys() == std::vector<std::string>{"value"});
    v.showText(v.model.rules.textForValue(0));
    v.model.Write(bag2);
    CHECK(bag2.isEmpty());
}

TEST_CASE("a setter stores, shows, then reports; a number not of its kind is ignored") {
    using Log = std::vector<std::string>;
    struct Row {
        const char* name;
        void (*set)(UpDownModel&);
        Log expected;
    };
    const Row rows[] = {
        {"Alignment 1",
         [](UpDownModel& m) { m.setAlignment(1); },
         {"alignment", "changed Alignment"}},
        {"Alignment 3", [](UpDownModel& m) { m.setAlignment(3); }, {}},
        {"BackColor",
         [](UpDownModel& m) { m.setBackColor(0xFF); },
         {"colours", "changed BackColor"}},
        {"ForeColor",
         [](UpDownModel& m) { m.setForeColor(0xFF); },
         {"colours", "changed ForeColor"}},
        {"BorderStyle 0",
         [](UpDownModel& m) { m.setBorderStyle(0); },
         {"layout", "changed BorderStyle"}},
        {"BorderStyle 2", [](UpDownModel& m) { m.setBorderStyle(2); }, {}},
        {"Enabled", [](UpDownModel& m) { m.setEnabled(false); }, {"enabled", "changed Enabled"}},
        {"Font",
         [](UpDownModel& m) { m.setFont(FontValue{}); },
         {"font", "layout", "changed Font"}},
        {"Max", [](UpDownModel& m) { m.setMax(7); }, {"changed Max"}},
        {"Min", [](UpDownModel& m) { m.setMin(-7); }, {"changed Min"}},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        FieldView v;
        r.set(v.model);
        CHECK(v.log == r.expected);
    }
    FieldView v;
    v.model.setAlignment(3);
    v.model.setBorderStyle(-1);
    CHECK(v.model.alignment == 0);
    CHECK(v.model.borderStyle == 1);
}

TEST_CASE("a load saves back as it was, the value taken against the bounds just loaded") {
    struct Row {
        const char* name;
        int value;
        const char* shown;
        int taken;
    };
    const Row rows[] = {
        {"inside", 15, "15", 15},
        // A stored value outside the bounds is shown as stored but not taken.
        {"outside", 90, "90", 0},
    };
    for (const Row& r : rows) {
        CAPTURE(r.name);
        PropertyBag bag;
        bag.write("Alignment", 2);
        bag.write("BorderStyle", 0);
        bag.write("ForeColor", OleColour{0xFF00});
        bag.write("Min", 10);
        bag.write("Max", 20);
        bag.write("Value", r.value);
        FieldView v;
        v.model.Read(bag);
        CHECK(v.text == U(r.shown));
        CHECK(v.model.rules.Value() == r.taken);
        CHECK(v.model.alignment == 2);
        CHECK(v.model.border() == 0);
        CHECK(v.colours == 2);  // the control's background, then the field's colours
        CHECK(v.fonts == 1);
        if (r.taken == r.value) {
            PropertyBag saved;
            v.model.Write(saved);
            CHECK(saved.keys() == std::vector<std::string>{"alignment", "borderstyle", "forecolor",
                                                           "min", "max", "value"});
            CHECK(saved.toText() == bag.toText());
        }
    }
}

TEST_CASE("a paste takes a run of what can be typed, without the blanks around it") {
    const std::pair<std::u16string, std::u16string> rows[] = {
        {u"42", u"42"}, {u" 42\n", u"42"}, {u"\u00a0-3\u3000", u"-3"},
        {u"4a2", u""},  {u"1.5", u""},     {u"  ", u""},
        {u"4 2", u""},  {u"", u""},
    };
    for (const auto& [clipboard, inserted] : rows) {
        CAPTURE(std::string(clipboard.begin(), clipboard.end()));
        CHECK(UpDownRules::pastable(clipboard) == inserted);
    }
}
