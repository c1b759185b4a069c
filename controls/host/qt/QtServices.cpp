#include "controls/host/qt/QtServices.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>

#include "controls/draw/qt/QtText.h"
#include "controls/host/qt/SoundPlayer.h"

namespace corvane {

QtTimer::QtTimer() {
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        // A copy: the tick may restart the timer with another function, or delete it.
        const std::function<void()> tick = m_tick;
        if (tick) {
            tick();
        }
    });
}

void QtTimer::start(int intervalMs, std::function<void()> tick) {
    m_tick = std::move(tick);
    m_timer.start(intervalMs);
}

void QtWavePlayer::play(std::u16string_view name, std::string_view wave) {
    ProcessSoundPlayer().play(QStringOf(name),
                              QByteArray(wave.data(), static_cast<qsizetype>(wave.size())));
}

bool QtLinkOpener::open(std::u16string_view target) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(QStringOf(target)));
}

std::u16string QtClipboard::text() const {
    const QClipboard* c = QGuiApplication::clipboard();
    return c ? c->text().toStdU16String() : std::u16string();
}

void QtClipboard::setText(std::u16string_view text) {
    if (QClipboard* c = QGuiApplication::clipboard()) {
        c->setText(QStringOf(text));
    }
}

Clipboard& ProcessClipboard() {
    static QtClipboard clipboard;
    return clipboard;
}

LinkOpener& ProcessLinkOpener() {
    static QtLinkOpener opener;
    return opener;
}

}  // namespace corvane
