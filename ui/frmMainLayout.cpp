// Builds frmMain in its designed state: the frame, the menu and every control at its place.

#include <QAction>
#include <QEvent>
#include <QFile>
#include <QIcon>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>

#include "controls/button/qt/Button_XP.h"
#include "controls/host/PropertyBag.h"
#include "controls/host/qt/ControlSite.h"
#include "controls/host/qt/QtPicture.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "ui/ColourButton.h"
#include "ui/frmMain.h"
#include "ui/frmMainAccessibility.h"
#include "ui/frmMainLayout.h"

namespace corvane {

using layout::ToPixels;

namespace {

// Centres a window, frame and title bar included, on the available area of its screen (the
// screen less panels and docks). The window system may add the frame only once the window is
// mapped (X11): until then the frame is unknown and the window is centred by its client area,
// and it is centred again as soon as a move or resize shows a frame of another size. Once it
// has been centred with its frame, it is left where the user puts it.
class FrameCentring final : public QObject {
public:
    explicit FrameCentring(QWidget* window) : QObject(window), m_window(window) {
        window->installEventFilter(this);
        Centre();
    }

    bool eventFilter(QObject*, QEvent* event) override {
        const QEvent::Type type = event->type();
        if ((type == QEvent::Show || type == QEvent::Move || type == QEvent::Resize) &&
            m_window->frameGeometry().size() != m_centred) {
            Centre();
        }
        return false;
    }

private:
    void Centre() {
        const QScreen* screen = m_window->screen();
        if (!screen) {
            return;
        }
        const QRect area = screen->availableGeometry();
        const QSize frame = m_window->frameGeometry().size();
        m_centred = frame;
        m_window->move(area.x() + (area.width() - frame.width()) / 2,
                       area.y() + (area.height() - frame.height()) / 2);
        if (frame != m_window->size()) {
            m_window->removeEventFilter(this);
            deleteLater();
        }
    }

    QWidget* m_window;
    QSize m_centred;
};

}  // namespace

void frmMain::BuildMenu() {
    // No access keys and no shortcuts: the captions carry no "&".
    Menu = menuBar()->addMenu(QStringLiteral("Menu"));
    mnuOpen = Menu->addAction(QStringLiteral("Open"));
    Sep = Menu->addSeparator();
    mnuSave = Menu->addAction(QStringLiteral("Save"));
    mnuSave->setEnabled(false);
}

void frmMain::BuildControls() {
    setWindowTitle(kAppTitle);
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/resources/icons/corvane-%1.png").arg(size),
                     QSize(size, size));
    }
    setWindowIcon(icon);
    // A fixed single-line frame with a close box only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);

    BuildMenu();
    client = new QWidget(this);
    client->setFixedSize(ToPixels(layout::kClient).size());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    TabControl1 = new TabControl(client);
    TabControl1->setGeometry(ToPixels(layout::kTabControl1));
    BuildTeamPage(TabControl1->AddPage(QStringLiteral("Team Manager")));
    BuildColourPage(TabControl1->AddPage(QStringLiteral("Pes Color Manager")));
    TabControl1->setCurrentIndex(0);
    TabControl1->setEnabled(false);

    cmd_Save = new Button_XP(MakeSite(QStringLiteral("cmd_Save")), client);
    cmd_Save->setGeometry(ToPixels(layout::kCmdSave));
    LoadStoredProperties(cmd_Save, QStringLiteral("cmd_Save"));
    cmd_Save->setFocusPolicy(Qt::StrongFocus);  // the form's tab stop, first in the order

    CD = new CommonDialog(m_colourDialog, this);

    SetTabOrder();
    NameControlsForAccessibility(*this);

    adjustSize();
    new FrameCentring(this);
}

