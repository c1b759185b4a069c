// Takes the README's screenshots: the window with a demo file opened, one picture per page,
// grabbed from the screen it is shown on (run it under Xvfb: `make screenshots`).
//
//     ui_screenshots <output-folder>

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QScreen>
#include <QTest>

#include "tests/support/DemoFileFixture.h"
#include "tests/support/WindowDriver.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    corvane::test::DemoFileFixture demo(2012);
    // Teams 100, 121, 327 and 1264; an orange loading icon and pale blue fonts.
    const char teams[] = {100, 0, 121, 0, 0x47, 0x01, char(0xF0), 0x04};
    corvane::test::PokeBytes(demo.path(), 0x11A6814, QByteArray(teams, sizeof teams));
    corvane::test::PokeBytes(demo.path(), 0x11A756C, QByteArray("\xFF\x80\x00\xC8", 4));
    corvane::test::PokeBytes(demo.path(), 0x11A7538, QByteArray("\xC0\xE0\xFF\xFF", 4));

    corvane::test::WindowDriver d;
    d.Open(demo.path());
    const struct {
        int page;
        const char* name;
    } shots[] = {{0, "screenshot-teams.png"}, {1, "screenshot-colours.png"}};
    for (const auto& shot : shots) {
        d.ShowPage(shot.page);
        QTest::qWait(300);
        // The pixels on the screen, frame included where a window manager draws one.
        const QRect frame = d.w->frameGeometry();
        const QPixmap pixels =
            d.w->screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
        if (!pixels.save(QDir(out).filePath(QString::fromLatin1(shot.name)))) {
            qCritical("Cannot write %s", shot.name);
            return 1;
        }
    }
    return 0;
}
