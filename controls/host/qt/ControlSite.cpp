#include "controls/host/qt/ControlSite.h"

#include <QGuiApplication>
#include <QScreen>

namespace corvane {

void ControlSite::setAmbientFont(const FontValue& f) {
    m_ambientFont = f;
    emit ambientChanged(QStringLiteral("Font"));
}

void ControlSite::setUserMode(bool on) {
    m_userMode = on;
    emit ambientChanged(QStringLiteral("UserMode"));
}

void ControlSite::setDefault(bool on) {
    if (m_default != on) {
        m_default = on;
        emit flagsChanged();
    }
}

void ControlSite::setCancel(bool on) {
    if (m_cancel != on) {
        m_cancel = on;
        emit flagsChanged();
    }
}

namespace {
double twipsPerPixel(bool horizontal) {
    const QScreen* s = QGuiApplication::primaryScreen();
    if (!s) {
        return 15.0;
    }
    const double dpi = horizontal ? s->logicalDotsPerInchX() : s->logicalDotsPerInchY();
    return dpi > 0 ? 1440.0 / dpi : 15.0;
}
}  // namespace

double ControlSite::TwipsPerPixelX() {
    return twipsPerPixel(true);
}
double ControlSite::TwipsPerPixelY() {
    return twipsPerPixel(false);
}

}  // namespace corvane
