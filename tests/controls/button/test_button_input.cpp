// The button's input states driven directly: every call the machine makes to its control is
// logged as text, so each test compares the whole sequence, repaint points included. No
// toolkit: the same source runs natively and, cross-built, under Wine.
#include <doctest.h>

#include <initializer_list>
#include <sstream>
#include <string>

#include "controls/button/ButtonInputKeys.h"
#include "tests/controls/button/RecordingHost.h"

using namespace corvane;
using namespace corvane::test;

namespace {

// Runs a script of inputs separated by ';':
//   down|move|up B S X Y, dbl, key K S, repeat K S, char A, keyup K S, access,
//   focusin, focusout, tick, away (pointer leaves the window), back, disable.
void run(ButtonInput& m, RecordingHost& h, const std::string& script) {
    std::istringstream steps(script);
    std::string step;
    while (std::getline(steps, step, ';')) {
        std::istringstream in(step);
        std::string op;
        if (!(in >> op)) {
            continue;
        }
        int a = 0;
        int b = 0;
        float x = 0;
        float y = 0;
        const auto i = [](int v) { return static_cast<std::int16_t>(v); };
        if (op == "down" || op == "move" || op == "up") {
            in >> a >> b >> x >> y;
            if (op == "down") {
                m.OnMouseDown(i(a), i(b), x, y);
            } else if (op == "move") {
                m.OnMouseMove(i(a), i(b), x, y);
            } else {
                m.OnMouseUp(i(a), i(b), x, y);
            }
        } else if (op == "dbl") {
            m.OnDblClick();
        } else if (op == "key" || op == "repeat") {  // the machine treats a repeat as any press
            in >> a >> b;
            m.OnKeyDown(i(a), i(b));
        } else if (op == "char") {
            in >> a;
            m.OnKeyPress(i(a));
        } else if (op == "keyup") {
            in >> a >> b;
            m.OnKeyUp(i(a), i(b));
        } else if (op == "access") {
            m.OnAccessKeyPress(13);
        } else if (op == "focusin") {
            m.OnGotFocus();
        } else if (op == "focusout") {
            m.OnLostFocus();
        } else if (op == "tick") {
            m.OnHoverTick();
        } else if (op == "away") {
            h.pointerOver = false;
        } else if (op == "back") {
            h.pointerOver = true;
        } else if (op == "disable") {
            h.enabled = false;
        } else {
            FAIL("unknown step " << step);
        }
    }
}

std::string flagsText(const ButtonInputFlags& f) {
    return {f.Pressed ? 'P' : '-', f.MouseOver ? 'O' : '-', f.HasFocus ? 'F' : '-',
            f.KeyHeld ? 'K' : '-'};
}

const std::string kEnter = "move 0 0 5 5";
const Log kEnterLog = {"Timer(on)",    "HoverPicture", "MouseIn(0)",
                       "Refresh(-O-)", "Pending",      "MouseMove(0,0,5,5)"};

Log join(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& p : parts) {
        all.insert(all.end(), p.begin(), p.end());
    }
    return all;
}

struct Machine {
    RecordingHost host;
    ButtonInput machine{host};
    Machine() { host.machine = &machine; }
};

}  // namespace

