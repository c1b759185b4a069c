#pragma once

#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace corvane {

// A static picture stretched to the control's rectangle. It takes no input, and it keeps its
// colours when its container is disabled, as a picture on a form does.
class ImageBox : public QWidget {
public:
    explicit ImageBox(QWidget* parent = nullptr) : QWidget(parent) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    const QPixmap& Picture() const { return m_picture; }
    void setPicture(const QPixmap& New_Picture) {
        m_picture = New_Picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::SmoothPixmapTransform);  // thin pitch lines survive the squeeze
        p.drawPixmap(rect(), m_picture);
    }

private:
    QPixmap m_picture;
};

}  // namespace corvane
