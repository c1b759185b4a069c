#pragma once

// A button control that records every call the input machine makes, as text.

#include <QStringList>

#include <functional>

#include "controls/button/ButtonInput.h"

namespace corvane::test {

inline QString num(float v) {
    return QString::number(static_cast<double>(v));
}

// A control that records every call. Refresh logs the look being painted: P pressed,
// O mouse over, F focus, '-' for each flag that is off.
class RecordingHost final : public ButtonInputHost {
public:
    ButtonInput* machine = nullptr;
    QStringList log;
    bool enabled = true;
    bool pointerOver = true;
    int width = 100;
    int height = 30;
    std::function<void()> onPending;  // input that arrives while pending events run

    void Refresh() override {
        const ButtonInputFlags f = machine->Flags();
        log << QStringLiteral("Refresh(%1%2%3)")
                   .arg(f.Pressed ? 'P' : '-')
                   .arg(f.MouseOver ? 'O' : '-')
                   .arg(f.HasFocus ? 'F' : '-');
    }
    void RaiseClick() override { log << "Click"; }
    void RaiseKeyDown(qint16 k, qint16 s) override {
        log << QStringLiteral("KeyDown(%1,%2)").arg(k).arg(s);
    }
    void RaiseKeyPress(qint16 a) override { log << QStringLiteral("KeyPress(%1)").arg(a); }
    void RaiseKeyUp(qint16 k, qint16 s) override {
        log << QStringLiteral("KeyUp(%1,%2)").arg(k).arg(s);
    }
    void RaiseMouseDown(qint16 b, qint16 s, float x, float y) override {
        log << QStringLiteral("MouseDown(%1,%2,%3,%4)").arg(b).arg(s).arg(num(x), num(y));
    }
    void RaiseMouseMove(qint16 b, qint16 s, float x, float y) override {
        log << QStringLiteral("MouseMove(%1,%2,%3,%4)").arg(b).arg(s).arg(num(x), num(y));
    }
    void RaiseMouseUp(qint16 b, qint16 s, float x, float y) override {
        log << QStringLiteral("MouseUp(%1,%2,%3,%4)").arg(b).arg(s).arg(num(x), num(y));
    }
    void RaiseMouseIn(qint16 s) override { log << QStringLiteral("MouseIn(%1)").arg(s); }
    void RaiseMouseOut(qint16 s) override { log << QStringLiteral("MouseOut(%1)").arg(s); }
    void PlayClickSound() override { log << "Sound"; }
    void GoToURL() override { log << "Link"; }
    void SetHoverTimer(bool on) override { log << (on ? "Timer(on)" : "Timer(off)"); }
    void ProcessPendingEvents() override {
        log << "Pending";
        if (onPending) {
            auto run = std::move(onPending);
            onPending = nullptr;
            run();
        }
    }
    void CaptureMouse() override { log << "Capture"; }
    bool IsEnabled() const override { return enabled; }
    int Width() const override { return width; }
    int Height() const override { return height; }
    bool PointerIsOverSurface() const override { return pointerOver; }
    void ShowHoverPicture() override { log << "HoverPicture"; }
    void ShowNormalPicture() override { log << "NormalPicture"; }
};

}  // namespace corvane::test
