// The names a screen reader announces for the window's fields, from the window's layout table.
// The window's own captions are terse ("1", "TRANSPARENT", a colour swatch without text), so
// each field gets a name that stands on its own and a description of what it holds.

#include "ui/frmMainAccessibility.h"

#include "controls/updown/qt/ucUpDownBox.h"
#include "controls/updown/qt/ucUpDownBoxAccessible.h"
#include "ui/frmMain.h"

namespace corvane {

void NameControlsForAccessibility(frmMain& w) {
    for (const layout::Control& c : layout::kControls) {
        const QString name = QString::fromUtf8(c.accessibleName);
        const QString description = QString::fromUtf8(c.accessibleDescription);
        QWidget* widget = w.Control(c.id);
        if (c.kind == layout::Kind::UpDown) {
            SetUpDownAccessibleText(static_cast<ucUpDownBox*>(widget), name, description);
            continue;
        }
        // Without a name of its own, a control keeps its caption, which it reads out itself.
        if (!name.isEmpty()) {
            widget->setAccessibleName(name);
        }
        if (!description.isEmpty()) {
            widget->setAccessibleDescription(description);
        }
    }
}

}  // namespace corvane
