#include "controls/button/ButtonXPCore.h"

#include <limits>
#include <utility>

#include "controls/host/SetProperty.h"

namespace corvane {

// --- Property setters: store, report, then the setter's own steps ---

bool ButtonXPCore::setMousePointer(std::int32_t New_MousePointer) {
    if (New_MousePointer < std::numeric_limits<std::int16_t>::min() ||
        New_MousePointer > std::numeric_limits<std::int16_t>::max()) {
        return false;
    }
    SetAppliedProperty(*this, m_mousePointer, static_cast<std::int16_t>(New_MousePointer),
                       "MousePointer", [this] { m_shell.CursorChanged(); });
    return true;
}

void ButtonXPCore::setMouseIcon(const Picture& New_MouseIcon) {
    SetAppliedProperty(*this, m_mouseIcon, New_MouseIcon, "MouseIcon",
                       [this] { m_shell.CursorChanged(); });
}

void ButtonXPCore::setShowFocusRect(bool New_ShowFocusRect) {
    SetProperty(*this, g_ShowFocusRect, New_ShowFocusRect, "ShowFocusRect", Repaint{});
}

void ButtonXPCore::setURL(std::u16string New_URL) {
    SetProperty(*this, g_URL, std::move(New_URL), "URL");
}

void ButtonXPCore::setCaption(std::u16string New_Caption) {
    SetProperty(
        *this, g_Caption, std::move(New_Caption), "Caption", [this] { m_shell.AccessKeyChanged(); },
        Repaint{});
}

void ButtonXPCore::setButtonStyle(std::int32_t New_ButtonStyle) {
    SetProperty(
        *this, g_ButtonStyle, New_ButtonStyle, "ButtonStyle",
        [this, New_ButtonStyle] {
            if (AsFaceStyle(New_ButtonStyle) == FaceStyle::XP) {
                setTransparentBG(false);
            }
        },
        [this] { m_shell.ResizeHandler(); });
}

void ButtonXPCore::setPicturePosition(std::int32_t New_PicturePosition) {
    SetProperty(*this, g_PicturePosition, New_PicturePosition, "PicturePosition", Repaint{});
}

void ButtonXPCore::setPicture(const Picture& New_Picture) {
    g_CurrentPicture = New_Picture;
    g_Picture = New_Picture;
    if (New_Picture.isNone()) {
        g_OriginalPicSizeW = 32;
        g_OriginalPicSizeH = 32;
    } else {
        g_OriginalPicSizeW =
            Picture::himetricToPixels(New_Picture.himetricWidth(), m_shell.TwipsPerPixelX());
        g_OriginalPicSizeH =
            Picture::himetricToPixels(New_Picture.himetricHeight(), m_shell.TwipsPerPixelY());
    }
    PropertyChanged("Picture");
    if (AsPictureSizing(g_PictureSize) == PictureSizing::Natural) {
        g_PictureWidth = g_OriginalPicSizeW;
        g_PictureHeight = g_OriginalPicSizeH;
    }
    Refresh();
}

void ButtonXPCore::setPictureWidth(std::int32_t New_PictureWidth) {
    SetProperty(*this, g_PictureWidth, New_PictureWidth, "PictureWidth", Repaint{});
}

void ButtonXPCore::setPictureHeight(std::int32_t New_PictureHeight) {
    SetProperty(*this, g_PictureHeight, New_PictureHeight, "PictureHeight", Repaint{});
}

void ButtonXPCore::setPictureSize(std::int32_t New_PictureSize) {
    const auto resize = [this, New_PictureSize] {
        switch (AsPictureSizing(New_PictureSize)) {
            case PictureSizing::Small:
                g_PictureWidth = g_PictureHeight = 16;
                break;
            case PictureSizing::Large:
                g_PictureWidth = g_PictureHeight = 32;
                break;
            case PictureSizing::Natural:
                if (g_CurrentPicture.isNone()) {
                    g_PictureWidth = g_PictureHeight = 32;
                } else {
                    g_PictureWidth = g_OriginalPicSizeW;
                    g_PictureHeight = g_OriginalPicSizeH;
                }
                break;
            default:  // keeps the drawn size as it is
                break;
        }
    };
    SetProperty(*this, g_PictureSize, New_PictureSize, "PictureSize", resize, Repaint{});
}

void ButtonXPCore::setPictureHover(const Picture& New_PictureHover) {
    SetProperty(*this, g_PictureHover, New_PictureHover, "PictureHover");
}

void ButtonXPCore::setXPColor_Pressed(std::uint32_t New_XPColor_Pressed) {
    SetProperty(*this, g_XPColor_Pressed, New_XPColor_Pressed, "XPColor_Pressed");
}

void ButtonXPCore::setXPColor_Hover(std::uint32_t New_XPColor_Hover) {
    SetProperty(*this, g_XPColor_Hover, New_XPColor_Hover, "XPColor_Hover");
}

void ButtonXPCore::setXPDefaultColors(bool New_XPDefaultColors) {
    SetProperty(*this, g_XPDefaultColors, New_XPDefaultColors, "XPDefaultColors");
}

void ButtonXPCore::setBackColor(std::uint32_t New_BackColor) {
    SetProperty(
        *this, g_BackColor, New_BackColor, "BackColor",
        [this, New_BackColor] { m_surfaceBackColor = New_BackColor; }, Repaint{});
}

void ButtonXPCore::setForeColor(std::uint32_t New_ForeColor) {
    SetProperty(*this, g_ForeColor, New_ForeColor, "ForeColor", Repaint{});
}

void ButtonXPCore::setSoundOver(std::u16string New_SoundOver) {
    SetProperty(*this, g_SoundOver, std::move(New_SoundOver), "SoundOver");
}

void ButtonXPCore::setSoundClick(std::u16string New_SoundClick) {
    SetProperty(*this, g_SoundClick, std::move(New_SoundClick), "SoundClick");
}

void ButtonXPCore::setDefCurHand(bool New_DefCurHand) {
    SetProperty(*this, g_DefCurHand, New_DefCurHand, "DefCurHand");
}

void ButtonXPCore::setXPShowBorderAlways(bool New_XPShowBorderAlways) {
    SetProperty(*this, g_XPShowBorderAlways, New_XPShowBorderAlways, "XPShowBorderAlways");
}

void ButtonXPCore::setMaskColor(std::uint32_t New_MaskColor) {
    SetProperty(*this, g_MaskColor, New_MaskColor, "MaskColor", Repaint{});
}

void ButtonXPCore::setTransparentBG(bool New_TransparentBG) {
    SetProperty(*this, g_TransparentBG, New_TransparentBG, "TransparentBG", Repaint{});
}

void ButtonXPCore::setBEVEL(std::int16_t New_BEVEL) {
    SetProperty(*this, g_BEVEL, New_BEVEL, "BEVEL", Repaint{});
}

void ButtonXPCore::setBEVELDEPTH(std::int16_t New_BEVELDEPTH) {
    SetProperty(*this, g_BEVELDEPTH, New_BEVELDEPTH, "BEVELDEPTH", Repaint{});
}

void ButtonXPCore::showHoverPicture(bool hovering) {
    if (!hovering) {
        g_CurrentPicture = g_Picture;
    } else if (!g_PictureHover.isNone()) {
        g_CurrentPicture = g_PictureHover;
    }
}

// --- Surface ---

void ButtonXPCore::setSurfaceFont(const FontValue& f) {
    m_surfaceFont = f;
    m_shell.SurfaceFontChanged();
}

void ButtonXPCore::setClientSize(int w, int h) {
    g_ClientW = w;
    g_ClientH = h;
    g_FocusRect = {4, 4, w - 4, h - 4};
}

// --- Painting ---

ButtonPaintState ButtonXPCore::paintState(const ButtonShellFacts& facts) const {
    ButtonPaintState s;
    s.width = g_ClientW;
    s.height = g_ClientH;
    s.focusRect = g_FocusRect;
    s.buttonStyle = AsFaceStyle(g_ButtonStyle);
    s.transparentBG = g_TransparentBG;
    s.showFocusRect = g_ShowFocusRect;
    s.xpShowBorderAlways = g_XPShowBorderAlways;
    s.xpDefaultColors = g_XPDefaultColors;
    s.backColor = g_BackColor;
    s.foreColor = g_ForeColor;
    s.xpColorPressed = g_XPColor_Pressed;
    s.xpColorHover = g_XPColor_Hover;
    s.bevel = g_BEVEL;
    s.bevelDepth = g_BEVELDEPTH;
    s.surfaceBackColor = m_surfaceBackColor;
    s.flags = facts.flags;
    s.enabled = facts.enabled;
    s.userMode = facts.userMode;
    s.isDefault = facts.isDefault;
    s.caption = g_Caption;
    s.font = facts.font;
    SetFacePicture(s, g_CurrentPicture);
    s.pictureWidth = g_PictureWidth;
    s.pictureHeight = g_PictureHeight;
    s.originalPicWidth = g_OriginalPicSizeW;
    s.originalPicHeight = g_OriginalPicSizeH;
    s.picturePosition = AsPictureSide(g_PicturePosition);
    s.maskColor = g_MaskColor;
    s.previousLayout = m_layout;
    if (g_TransparentBG) {
        s.containerPicture = facts.containerPicture;
        s.containerOpaque = facts.containerOpaque;
        s.position = facts.position;
    }
    s.palette = facts.palette;
    s.devicePixelRatio = facts.devicePixelRatio;
    return s;
}

void ButtonXPCore::painted(const RefreshResult& r) {
    m_layout = r.layout;
    m_surfaceBackColor = r.surfaceBackColor;
}

void SetFacePicture(ButtonPaintState& s, const Picture& picture) {
    if (picture.isNone()) {
        s.pictureKind = FacePicture::None;
        s.picture = {};
        return;
    }
    switch (picture.kind()) {
        case PictureKind::Bitmap:
            s.pictureKind = FacePicture::Bitmap;
            break;
        case PictureKind::Icon:
            s.pictureKind = FacePicture::Icon;
            break;
        default:
            s.pictureKind = FacePicture::Other;
            break;
    }
    // A Picture keeps straight-alpha pixels (bitmaps opaque): its own pixels serve.
    s.picture = picture.image();
}

}  // namespace corvane
