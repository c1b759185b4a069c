#include "controls/host/qt/QtSystemColours.h"

namespace corvane {

QColor SystemColour(int index, const QPalette& p) {
    // The platform's scheme reaches us as a QPalette; each system colour index takes the
    // role nearest to its meaning.
    switch (index) {
        case 0:  // scroll bar
            return p.color(QPalette::Button);
        case 1:   // desktop
        case 2:   // active caption
        case 13:  // selection highlight
        case 26:  // hot-tracked item
        case 27:  // gradient active caption
            return p.color(QPalette::Highlight);
        case 14:  // highlighted text
            return p.color(QPalette::HighlightedText);
        case 3:   // inactive caption
        case 28:  // gradient inactive caption
            return p.color(QPalette::Mid);
        case 4:   // menu
        case 30:  // menu bar
            return p.color(QPalette::Window);
        case 5:  // window background
            return p.color(QPalette::Base);
        case 6:  // window frame
            return p.color(QPalette::Shadow);
        case 7:   // menu text
        case 9:   // caption text
        case 19:  // inactive caption text
            return p.color(QPalette::WindowText);
        case 8:  // window text
            return p.color(QPalette::Text);
        case 10:  // active border
        case 11:  // inactive border
        case 12:  // application workspace
            return p.color(QPalette::Window);
        case 15:  // button face
            return p.color(QPalette::Button);
        case 16:  // button shadow
            return p.color(QPalette::Dark);
        case 17:  // grey (disabled) text
            return p.color(QPalette::Disabled, QPalette::Text);
        case 18:  // button text
            return p.color(QPalette::ButtonText);
        case 20:  // button highlight
            return p.color(QPalette::Light);
        case 21:  // 3D dark shadow
            return p.color(QPalette::Shadow);
        case 22:  // 3D light
            return p.color(QPalette::Midlight);
        case 23:  // tooltip text
            return p.color(QPalette::ToolTipText);
        case 24:  // tooltip background
            return p.color(QPalette::ToolTipBase);
        case 29:  // menu highlight
            return p.color(QPalette::Highlight);
        default:  // a number the platform does not define: the window's face
            return p.color(QPalette::Window);
    }
}

SystemPalette PaletteOf(const QPalette& palette) {
    SystemPalette out;
    for (int i = 0; i < SystemPalette::kCount; ++i) {
        out.colours[static_cast<std::size_t>(i)] = QtToOle(SystemColour(i, palette));
    }
    out.undefined = QtToOle(SystemColour(-1, palette));
    return out;
}

}  // namespace corvane
