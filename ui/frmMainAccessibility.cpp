// The names a screen reader announces for the window's fields. The window's own captions are
// terse ("1", "TRANSPARENT", a colour swatch without text), so each field gets a name that
// stands on its own and a description of what it holds.

#include "ui/frmMainAccessibility.h"

#include "controls/button/qt/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "controls/updown/qt/ucUpDownBoxAccessible.h"
#include "ui/ColourButton.h"
#include "ui/frmMain.h"

namespace corvane {

namespace {

void Name(QWidget* w, const QString& name, const QString& description) {
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

struct ColourGroup {
    const char* name;     // "Loading icon", "Font colour"
    const char* subject;  // what the colour colours, for the descriptions
};

void NameColourGroup(const ColourGroup& g, FlatEdit* const* rgb, ColourButton* button,
                     FlatEdit* hex, ucUpDownBox* transparency) {
    const QString name = QString::fromUtf8(g.name);
    const QString subject = QString::fromUtf8(g.subject);
    static const char* const kComponents[3] = {"red", "green", "blue"};
    for (int i = 0; i < 3; ++i) {
        const QString component = QString::fromUtf8(kComponents[i]);
        Name(rgb[i], QStringLiteral("%1 %2").arg(name, component),
             QStringLiteral("The %1 part of %2, a whole number from 0 to 255")
                 .arg(component, subject));
    }
    // "Loading icon colour", and "Font colour" rather than "Font colour colour".
    const QString colour =
        name.endsWith(QLatin1String(" colour")) ? name : name + QStringLiteral(" colour");
    Name(button, colour, QStringLiteral("Shows %1; press to choose another colour").arg(subject));
    Name(hex, colour + QStringLiteral(" hex"),
         QStringLiteral("%1 as hexadecimal text, blue green red")
             .arg(subject.at(0).toUpper() + subject.mid(1)));
    SetUpDownAccessibleText(
        transparency, name + QStringLiteral(" transparency"),
        QStringLiteral("The transparency of %1, a whole number from 0 to 255").arg(subject));
}

}  // namespace

void NameControlsForAccessibility(frmMain& w) {
    for (int slot = 0; slot < 4; ++slot) {
        const QString team = QStringLiteral("Team %1").arg(slot + 1);
        Name(w.txt[slot], team + QStringLiteral(" ID"),
             QStringLiteral("The team ID saved in slot %1, a whole number from -32768 to 32767")
                 .arg(slot + 1));
        Name(w.Combos[slot], team + QStringLiteral(" club"),
             QStringLiteral("Choosing a known club fills in the team ID of slot %1").arg(slot + 1));
    }
    NameColourGroup({"Loading icon", "the loading icon colour shown in Exhibition mode"}, &w.C[0],
                    w.cmd_Color, w.Result, w.Up);
    NameColourGroup({"Font colour", "the colour of the game's fonts"}, &w.C[10], w.cmd_Color4,
                    w.Result4, w.Up4);
    // The name stays the caption, which the button reads out by itself.
    w.cmd_Save->setAccessibleDescription(
        QStringLiteral("Writes all twelve values into the open file"));
    Name(w.Image1, QStringLiteral("Pitch"), QStringLiteral("A football pitch seen from above"));
}

}  // namespace corvane