TEST_CASE("input sequences") {
    const struct {
        const char* name;
        std::string script;
        Log expected;
        const char* flags;  // P O F K after the script
    } rows[] = {
        {"hover entry", kEnter, kEnterLog, "-O--"},
        {"MouseIn carries the entering move's Shift", "move 0 4 5 5",
         Log{"Timer(on)", "HoverPicture", "MouseIn(4)", "Refresh(-O-)", "Pending",
             "MouseMove(0,4,5,5)"},
         "-O--"},
        {"move outside raises only MouseMove", "move 0 0 -1 5", Log{"MouseMove(0,0,-1,5)"}, "----"},
        {"second move inside does not enter again", kEnter + "; move 0 0 6 6",
         join({kEnterLog, {"MouseMove(0,0,6,6)"}}), "-O--"},
        {"tick with the pointer still over does nothing", kEnter + "; tick; tick", kEnterLog,
         "-O--"},
        {"leave without a press: MouseOut(0)", kEnter + "; away; tick",
         join({kEnterLog, {"Timer(off)", "NormalPicture", "MouseOut(0)", "Refresh(---)"}}), "----"},
        {"left click inside", kEnter + "; down 1 2 5 6; up 1 2 7 8",
         join({kEnterLog,
               {"Refresh(PO-)", "MouseDown(1,2,5,6)", "Refresh(-O-)", "Sound", "Click", "Link",
                "MouseUp(1,2,7,8)"}}),
         "-O--"},
        {"middle button clicks too", kEnter + "; down 4 0 5 5; up 4 0 5 5",
         join({kEnterLog,
               {"Refresh(PO-)", "MouseDown(4,0,5,5)", "Refresh(-O-)", "Sound", "Click", "Link",
                "MouseUp(4,0,5,5)"}}),
         "-O--"},
        {"right button never presses or clicks", kEnter + "; down 2 0 5 5; up 2 0 5 5",
         join({kEnterLog, {"MouseDown(2,0,5,5)", "MouseUp(2,0,5,5)"}}), "-O--"},
        {"right release clears a held left press without repainting", "down 1 0 5 5; up 2 0 5 5",
         Log{"Refresh(P--)", "MouseDown(1,0,5,5)", "MouseUp(2,0,5,5)"}, "----"},
        {"drag out: drawn released but held; MouseOut gets the press's Shift",
         kEnter + "; down 1 2 5 5; move 1 1 150 5; away; tick",
         join({kEnterLog,
               {"Refresh(PO-)", "MouseDown(1,2,5,5)", "MouseMove(1,1,150,5)", "Timer(off)",
                "NormalPicture", "MouseOut(2)", "Refresh(P--)", "Refresh(---)"}}),
         "P---"},
        {"release outside: no sound, no click, no link",
         kEnter + "; down 1 0 5 5; away; tick; up 1 0 150 -4",
         join({kEnterLog,
               {"Refresh(PO-)", "MouseDown(1,0,5,5)", "Timer(off)", "NormalPicture", "MouseOut(0)",
                "Refresh(P--)", "Refresh(---)", "Refresh(---)", "MouseUp(1,0,150,-4)"}}),
         "----"},
        {"drag back in: MouseIn again, drawn pressed, release clicks",
         kEnter + "; down 1 0 5 5; away; tick; back; move 1 1 5 5; up 1 1 5 5",
         join({kEnterLog,
               {"Refresh(PO-)", "MouseDown(1,0,5,5)", "Timer(off)", "NormalPicture", "MouseOut(0)",
                "Refresh(P--)", "Refresh(---)", "Timer(on)", "HoverPicture", "MouseIn(1)",
                "Refresh(PO-)", "Pending", "MouseMove(1,1,5,5)", "Refresh(-O-)", "Sound", "Click",
                "Link", "MouseUp(1,1,5,5)"}}),
         "-O--"},
        {"space held: only the first press presses; release clicks at (0,0)",
         "key 32 0; char 32; repeat 32 0; char 32; key 32 0; keyup 32 0",
         Log{"Refresh(PO-)", "KeyDown(32,0)", "KeyPress(32)", "KeyDown(32,0)", "KeyPress(32)",
             "KeyDown(32,0)", "Refresh(---)", "Refresh(---)", "Sound", "Click", "Link",
             "MouseUp(1,0,0,0)", "KeyUp(32,0)"},
         "----"},
        {"space release without its press still clicks", "keyup 32 1",
         Log{"Refresh(---)", "Refresh(---)", "Sound", "Click", "Link", "MouseUp(1,1,0,0)",
             "KeyUp(32,1)"},
         "----"},
        {"space while a letter is held: no press, release clicks",
         "key 65 0; key 32 0; keyup 32 0; keyup 65 0",
         Log{"KeyDown(65,0)", "KeyDown(32,0)", "Refresh(---)", "Refresh(---)", "Sound", "Click",
             "Link", "MouseUp(1,0,0,0)", "KeyUp(32,0)", "KeyUp(65,0)"},
         "----"},
        {"a key held elsewhere: its first repeat here presses, as any first press",
         "repeat 32 0; repeat 32 0", Log{"Refresh(PO-)", "KeyDown(32,0)", "KeyDown(32,0)"}, "PO-K"},
        {"space release ends hover; the next move enters again",
         kEnter + "; key 32 0; keyup 32 0; move 0 0 6 6",
         join({kEnterLog,
               {"Refresh(PO-)", "KeyDown(32,0)", "Refresh(---)", "Refresh(---)", "Sound", "Click",
                "Link", "MouseUp(1,0,0,0)", "KeyUp(32,0)", "Timer(on)", "HoverPicture",
                "MouseIn(0)", "Refresh(-O-)", "Pending", "MouseMove(0,0,6,6)"}}),
         "-O--"},
        {"Enter has no handling of its own", "key 13 0; char 13; keyup 13 0",
         Log{"KeyDown(13,0)", "KeyPress(13)", "KeyUp(13,0)"}, "----"},
        {"access key: Click and link, no sound, no pressed look", "access", Log{"Click", "Link"},
         "----"},
        {"access key while disabled does nothing", "disable; access", Log{}, "----"},
        {"focus in and out repaint", "focusin; focusout", Log{"Refresh(--F)", "Refresh(---)"},
         "----"},
        {"focus out releases the press but keeps hover and the held key",
         kEnter + "; focusin; key 65 0; down 1 0 5 5; focusout",
         join({kEnterLog,
               {"Refresh(-OF)", "KeyDown(65,0)", "Refresh(POF)", "MouseDown(1,0,5,5)",
                "Refresh(-O-)"}}),
         "-O-K"},
        {"a disabled button's running timer still ends the hover", kEnter + "; disable; away; tick",
         join({kEnterLog, {"Timer(off)", "NormalPicture", "MouseOut(0)", "Refresh(---)"}}), "----"},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        Machine m;
        run(m.machine, m.host, r.script);
        CHECK(m.host.log == r.expected);
        CHECK(flagsText(m.machine.Flags()) == r.flags);
    }
}

