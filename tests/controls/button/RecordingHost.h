#pragma once

// A button control that records every call the input machine makes, as text. Plain C++, so
// the machine's tests run without Qt (and under Wine).

#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "controls/button/ButtonInput.h"

namespace corvane::test {

using Log = std::vector<std::string>;

// A call and its arguments as text: Name(a,b,...); floats in their shortest form.
template <typename... Args>
std::string call(const char* name, Args... args) {
    std::ostringstream out;
    out << name << '(';
    const char* sep = "";
    ((out << sep << +args, sep = ","), ...);
    out << ')';
    return out.str();
}

// A control that records every call. Refresh logs the look being painted: P pressed,
// O mouse over, F focus, '-' for each flag that is off.
class RecordingHost final : public ButtonInputHost {
public:
    ButtonInput* machine = nullptr;
    Log log;
    bool enabled = true;
    bool pointerOver = true;
    int width = 100;
    int height = 30;
    std::function<void()> onPending;  // input that arrives while pending events run

    bool logged(const std::string& entry) const {
        for (const std::string& e : log) {
            if (e == entry) {
                return true;
            }
        }
        return false;
    }

    void Refresh() override {
        const ButtonInputFlags f = machine->Flags();
        log.push_back(std::string("Refresh(") + (f.Pressed ? 'P' : '-') +
                      (f.MouseOver ? 'O' : '-') + (f.HasFocus ? 'F' : '-') + ')');
    }
    void RaiseClick() override { log.emplace_back("Click"); }
    void RaiseKeyDown(std::int16_t k, std::int16_t s) override {
        log.push_back(call("KeyDown", k, s));
    }
    void RaiseKeyPress(std::int16_t a) override { log.push_back(call("KeyPress", a)); }
    void RaiseKeyUp(std::int16_t k, std::int16_t s) override { log.push_back(call("KeyUp", k, s)); }
    void RaiseMouseDown(std::int16_t b, std::int16_t s, float x, float y) override {
        log.push_back(call("MouseDown", b, s, x, y));
    }
    void RaiseMouseMove(std::int16_t b, std::int16_t s, float x, float y) override {
        log.push_back(call("MouseMove", b, s, x, y));
    }
    void RaiseMouseUp(std::int16_t b, std::int16_t s, float x, float y) override {
        log.push_back(call("MouseUp", b, s, x, y));
    }
    void RaiseMouseIn(std::int16_t s) override { log.push_back(call("MouseIn", s)); }
    void RaiseMouseOut(std::int16_t s) override { log.push_back(call("MouseOut", s)); }
    void PlayClickSound() override { log.emplace_back("Sound"); }
    void GoToURL() override { log.emplace_back("Link"); }
    void SetHoverTimer(bool on) override { log.emplace_back(on ? "Timer(on)" : "Timer(off)"); }
    void ProcessPendingEvents() override {
        log.emplace_back("Pending");
        if (onPending) {
            auto run = std::move(onPending);
            onPending = nullptr;
            run();
        }
    }
    void CaptureMouse() override { log.emplace_back("Capture"); }
    bool IsEnabled() const override { return enabled; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    bool PointerIsOverSurface() const override { return pointerOver; }
    void ShowHoverPicture() override { log.emplace_back("HoverPicture"); }
    void ShowNormalPicture() override { log.emplace_back("NormalPicture"); }
};

}  // namespace corvane::test
