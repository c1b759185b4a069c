#pragma once

#include <QWidget>

#include "controls/host/PropertyBag.h"
#include "controls/host/qt/ControlSite.h"

namespace corvane {

// The life cycle a container drives on each custom control. Creating the control is its
// constructor; then the container calls exactly one of InitProperties (a freshly placed
// control) or ReadProperties (a control loaded from its stored set), and WriteProperties
// whenever it saves the layout. Resizing runs the control's resize handler (resizeEvent).
class UserControl : public QWidget {
    Q_OBJECT
public:
    UserControl(ControlSite* site, QWidget* parent);

    ControlSite* Site() const { return m_site; }

    virtual void InitProperties() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;

protected:
    void PropertyChanged(const QString& name) { m_site->PropertyChanged(name); }

private:
    ControlSite* m_site;
};

}  // namespace corvane