void frmMain::BuildTeamPage(QWidget* page) {
    GroupBox5 = new GroupBox(QStringLiteral("Exhibition"), page);
    TabControl1->Place(GroupBox5, ToPixels(layout::kGroupBox5));

    Image1 = new ImageBox(page);
    Image1->setPicture(QPixmap(QStringLiteral(":/resources/pitch.gif")));
    TabControl1->Place(Image1, ToPixels(layout::kImage1));

    for (int slot = 0; slot < 4; ++slot) {
        auto* group = new GroupBox(QString::number(slot + 1), GroupBox5);
        group->setGeometry(ToPixels(layout::kTeamGroup[slot]));
        TeamGroups[slot] = group;

        txt[slot] = new FlatEdit(group);
        txt[slot]->setGeometry(ToPixels(layout::kTeamText[slot]));
        Combos[slot] = new ComboBox(group);
        Combos[slot]->setGeometry(ToPixels(layout::kTeamCombo));
        connect(Combos[slot], &ComboBox::Change, this,
                [this, slot] { m_editor.Combo_Change(slot); });
    }
}

void frmMain::BuildColourPage(QWidget* page) {
    // The two groups have the same shape; their places, captions and names differ.
    const auto build = [this, page](const ColourSlotControls& slot, const QString& caption,
                                    layout::Twips groupPlace, layout::Twips hexPlace,
                                    const QString& updownName) {
        GroupBox* group = this->*slot.group = new GroupBox(caption, page);
        TabControl1->Place(group, ToPixels(groupPlace));
        const layout::Twips components[3] = {layout::kRed, layout::kGreen, layout::kBlue};
        for (std::size_t i = 0; i < 3; ++i) {
            FlatEdit* field = C[slot.firstComponent + i] = new FlatEdit(group);
            field->setGeometry(ToPixels(components[i]));
        }
        ColourButton* button = this->*slot.button = new ColourButton(group);
        button->setGeometry(ToPixels(layout::kColourButton));
        // The hex field lies on the button and is drawn in front of it. It shows the colour
        // and nothing reads it back: typing there would be dropped, so it takes none, but its
        // text can still be selected and copied.
        FlatEdit* hex = this->*slot.hex = new FlatEdit(group);
        hex->setGeometry(ToPixels(hexPlace));
        hex->setReadOnly(true);
        GroupBox* frame = this->*slot.transparencyFrame =
                              new GroupBox(QStringLiteral("TRANSPARENT"), group);
        frame->setGeometry(ToPixels(layout::kTransparentFrame));
        ucUpDownBox* updown = this->*slot.transparency =
                                  new ucUpDownBox(MakeSite(updownName), frame);
        updown->setGeometry(ToPixels(layout::kUpDown));
        LoadStoredProperties(updown, updownName);
        connect(button, &QPushButton::clicked, this,
                [this, id = slot.id] { m_editor.ChooseColour(id); });
    };
    build(ControlsOf(ColourSlotId::Exhibition), QStringLiteral("Loading Icon (Exhibition)"),
          layout::kGroupBox7, layout::kResult, QStringLiteral("Up"));
    build(ControlsOf(ColourSlotId::Font), QStringLiteral("Pes Fonts Color"), layout::kGroupBox9,
          layout::kResult4, QStringLiteral("Up4"));
}

void frmMain::SetTabOrder() {
    // The designed order; group boxes take no focus and are left out of the chain.
    const QList<QWidget*> order = {
        cmd_Save,  TabControl1, Combos[3],  txt[3], Combos[2], txt[2], Combos[1], txt[1],
        Combos[0], txt[0],      cmd_Color4, Up4,    Result4,   C[12],  C[11],     C[10],
        cmd_Color, Up,          C[2],       C[1],   C[0],      Result,
    };
    for (qsizetype i = 0; i + 1 < order.size(); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

ControlSite* frmMain::MakeSite(const QString& name) {
    auto* site = new ControlSite(this);
    site->setAmbientFont(FontValueOf(font()));
    site->setDisplayName(name);
    return site;
}

void frmMain::LoadStoredProperties(UserControl* control, const QString& name) {
    QFile file(QStringLiteral(":/forms/%1.json").arg(name));
    PropertyBag bag;
    std::string error;
    if (!file.open(QIODevice::ReadOnly) ||
        !bag.fromText(file.readAll().toStdString(), &error, &QtPictures())) {
        // The form data is compiled in; a broken set is a build fault, not a user's.
        qFatal("The stored properties of %s are unreadable: %s", qPrintable(name), error.c_str());
    }
    control->ReadProperties(bag);
}

}  // namespace corvane
