#include "controls/button/ButtonLink.h"

#include <QDesktopServices>

namespace corvane {

LinkKind ClassifyLink(const QString& url) {
    if (url.startsWith(QLatin1String("mailto:"), Qt::CaseSensitive)) {
        return LinkKind::Mail;
    }
    return url.isEmpty() ? LinkKind::None : LinkKind::Other;
}

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
    const LinkKind kind = ClassifyLink(url);
    if (kind != LinkKind::None && open) {
        open(LinkTarget(url, kind, QDir::current()));
    }
    return kind;
}

}  // namespace corvane
