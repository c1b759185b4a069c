#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/button/ButtonLayout.h"
#include "controls/button/ButtonPaintState.h"
#include "controls/button/ButtonPainter.h"
#include "controls/button/ButtonValues.h"
#include "controls/draw/Rect.h"
#include "controls/host/FontValue.h"
#include "controls/host/Picture.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/SystemColours.h"

namespace corvane {

// What a Button_XP's engine asks of the shell it lives in (the QWidget on Linux, the window
// on Windows): reports, repaints and the platform's side of a few properties.
class ButtonXPShell {
public:
    // The host's notice that the stored set is out of date.
    virtual void PropertyChanged(std::string_view name) = 0;
    // Rebuild the face from paintState() and show it.
    virtual void Refresh() = 0;
    // Minimum size, client size (setClientSize), window shape, then Refresh.
    virtual void ResizeHandler() = 0;
    // The caption changed: the shell parses its access key and registers it.
    virtual void AccessKeyChanged() = 0;
    // MousePointer or MouseIcon changed: the shell shows the pointer they make.
    virtual void CursorChanged() = 0;
    // The surface's font changed (surfaceFont()): the shell resolves it for drawing.
    virtual void SurfaceFontChanged() = 0;
    // Loading: the Font property's object takes the value without reporting it.
    virtual void LoadFontObject(const FontValue& f) = 0;
    // The Enabled property is the shell's (a container may grey the button without it).
    virtual bool Enabled() const = 0;
    virtual void LoadEnabled(bool enabled) = 0;
    // Ambient properties and the screen.
    virtual FontValue AmbientFont() const = 0;
    virtual std::u16string DisplayName() const = 0;
    virtual double TwipsPerPixelX() const = 0;
    virtual double TwipsPerPixelY() const = 0;

protected:
    ~ButtonXPShell() = default;
};

// What a repaint takes from the shell besides the control's own state.
struct ButtonShellFacts {
    ButtonInputFlags flags;
    bool enabled = true;  // greyed by itself or its container
    bool userMode = true;
    bool isDefault = false;
    Font font;  // the surface font resolved for drawing
    SystemPalette palette;
    double devicePixelRatio = 1.0;
    ConstImageView containerPicture;
    bool containerOpaque = false;
    Point position;
};

// Button_XP without a platform: the fields behind its properties, their setters (store,
// report, repaint, through SetProperty), the stored property set and the paint snapshot.
// The shell keeps what only it has: the Font object, Enabled, the access key, the cursor,
// the input machine and the surface.
class ButtonXPCore {
public:
    explicit ButtonXPCore(ButtonXPShell& shell) : m_shell(shell) {}

    void InitProperties();
    // Loads the fields, then has the shell set the access key and run its resize handler.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Reports and repaints go to the shell (SetProperty calls these).
    void PropertyChanged(std::string_view name) { m_shell.PropertyChanged(name); }
    void Refresh() { m_shell.Refresh(); }

    // --- Properties ---
    std::int16_t MousePointer() const { return m_mousePointer; }
    // Refuses (false, nothing changes) a value outside 16 bits.
    bool setMousePointer(std::int32_t New_MousePointer);
    const Picture& MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const Picture& New_MouseIcon);
    bool ShowFocusRect() const { return g_ShowFocusRect; }
    void setShowFocusRect(bool New_ShowFocusRect);
    const std::u16string& URL() const { return g_URL; }
    void setURL(std::u16string New_URL);
    const std::u16string& Caption() const { return g_Caption; }
    void setCaption(std::u16string New_Caption);
    std::int32_t ButtonStyle() const { return g_ButtonStyle; }
    void setButtonStyle(std::int32_t New_ButtonStyle);
    std::int32_t PicturePosition() const { return g_PicturePosition; }
    void setPicturePosition(std::int32_t New_PicturePosition);
    // The picture painted now: the hover picture while hovering, else the normal one.
    const Picture& CurrentPicture() const { return g_CurrentPicture; }
    void setPicture(const Picture& New_Picture);
    std::int32_t PictureWidth() const { return g_PictureWidth; }
    void setPictureWidth(std::int32_t New_PictureWidth);
    std::int32_t PictureHeight() const { return g_PictureHeight; }
    void setPictureHeight(std::int32_t New_PictureHeight);
    std::int32_t PictureSize() const { return g_PictureSize; }
    void setPictureSize(std::int32_t New_PictureSize);
    const Picture& PictureHover() const { return g_PictureHover; }
    void setPictureHover(const Picture& New_PictureHover);
    std::uint32_t XPColor_Pressed() const { return g_XPColor_Pressed; }
    void setXPColor_Pressed(std::uint32_t New_XPColor_Pressed);
    std::uint32_t XPColor_Hover() const { return g_XPColor_Hover; }
    void setXPColor_Hover(std::uint32_t New_XPColor_Hover);
    bool XPDefaultColors() const { return g_XPDefaultColors; }
    void setXPDefaultColors(bool New_XPDefaultColors);
    std::uint32_t BackColor() const { return g_BackColor; }
    void setBackColor(std::uint32_t New_BackColor);
    std::uint32_t ForeColor() const { return g_ForeColor; }
    void setForeColor(std::uint32_t New_ForeColor);
    const std::u16string& SoundOver() const { return g_SoundOver; }
    void setSoundOver(std::u16string New_SoundOver);
    const std::u16string& SoundClick() const { return g_SoundClick; }
    void setSoundClick(std::u16string New_SoundClick);
    bool DefCurHand() const { return g_DefCurHand; }
    void setDefCurHand(bool New_DefCurHand);
    bool XPShowBorderAlways() const { return g_XPShowBorderAlways; }
    void setXPShowBorderAlways(bool New_XPShowBorderAlways);
    std::uint32_t MaskColor() const { return g_MaskColor; }
    void setMaskColor(std::uint32_t New_MaskColor);
    bool TransparentBG() const { return g_TransparentBG; }
    void setTransparentBG(bool New_TransparentBG);
    std::int16_t BEVEL() const { return g_BEVEL; }
    void setBEVEL(std::int16_t New_BEVEL);
    std::int16_t BEVELDEPTH() const { return g_BEVELDEPTH; }
    void setBEVELDEPTH(std::int16_t New_BEVELDEPTH);

