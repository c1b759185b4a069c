#pragma once

#include <QDir>
#include <QString>
#include <QUrl>

#include <functional>

#include "controls/button/ButtonLink.h"

namespace corvane {

// The URL handed to the system. A mail link is taken as it stands; any other text as a user
// would type it in a browser or file manager: "www.example.com" becomes http, an existing
// file relative to `cwd` becomes a file URL.
QUrl LinkTarget(const QString& url, LinkKind kind, const QDir& cwd);

// Opens a URL with the system's handler for its scheme. The real one is
// QDesktopServices::openUrl (never a shell, so the text is never run as a command); tests
// intercept it with QDesktopServices::setUrlHandler.
using UrlOpener = std::function<bool(const QUrl&)>;
bool DesktopOpenUrl(const QUrl& url);

// Opens `url` as a button click does. The opener's result is not examined: a link that
// cannot be opened fails silently. Returns the kind that was acted on.
LinkKind GoToURL(const QString& url, const UrlOpener& open = DesktopOpenUrl);

}  // namespace corvane