TEST_CASE("inside is the half-open rectangle of the control") {
    const struct {
        const char* name;
        float x, y;
        bool clicks;
    } rows[] = {
        {"top-left corner", 0.0f, 0.0f, true},
        {"last pixel", 99.5f, 29.5f, true},
        {"right edge is outside", 100.0f, 5.0f, false},
        {"bottom edge is outside", 5.0f, 30.0f, false},
        {"left of the control", -0.5f, 5.0f, false},
        {"above the control", 5.0f, -1.0f, false},
    };
    for (const auto& r : rows) {
        CAPTURE(r.name);
        Machine m;
        m.machine.OnMouseDown(1, 0, 5, 5);
        m.machine.OnMouseUp(1, 0, r.x, r.y);
        CHECK(m.host.logged("Click") == r.clicks);
        CHECK(m.host.logged("Sound") == r.clicks);
        // A move there enters hover exactly when a release there would click.
        m.host.log.clear();
        m.machine.OnMouseMove(0, 0, r.x, r.y);
        CHECK(m.host.logged("MouseIn(0)") == r.clicks);
    }
}

TEST_CASE("nested moves during the hover entry do not enter again") {
    Machine m;
    m.host.onPending = [&m] {
        m.machine.OnMouseMove(0, 0, 7, 7);
        m.machine.OnMouseDown(1, 0, 7, 7);
    };
    m.machine.OnMouseMove(0, 0, 5, 5);
    CHECK(m.host.log == Log{"Timer(on)", "HoverPicture", "MouseIn(0)", "Refresh(-O-)", "Pending",
                            "MouseMove(0,0,7,7)", "Refresh(PO-)", "MouseDown(1,0,7,7)",
                            "MouseMove(0,0,5,5)"});
}

TEST_CASE("a double click repeats the stored press") {
    Machine m;
    run(m.machine, m.host, kEnter + "; down 1 1 5 6; up 1 1 5 6; dbl; up 1 1 5 6");
    const Log after(m.host.log.begin() + static_cast<std::ptrdiff_t>(kEnterLog.size()),
                    m.host.log.end());
    CHECK(after == Log{"Refresh(PO-)", "MouseDown(1,1,5,6)", "Refresh(-O-)", "Sound", "Click",
                       "Link", "MouseUp(1,1,5,6)", "Capture", "Refresh(PO-)", "MouseDown(1,1,5,6)",
                       "Refresh(-O-)", "Sound", "Click", "Link", "MouseUp(1,1,5,6)"});
}

// A shell feeds key events through RouteKeyEvent. X11 reports a held space as press,
// (release, press) flagged auto-repeat..., release.
TEST_CASE("X11's auto-repeat presses once") {
    Machine m;
    const struct {
        bool release;
        bool autoRepeat;
    } events[] = {{false, false}, {true, true},  {false, true},
                  {true, true},   {false, true}, {true, false}};
    for (const auto& e : events) {
        switch (RouteKeyEvent(e.release, e.autoRepeat)) {
            case KeyRoute::Press:
            case KeyRoute::RepeatPress:
                m.machine.OnKeyDown(32, 0);
                break;
            case KeyRoute::Release:
                m.machine.OnKeyUp(32, 0);
                break;
            case KeyRoute::Drop:
                break;
        }
    }
    CHECK(m.host.log == Log{"Refresh(PO-)", "KeyDown(32,0)", "KeyDown(32,0)", "KeyDown(32,0)",
                            "Refresh(---)", "Refresh(---)", "Sound", "Click", "Link",
                            "MouseUp(1,0,0,0)", "KeyUp(32,0)"});
}

TEST_CASE("key routes") {
    CHECK(RouteKeyEvent(false, false) == KeyRoute::Press);
    CHECK(RouteKeyEvent(false, true) == KeyRoute::RepeatPress);
    CHECK(RouteKeyEvent(true, false) == KeyRoute::Release);
    CHECK(RouteKeyEvent(true, true) == KeyRoute::Drop);
}
