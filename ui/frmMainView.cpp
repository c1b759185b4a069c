// The window as the editor's view: each field of the editing logic is one of its controls.

#include <QAction>

#include "controls/button/qt/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "ui/ColourButton.h"
#include "ui/frmMain.h"

namespace corvane {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::size_t At(TeamSlot team) {
    return static_cast<std::size_t>(team);
}

}  // namespace

std::string frmMain::TeamIdText(TeamSlot team) const {
    return txt[At(team)]->Text().toStdString();
}

void frmMain::SetTeamIdText(TeamSlot team, const std::string& text) {
    txt[At(team)]->setText(FromUtf8(text));
}

std::string frmMain::ClubText(TeamSlot team) const {
    return Combos[At(team)]->Text().toStdString();
}

void frmMain::SetClubText(TeamSlot team, const std::string& text) {
    Combos[At(team)]->setText(FromUtf8(text));
}

void frmMain::AddClubs(TeamSlot team, const std::vector<std::string_view>& names) {
    for (const std::string_view name : names) {
        Combos[At(team)]->AddItem(FromUtf8(name));
    }
}

FlatEdit* frmMain::ComponentField(ColourSlotId slot, Component component) const {
    return C[ControlsOf(slot).firstComponent + ComponentIndex(component)];
}

std::string frmMain::ComponentText(ColourSlotId slot, Component component) const {
    return ComponentField(slot, component)->Text().toStdString();
}

void frmMain::SetComponentText(ColourSlotId slot, Component component, const std::string& text) {
    ComponentField(slot, component)->setText(FromUtf8(text));
}

int frmMain::Transparency(ColourSlotId slot) const {
    return (this->*ControlsOf(slot).transparency)->Value();
}

void frmMain::SetTransparency(ColourSlotId slot, int value) {
    (this->*ControlsOf(slot).transparency)->setValue(value);
}

std::uint32_t frmMain::ButtonColour(ColourSlotId slot) const {
    return (this->*ControlsOf(slot).button)->BackColor();
}

void frmMain::SetButtonColour(ColourSlotId slot, std::uint32_t colour) {
    (this->*ControlsOf(slot).button)->setBackColor(colour);
}

void frmMain::SetButtonCaption(ColourSlotId slot, const std::string& caption) {
    (this->*ControlsOf(slot).button)->setCaption(FromUtf8(caption));
}

void frmMain::SetHexText(ColourSlotId slot, const std::string& text) {
    (this->*ControlsOf(slot).hex)->setText(FromUtf8(text));
}

void frmMain::Enable(Command command) {
    switch (command) {
        case Command::Pages:
            TabControl1->setEnabled(true);
            return;
        case Command::SaveMenu:
            mnuSave->setEnabled(true);
            return;
        case Command::SaveButton:
            cmd_Save->setEnabled(true);
            return;
    }
}

}  // namespace corvane