    // Hover entry (true): the hover picture becomes current when there is one. Leave (false):
    // the normal picture does. Does not repaint.
    void showHoverPicture(bool hovering);

    // --- Surface ---
    const FontValue& surfaceFont() const { return m_surfaceFont; }
    // Sets the surface's font and tells the shell (no report, no repaint).
    void setSurfaceFont(const FontValue& f);
    std::uint32_t surfaceBackColor() const { return m_surfaceBackColor; }
    // The size the resize handler settled on: the client size and the focus rectangle.
    void setClientSize(int w, int h);
    Rect focusRect() const { return g_FocusRect; }
    int naturalPictureWidth() const { return g_OriginalPicSizeW; }
    int naturalPictureHeight() const { return g_OriginalPicSizeH; }
    const ButtonLayout& layout() const { return m_layout; }

    // The snapshot one repaint reads: the control's state plus what the shell supplies.
    ButtonPaintState paintState(const ButtonShellFacts& facts) const;
    // What a repaint left behind: its layout and the surface's back colour.
    void painted(const RefreshResult& r);

private:
    struct Properties;  // the stored properties' table (ButtonXPProperties.cpp)

    ButtonXPShell& m_shell;

    // Surface settings the control uses directly.
    std::uint32_t m_surfaceBackColor = SysColour::ButtonFace;
    FontValue m_surfaceFont;
    std::int16_t m_mousePointer = static_cast<std::int16_t>(PointerShape::Custom);
    Picture m_mouseIcon;

    // Per-instance fields behind the properties. They start zeroed, as a fresh instance's do;
    // their defaults live in one place, the table that InitProperties and ReadProperties walk.
    std::u16string g_Caption;
    std::int32_t g_PicturePosition = 0;
    std::int32_t g_ButtonStyle = 0;
    Picture g_Picture;
    Picture g_PictureHover;
    Picture g_CurrentPicture;
    std::int32_t g_PictureWidth = 0;
    std::int32_t g_PictureHeight = 0;
    std::int32_t g_PictureSize = 0;
    std::int32_t g_OriginalPicSizeW = 0;
    std::int32_t g_OriginalPicSizeH = 0;
    std::u16string g_URL;
    bool g_ShowFocusRect = false;
    bool g_TransparentBG = false;
    bool g_XPShowBorderAlways = false;
    bool g_DefCurHand = false;
    bool g_XPDefaultColors = false;
    std::int16_t g_BEVEL = 0;
    std::int16_t g_BEVELDEPTH = 0;
    std::uint32_t g_BackColor = 0;
    std::uint32_t g_ForeColor = 0;
    std::uint32_t g_MaskColor = 0;
    std::uint32_t g_XPColor_Pressed = 0;
    std::uint32_t g_XPColor_Hover = 0;
    std::u16string g_SoundOver;
    std::u16string g_SoundClick;

    // Painting state kept between repaints.
    int g_ClientW = 0;
    int g_ClientH = 0;
    Rect g_FocusRect;
    ButtonLayout m_layout;
};

// The snapshot's picture: its kind and a view of its pixels (which the Picture keeps).
void SetFacePicture(ButtonPaintState& s, const Picture& picture);

}  // namespace corvane
