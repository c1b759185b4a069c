#pragma once

#include <cstdint>

#include <utility>

#include "controls/host/ReentryGuard.h"

namespace corvane {

// What the button's input handling needs of the control that owns it. The widget implements
// this; tests implement it with a recorder. Every call is made on the UI thread.
class ButtonInputHost {
public:
    virtual ~ButtonInputHost() = default;

    // Repaint the whole face from the current flags.
    virtual void Refresh() = 0;

    // Events raised to the control's container. Mouse Button is 1 left, 2 right, 4 middle;
    // Shift is 1 Shift, 2 Ctrl, 4 Alt; X and Y are in the control's pixels.
    virtual void RaiseClick() = 0;
    virtual void RaiseKeyDown(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void RaiseKeyPress(std::int16_t keyAscii) = 0;
    virtual void RaiseKeyUp(std::int16_t keyCode, std::int16_t shift) = 0;
    virtual void RaiseMouseDown(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseMouseMove(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseMouseUp(std::int16_t button, std::int16_t shift, float x, float y) = 0;
    virtual void RaiseMouseIn(std::int16_t shift) = 0;
    virtual void RaiseMouseOut(std::int16_t shift) = 0;

    // Plays SoundClick without waiting for it.
    virtual void PlayClickSound() = 0;
    // Opens URL (nothing when it is empty).
    virtual void GoToURL() = 0;

    // Starts or stops the 10 ms hover timer whose ticks call ButtonInput::OnHoverTick.
    virtual void SetHoverTimer(bool on) = 0;
    // Lets queued input and paint events run once; they may call back into ButtonInput.
    virtual void ProcessPendingEvents() = 0;
    // Sends all mouse input to the control until the buttons are released.
    virtual void CaptureMouse() = 0;

    virtual bool IsEnabled() const = 0;
    // Inner size of the control in pixels.
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // Whether the window under the pointer is the control itself (by window, not by
    // rectangle: another window lying over the button counts as the pointer being gone).
    virtual bool PointerIsOverSurface() const = 0;

    // g_CurrentPicture := g_PictureHover when that is not none.
    virtual void ShowHoverPicture() = 0;
    // g_CurrentPicture := g_Picture.
    virtual void ShowNormalPicture() = 0;
};

// The state flags the input machine drives and the painter reads: g_HasFocus, g_Pressed,
// g_MouseOver, g_KeyHeld.
struct ButtonInputFlags {
    bool HasFocus = false;
    bool Pressed = false;
    bool MouseOver = false;
    bool KeyHeld = false;
    friend bool operator==(const ButtonInputFlags&, const ButtonInputFlags&) = default;
};

// The button's input states: normal, hover, pressed and held outside, plus focus and the
// key-held latch. Each entry point is one input the widget received; the steps and the order
// of the raised events are fixed, because the container's handlers can see them.
//
// A handler of any event the machine raises (and the link, and the pending events it lets run)
// may delete the control, and this machine with it, as a plain `delete` of a Qt button in its
// own handler is allowed. Every entry point that can run the container's code therefore
// returns whether the control still exists: after `false` the machine has stopped without
// touching anything, and the caller must not touch the control or the machine either.
class ButtonInput {
public:
    explicit ButtonInput(ButtonInputHost& host) : m_host(host) {}
    ButtonInput(const ButtonInput&) = delete;
    ButtonInput& operator=(const ButtonInput&) = delete;

    bool OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y);
    bool OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y);
    bool OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y);
    // Reported in place of the second press of a quick double press whose first press was
    // this control's own (the widget decides; any other double click is a plain press).
    bool OnDblClick();
    // A key went down. Only the first press while no key is held here presses the button; the
    // widget drops X11's auto-repeat releases, so a held key's repeats find g_KeyHeld set.
    bool OnKeyDown(std::int16_t keyCode, std::int16_t shift);
    // A character arrived.
    bool OnKeyPress(std::int16_t keyAscii);
    bool OnKeyUp(std::int16_t keyCode, std::int16_t shift);
    // The access key, or Enter/Esc while the control is its form's default/cancel button.
    bool OnAccessKeyPress(std::int16_t keyAscii);
    void OnGotFocus();
    void OnLostFocus();
    bool OnHoverTick();

    ButtonInputFlags Flags() const { return {g_HasFocus, g_Pressed, g_MouseOver, g_KeyHeld}; }
    // Puts the machine in a given state without any call to the host (tests, the gallery).
    void SetFlags(const ButtonInputFlags& f);

    static constexpr std::int16_t kLeftButton = 1;
    static constexpr std::int16_t kRightButton = 2;
    static constexpr std::int16_t kMiddleButton = 4;
    static constexpr std::int16_t kSpaceKey = 32;

private:
    bool inside(float x, float y) const;
    // Runs one call that may run the container's code and tells whether this machine still
    // exists afterwards.
    template <typename Call>
    bool survives(Call&& call) {
        return m_guard.survives(std::forward<Call>(call));
    }

    ButtonInputHost& m_host;
    bool g_HasFocus = false;
    bool g_Pressed = false;
    bool g_MouseOver = false;
    bool g_KeyHeld = false;
    // The arguments of the last mouse press; never cleared.
    std::int16_t g_LastButton = 0;
    std::int16_t g_LastShift = 0;
    float g_LastX = 0;
    float g_LastY = 0;
    ReentryGuard m_guard;
};

}  // namespace corvane
