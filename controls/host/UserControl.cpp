#include "controls/host/UserControl.h"

namespace corvane {

UserControl::UserControl(ControlSite* site, QWidget* parent)
    : QWidget(parent), m_site(site ? site : new ControlSite(this)) {}

}  // namespace corvane
