#pragma once

// Stand-ins for the tab control, group box, combo box, flat edit and colour dialog that the
// window was designed with: thin Qt widgets with exactly the operations the window uses.

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTabWidget>

#include <vector>

#include "ui/Dialogs.h"

namespace corvane {

// A tab control whose page children are placed in the tab control's own coordinates, tab
// strip included, as the layout gives them. Qt puts the pages below the tab strip, so each
// placed child is moved back by the page's offset whenever the pages are laid out.
class TabControl : public QTabWidget {
    Q_OBJECT
public:
    explicit TabControl(QWidget* parent = nullptr);

    QWidget* AddPage(const QString& caption);
    // `child` is a child of one of the pages; `rect` is relative to the tab control.
    void Place(QWidget* child, const QRect& rect);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void PlaceChildren();

    struct Placed {
        QPointer<QWidget> widget;
        QRect rect;
    };
    std::vector<Placed> m_placed;
};

// A captioned frame; its children count from its own top-left corner. The caption sits on
// the frame's top edge, as the layout expects (content starts 16 pixels down), whatever the
// platform style would otherwise put there.
class GroupBox : public QGroupBox {
    Q_OBJECT
public:
    explicit GroupBox(const QString& caption, QWidget* parent = nullptr)
        : QGroupBox(caption, parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A drop-down list whose shown text may be any text, also one that is not in the list. What
// it shows changes only when the user chooses: typed text is never completed, a wheel turned
// over a list without the focus changes nothing (the wheel gives it no focus either), and the
// wheel, the arrow keys and the drop-down all start from the entry shown.
class ComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit ComboBox(QWidget* parent = nullptr);

    QString Text() const { return currentText(); }
    void setText(const QString& text);
    // Appends one entry; earlier entries and duplicates stay, and the shown text does not
    // change.
    void AddItem(const QString& item);
    void showPopup() override;

signals:
    // The user chose an entry: from the drop-down, with the wheel or the arrow keys, or by
    // typing its exact text (letter for letter, case included).
    void Change();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // Makes the entry whose text is shown (exactly) the current one, keeping the text.
    void SelectShownEntry();
    // Shows the entry `steps` below (above, when negative) the one shown and tells the user's
    // choice. A text that is no entry stands before the first.
    void Step(int steps);

    int m_wheelAngle = 0;  // turned but not yet a whole notch (touchpads send fractions)
};

// A single-line text field that shows numbers as decimal text.
class FlatEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FlatEdit(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void setNumber(qint64 value) { setText(QString::number(value)); }
};

// The colour dialog: a colour in, the chosen colour out, and the colour it was given when
// the user cancels.
class CommonDialog : public QObject {
    Q_OBJECT
public:
    CommonDialog(ColourDialogService& service, QWidget* owner);

    quint32 Color() const { return m_color; }
    void setColor(quint32 New_Color) { m_color = New_Color; }
    void ShowColor();

private:
    ColourDialogService& m_service;
    QWidget* m_owner;
    quint32 m_color = 0;
};

}  // namespace corvane
