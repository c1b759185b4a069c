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

namespace corvane {

using layout::Ctl;

namespace {

// A control's place on its container in pixels: Qt scales logical pixels itself.
QRect PixelsOf(layout::Twips t) {
    constexpr int dpi = 1440 / layout::kTwipsPerPixel;
    return QRect(layout::ToPixels(t.left, dpi), layout::ToPixels(t.top, dpi),
                 layout::ToPixels(t.width, dpi), layout::ToPixels(t.height, dpi));
}
QRect PixelsOf(Ctl id) {
    return PixelsOf(layout::ControlOf(id).place);
}
QString CaptionOf(Ctl id) {
    return QString::fromUtf8(layout::ControlOf(id).caption);
}
Ctl Nth(Ctl first, int n) {
    return static_cast<Ctl>(static_cast<int>(first) + n);
}

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
    client->setFixedSize(PixelsOf(layout::kClient).size());
    setCentralWidget(client);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    TabControl1 = new TabControl(client);
    TabControl1->setGeometry(PixelsOf(Ctl::TabControl1));
    BuildTeamPage(TabControl1->AddPage(QString::fromUtf8(layout::kPageCaptions[0])));
    BuildColourPage(TabControl1->AddPage(QString::fromUtf8(layout::kPageCaptions[1])));
    TabControl1->setCurrentIndex(0);
    TabControl1->setEnabled(false);

    cmd_Save = new Button_XP(MakeSite(QStringLiteral("cmd_Save")), client);
    cmd_Save->setGeometry(PixelsOf(Ctl::cmd_Save));
    LoadStoredProperties(cmd_Save, QStringLiteral("cmd_Save"));
    cmd_Save->setFocusPolicy(Qt::StrongFocus);  // the form's tab stop, first in the order

    CD = new CommonDialog(m_colourDialog, this);

    SetTabOrder();
    NameControlsForAccessibility(*this);

    adjustSize();
    new FrameCentring(this);
}

void frmMain::BuildTeamPage(QWidget* page) {
    GroupBox5 = new GroupBox(CaptionOf(Ctl::GroupBox5), page);
    TabControl1->Place(GroupBox5, PixelsOf(Ctl::GroupBox5));

    Image1 = new ImageBox(page);
    Image1->setPicture(QPixmap(QStringLiteral(":/resources/pitch.gif")));
    TabControl1->Place(Image1, PixelsOf(Ctl::Image1));

    for (int slot = 0; slot < 4; ++slot) {
        auto* group = new GroupBox(CaptionOf(Nth(Ctl::GroupBox1, slot)), GroupBox5);
        group->setGeometry(PixelsOf(Nth(Ctl::GroupBox1, slot)));
        TeamGroups[slot] = group;

        txt[slot] = new FlatEdit(group);
        txt[slot]->setGeometry(PixelsOf(Nth(Ctl::txt0, slot)));
        Combos[slot] = new ComboBox(group);
        Combos[slot]->setGeometry(PixelsOf(Nth(Ctl::Combo1, slot)));
        connect(Combos[slot], &ComboBox::Change, this,
                [this, slot] { m_editor.Combo_Change(slot); });
    }
}

void frmMain::BuildColourPage(QWidget* page) {
    // The two groups have the same shape; their places, captions and names differ.
    struct Ids {
        Ctl group, red, button, hex, frame, updown;
    };
    const auto build = [this, page](const ColourSlotControls& slot, const Ids& ids) {
        GroupBox* group = this->*slot.group = new GroupBox(CaptionOf(ids.group), page);
        TabControl1->Place(group, PixelsOf(ids.group));
        for (int i = 0; i < 3; ++i) {
            FlatEdit* field = C[slot.firstComponent + static_cast<std::size_t>(i)] =
                new FlatEdit(group);
            field->setGeometry(PixelsOf(Nth(ids.red, i)));
        }
        ColourButton* button = this->*slot.button = new ColourButton(group);
        button->setGeometry(PixelsOf(ids.button));
        // The hex field lies on the button and is drawn in front of it. It shows the colour
        // and nothing reads it back: typing there would be dropped, so it takes none, but its
        // text can still be selected and copied.
        FlatEdit* hex = this->*slot.hex = new FlatEdit(group);
        hex->setGeometry(PixelsOf(ids.hex));
        hex->setReadOnly(true);
        GroupBox* frame = this->*slot.transparencyFrame = new GroupBox(CaptionOf(ids.frame), group);
        frame->setGeometry(PixelsOf(ids.frame));
        const QString updownName = QString::fromUtf8(layout::ControlOf(ids.updown).name);
        ucUpDownBox* updown = this->*slot.transparency =
                                  new ucUpDownBox(MakeSite(updownName), frame);
        updown->setGeometry(PixelsOf(ids.updown));
        LoadStoredProperties(updown, updownName);
        connect(button, &QPushButton::clicked, this,
                [this, id = slot.id] { m_editor.ChooseColour(id); });
    };
    build(ControlsOf(ColourSlotId::Exhibition),
          {Ctl::GroupBox7, Ctl::C0, Ctl::cmd_Color, Ctl::Result, Ctl::GroupBox8, Ctl::Up});
    build(ControlsOf(ColourSlotId::Font),
          {Ctl::GroupBox9, Ctl::C10, Ctl::cmd_Color4, Ctl::Result4, Ctl::GroupBox10, Ctl::Up4});
}

void frmMain::SetTabOrder() {
    // The designed order; group boxes take no focus and are left out of the chain.
    const layout::TabChain chain = layout::TabOrder();
    for (std::size_t i = 0; i + 1 < chain.count; ++i) {
        QWidget::setTabOrder(Control(chain.order[i]), Control(chain.order[i + 1]));
    }
}

QWidget* frmMain::Control(Ctl id) const {
    const int n = static_cast<int>(id);
    const auto from = [n](Ctl first) {
        return static_cast<std::size_t>(n - static_cast<int>(first));
    };
    switch (id) {
        case Ctl::cmd_Save:
            return cmd_Save;
        case Ctl::TabControl1:
            return TabControl1;
        case Ctl::GroupBox5:
            return GroupBox5;
        case Ctl::Image1:
            return Image1;
        case Ctl::GroupBox1:
        case Ctl::GroupBox2:
        case Ctl::GroupBox3:
        case Ctl::GroupBox4:
            return TeamGroups[from(Ctl::GroupBox1)];
        case Ctl::txt0:
        case Ctl::txt1:
        case Ctl::txt2:
        case Ctl::txt3:
            return txt[from(Ctl::txt0)];
        case Ctl::Combo1:
        case Ctl::Combo2:
        case Ctl::Combo3:
        case Ctl::Combo4:
            return Combos[from(Ctl::Combo1)];
        case Ctl::GroupBox7:
            return GroupBox7;
        case Ctl::GroupBox9:
            return GroupBox9;
        case Ctl::C0:
        case Ctl::C1:
        case Ctl::C2:
            return C[from(Ctl::C0)];
        case Ctl::C10:
        case Ctl::C11:
        case Ctl::C12:
            return C[10 + from(Ctl::C10)];
        case Ctl::cmd_Color:
            return cmd_Color;
        case Ctl::cmd_Color4:
            return cmd_Color4;
        case Ctl::Result:
            return Result;
        case Ctl::Result4:
            return Result4;
        case Ctl::GroupBox8:
            return GroupBox8;
        case Ctl::GroupBox10:
            return GroupBox10;
        case Ctl::Up:
            return Up;
        case Ctl::Up4:
            return Up4;
        case Ctl::Count:
            break;
    }
    return nullptr;
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
