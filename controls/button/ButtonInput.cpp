#include "controls/button/ButtonInput.h"

namespace corvane {

bool ButtonInput::inside(float x, float y) const {
    return x >= 0 && x < static_cast<float>(m_host.Width()) && y >= 0 &&
           y < static_cast<float>(m_host.Height());
}

bool ButtonInput::OnMouseDown(std::int16_t button, std::int16_t shift, float x, float y) {
    g_LastButton = button;
    g_LastShift = shift;
    g_LastX = x;
    g_LastY = y;
    if (button != kRightButton) {
        g_Pressed = true;
        m_host.Refresh();
    }
    return survives([&] { m_host.RaiseMouseDown(button, shift, x, y); });
}

bool ButtonInput::OnMouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
    if (inside(x, y) && !g_MouseOver) {
        m_host.SetHoverTimer(true);
        g_MouseOver = true;
        m_host.ShowHoverPicture();
        if (!survives([&] { m_host.RaiseMouseIn(shift); })) {
            return false;
        }
        m_host.Refresh();
        // Moves queued meanwhile see g_MouseOver set and do not enter again.
        if (!survives([&] { m_host.ProcessPendingEvents(); })) {
            return false;
        }
    }
    return survives([&] { m_host.RaiseMouseMove(button, shift, x, y); });
}

void ButtonInput::SetFlags(const ButtonInputFlags& f) {
    g_HasFocus = f.HasFocus;
    g_Pressed = f.Pressed;
    g_MouseOver = f.MouseOver;
    g_KeyHeld = f.KeyHeld;
}

bool ButtonInput::OnHoverTick() {
    if (m_host.PointerIsOverSurface()) {
        return true;
    }
    m_host.SetHoverTimer(false);
    g_MouseOver = false;
    m_host.ShowNormalPicture();
    if (!survives([&] { m_host.RaiseMouseOut(g_LastShift); })) {
        return false;
    }
    m_host.Refresh();
    if (g_Pressed) {
        // Held outside: drawn released, but the button stays held so that coming back in
        // shows it pressed again.
        g_Pressed = false;
        m_host.Refresh();
        g_Pressed = true;
    }
    return true;
}

bool ButtonInput::OnMouseUp(std::int16_t button, std::int16_t shift, float x, float y) {
    g_Pressed = false;
    if (button != kRightButton) {
        m_host.Refresh();
        if (inside(x, y)) {
            m_host.PlayClickSound();
            if (!survives([&] { m_host.RaiseClick(); }) || !survives([&] { m_host.GoToURL(); })) {
                return false;
            }
        }
    }
    return survives([&] { m_host.RaiseMouseUp(button, shift, x, y); });
}

bool ButtonInput::OnDblClick() {
    // The platform reports the second press of a double press as a double click; treat it
    // as that press so that a quick double click gives two complete clicks.
    m_host.CaptureMouse();
    return OnMouseDown(g_LastButton, g_LastShift, g_LastX, g_LastY);
}

bool ButtonInput::OnKeyDown(std::int16_t keyCode, std::int16_t shift) {
    if (!g_KeyHeld) {
        if (keyCode == kSpaceKey) {
            g_Pressed = true;
            g_MouseOver = true;
            m_host.Refresh();
        }
    }
    g_KeyHeld = true;
    return survives([&] { m_host.RaiseKeyDown(keyCode, shift); });
}

bool ButtonInput::OnKeyPress(std::int16_t keyAscii) {
    return survives([&] { m_host.RaiseKeyPress(keyAscii); });
}

bool ButtonInput::OnKeyUp(std::int16_t keyCode, std::int16_t shift) {
    if (keyCode == kSpaceKey) {
        // Clicks whether or not the press was seen here: the key may have gone down while
        // another control had the focus.
        g_Pressed = false;
        g_MouseOver = false;
        m_host.Refresh();
        if (!OnMouseUp(kLeftButton, shift, 0, 0)) {
            return false;
        }
    }
    g_KeyHeld = false;
    return survives([&] { m_host.RaiseKeyUp(keyCode, shift); });
}

bool ButtonInput::OnAccessKeyPress(std::int16_t) {
    if (!m_host.IsEnabled()) {
        return true;
    }
    return survives([&] { m_host.RaiseClick(); }) && survives([&] { m_host.GoToURL(); });
}

void ButtonInput::OnGotFocus() {
    g_HasFocus = true;
    m_host.Refresh();
}

void ButtonInput::OnLostFocus() {
    g_HasFocus = false;
    g_Pressed = false;
    m_host.Refresh();
}

}  // namespace corvane
