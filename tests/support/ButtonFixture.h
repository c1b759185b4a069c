#pragma once

// A Button_XP on a fixed palette and font, so that its pixels depend on nothing outside the
// test. System colours resolve to the values of FaceFixture.h.

#include <QPalette>
#include <QWidget>

#include <memory>

#include "controls/button/qt/Button_XP.h"
#include "controls/button/qt/QtButtonFace.h"
#include "controls/draw/Draw.h"
#include "controls/host/qt/ControlSite.h"
#include "controls/host/qt/QtSystemColours.h"
#include "tests/controls/button/FaceFixture.h"
#include "tests/support/Button_XPTestAccess.h"
#include "tests/support/Pixels.h"

namespace fixture {

inline QPalette palette() {
    QPalette p;
    const auto c = [](quint32 v) { return corvane::OleToQt(v); };
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::Button, c(kFace));
        p.setColor(group, QPalette::Dark, c(kShadow));
        p.setColor(group, QPalette::Light, c(kHighlight));
        p.setColor(group, QPalette::Shadow, c(kDarkShadow));
        p.setColor(group, QPalette::Midlight, c(kLight3D));
        p.setColor(group, QPalette::ButtonText, c(kText));
        p.setColor(group, QPalette::Highlight, c(kSelection));
        p.setColor(group, QPalette::Window, c(kFace));
    }
    return p;
}

inline corvane::FontValue font() {
    corvane::FontValue f;
    f.name = u"DejaVu Sans";
    f.size = 8;
    return f;
}

// A new instance (the host's defaults) of the given size.
struct Button {
    explicit Button(int w = 40, int h = 24, const QString& name = QStringLiteral("cmd_Test")) {
        site.setAmbientFont(font());
        site.setDisplayName(name);
        // A child, as on the main window: its shape is a widget mask, not a window mask.
        button = std::make_unique<corvane::Button_XP>(&site, &container);
        button->setPalette(palette());
        button->InitProperties();
        // Shown (offscreen), so that resizing runs the resize handler at once.
        button->resize(w, h);
        container.resize(w + 20, h + 20);
        container.show();
    }
    corvane::Button_XP* operator->() const { return button.get(); }
    corvane::Button_XP& operator*() const { return *button; }
    corvane::ColourRef pixel(int x, int y) const {
        return corvane::GetPixel(corvane::Button_XPTestAccess::surfaceImage(*button), x, y);
    }
    void flags(bool focus, bool pressed, bool over) {
        corvane::Button_XPTestAccess::setFlags(*button, {focus, pressed, over, false});
    }

    QWidget container;
    corvane::ControlSite site;
    std::unique_ptr<corvane::Button_XP> button;
};

}  // namespace fixture
