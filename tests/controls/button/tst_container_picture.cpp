// What a container offers its transparent children, found through their parent widget; the
// copy itself is the engine's (test_picture_draw.cpp).
#include <QTest>
#include <QWidget>

#include "controls/host/qt/BackgroundPicture.h"

using namespace corvane;

class TestContainer : public QWidget, public BackgroundPictureProvider {
public:
    QImage picture;
    const QImage* BackgroundPicture() const override { return &picture; }
};

class tst_ContainerPicture : public QObject {
    Q_OBJECT
private slots:
    void containerBackgroundPicture();
};

void tst_ContainerPicture::containerBackgroundPicture() {
    TestContainer container;
    container.picture = QImage(64, 300, QImage::Format_RGB32);
    QWidget control(&container);
    control.setGeometry(8, 256, 20, 10);
    QCOMPARE(ContainerBackgroundPicture(control.parentWidget()), &container.picture);

    // A container with a null picture, one that offers none, and no container at all offer
    // nothing.
    container.picture = QImage();
    QVERIFY(!ContainerBackgroundPicture(&container));
    QWidget plain;
    QVERIFY(!ContainerBackgroundPicture(&plain));
    QVERIFY(!ContainerBackgroundPicture(nullptr));
}

QTEST_MAIN(tst_ContainerPicture)
#include "tst_container_picture.moc"
