#include "controls/host/qt/UserControl.h"

#include <QtDebug>

#include "controls/host/Warnings.h"

namespace corvane {

namespace {

void ToQtLog(std::string_view message) {
    qWarning("%.*s", static_cast<int>(message.size()), message.data());
}

}  // namespace

UserControl::UserControl(ControlSite* site, QWidget* parent)
    : QWidget(parent), m_site(site ? site : new ControlSite(this)) {
    // The engine's warnings join Qt's log, where tests and the user see them.
    SetWarningSink(ToQtLog);
}

}  // namespace corvane
