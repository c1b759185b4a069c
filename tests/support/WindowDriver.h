#pragma once

// Drives frmMain the way a person does: the menu, the tabs, typing, the combo lists and the
// save button, with the dialogs answered by fakes.

#include <QAbstractItemView>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <memory>

#include "controls/button/qt/Button_XP.h"
#include "controls/updown/qt/ucUpDownBox.h"
#include "tests/support/UiFakes.h"
#include "ui/ColourButton.h"
#include "ui/frmMain.h"

namespace corvane::test {

struct WindowDriver {
    FakeFileDialog files;
    FakeColourDialog colours;
    RecordingMessages messages;
    std::unique_ptr<frmMain> w;
    bool exposed = false;

    explicit WindowDriver(FileOps* ops = nullptr) {
        w = std::make_unique<frmMain>(frmMainServices{&files, &colours, &messages, ops});
        w->show();
        exposed = QTest::qWaitForWindowExposed(w.get());
    }

    // Chooses a menu item with the mouse; a disabled item leaves the menu open, so it is
    // closed afterwards as a person would with Esc.
    void ClickMenu(QAction* item) {
        QMenuBar* bar = w->menuBar();
        QTest::mouseClick(bar, Qt::LeftButton, {},
                          bar->actionGeometry(w->Menu->menuAction()).center());
        QTRY_VERIFY(w->Menu->isVisible());
        QTest::mouseClick(w->Menu, Qt::LeftButton, {}, w->Menu->actionGeometry(item).center());
        if (w->Menu->isVisible()) {
            QTest::keyClick(w->Menu, Qt::Key_Escape);
        }
        QTRY_VERIFY(!w->Menu->isVisible());
    }

    // Open in the menu, answering the file dialog with `path`, or cancelling it.
    void Open(const std::optional<QString>& path) {
        files.answers = {path};
        ClickMenu(w->mnuOpen);
    }

    // The save button's click, as a person makes it: press and release over the button.
    // Sent to the window, not the widget, so that the button's cut-corner shape counts.
    void ClickSave(QPoint at = QPoint(-1, -1)) {
        Button_XP* b = w->cmd_Save;
        if (at == QPoint(-1, -1)) {
            at = b->rect().center();
        }
        QTest::mouseClick(w->windowHandle(), Qt::LeftButton, {}, b->mapTo(w.get(), at));
    }

    // The save button by keyboard: Tab from the field before it in the tab order, then space.
    void SaveWithKeys() {
        w->TabControl1->setCurrentIndex(0);
        w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(w.get()));
        w->txt[0]->setFocus();
        QTRY_VERIFY(w->txt[0]->hasFocus());
        QTest::keyClick(w->txt[0], Qt::Key_Tab);
        QVERIFY(w->cmd_Save->hasFocus());
        QTest::keyClick(w->cmd_Save, Qt::Key_Space);
    }

    // A turn of the mouse wheel (`angle` in eighths of a degree: 120 is one notch away from
    // the user) with the pointer over `target`, delivered to the window as the window system
    // delivers it, so that Qt picks the widget under the pointer and its wheel focus rules.
    void Wheel(QWidget* target, int angle) {
        const QPoint at = target->mapTo(w.get(), target->rect().center());
        QWheelEvent wheel(at, w->mapToGlobal(at), QPoint(), QPoint(0, angle), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QSpontaneKeyEvent::setSpontaneous(&wheel);  // as QTest's own key events
        QCoreApplication::instance()->notify(w->windowHandle(), &wheel);
    }

    void ShowPage(int page) {
        QTabBar* tabs = w->TabControl1->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(page).center());
    }

    static int PageOf(QWidget* control, frmMain* w) {
        return w->TabControl1->widget(1)->isAncestorOf(control) ? 1 : 0;
    }

    // Replaces a field's text by typing.
    void Type(QLineEdit* field, const QString& text) {
        ShowPage(PageOf(field, w.get()));
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        QTest::keyClicks(field, text);
    }

    // Picks an entry in a combo box's drop-down list with the mouse.
    void Choose(ComboBox* combo, const QString& entry) {
        ShowPage(PageOf(combo, w.get()));
        combo->showPopup();
        QAbstractItemView* view = combo->view();
        QTRY_VERIFY(view->isVisible());
        const int row = combo->findText(entry, Qt::MatchExactly);
        QVERIFY(row >= 0);
        const QRect r = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, r.center());
        QTRY_VERIFY(!view->isVisible());
    }

    // Everything the window shows that a command may change.
    QStringList Snapshot() const {
        QStringList s;
        for (const FlatEdit* f : w->txt) {
            s << f->Text();
        }
        for (const ComboBox* c : w->Combos) {
            s << c->Text() << QString::number(c->count());
        }
        for (int i : {0, 1, 2, 10, 11, 12}) {
            s << w->C[i]->Text();
        }
        s << w->Result->Text() << w->Result4->Text();
        s << QString::number(w->Up->Value()) << QString::number(w->Up4->Value());
        s << QString::number(w->cmd_Color->BackColor()) << w->cmd_Color->text();
        s << QString::number(w->cmd_Color4->BackColor()) << w->cmd_Color4->text();
        s << QString::number(w->TabControl1->isEnabled())
          << QString::number(w->mnuSave->isEnabled()) << QString::number(w->cmd_Save->isEnabled());
        s << w->FileName();
        return s;
    }
};

}  // namespace corvane::test
