#include "controls/button/qt/QtButtonLink.h"

#include <QDesktopServices>

#include "controls/draw/qt/QtText.h"

namespace corvane {

QUrl LinkTarget(const QString& url, LinkKind kind, const QDir& cwd) {
    switch (kind) {
        case LinkKind::None:
            return {};
        case LinkKind::Mail:
            return QUrl(url, QUrl::TolerantMode);
        case LinkKind::Other:
            break;
    }
    return QUrl::fromUserInput(url, cwd.absolutePath());
}

bool DesktopOpenUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

LinkKind GoToURL(const QString& url, const UrlOpener& open) {
    const LinkKind kind = ClassifyLink(TextOf(url));
    if (kind != LinkKind::None && open) {
        open(LinkTarget(url, kind, QDir::current()));
    }
    return kind;
}

}  // namespace corvane
