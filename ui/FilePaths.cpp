#include "ui/FilePaths.h"

#include <QFile>
#include <QMimeData>
#include <QUrl>

#include <string>
#include <system_error>

namespace corvane {

namespace {

FsPathResult Refused(const QString& text) {
    if (text.contains(QChar::ReplacementCharacter)) {
        return {std::nullopt,
                QStringLiteral("The name \"%1\" cannot name a file exactly: the character %2 in "
                               "it stands for bytes that could not be read as text, so it could "
                               "name another file. Rename the file, or give its name to corvane "
                               "on the command line.")
                    .arg(text, QChar(QChar::ReplacementCharacter))};
    }
    return {std::nullopt, QStringLiteral("The name \"%1\" cannot be represented exactly as a file "
                                         "name on this system.")
                              .arg(text)};
}

#ifndef Q_OS_WIN
// UTF-8 of U+FFFD: a name holding it most likely passed through a lossy decode before us.
constexpr char kReplacementUtf8[] = "\xEF\xBF\xBD";

FsPathResult FromBytes(const QByteArray& bytes) {
    if (bytes.contains('\0') || bytes.contains(kReplacementUtf8)) {
        return Refused(QFile::decodeName(bytes));
    }
    return {std::filesystem::path(std::string(bytes.constData(), bytes.size())), {}};
}
#endif

}  // namespace

FsPathResult ToFsPath(const QString& text) {
    if (text.isEmpty() || text.contains(QChar(u'\0'))) {
        return Refused(text);
    }
#ifdef Q_OS_WIN
    return {std::filesystem::path(text.toStdWString()), {}};
#else
    const QByteArray bytes = QFile::encodeName(text);
    if (QFile::decodeName(bytes) != text) {
        return Refused(text);  // an unpaired surrogate, which no bytes decode to
    }
    return FromBytes(bytes);
#endif
}

std::filesystem::path AbsolutePath(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error) {
        return path;
    }
    // "." names the same folder whatever it is; ".." stays, since after a symbolic link it
    // is not the folder the text before it suggests.
    std::filesystem::path clean;
    for (const std::filesystem::path& part : absolute) {
        if (part != ".") {
            clean /= part;
        }
    }
    return clean;
}

QString FromFsPath(const std::filesystem::path& path) {
#ifdef Q_OS_WIN
    return QString::fromStdWString(path.native());
#else
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
#endif
}

FsPathResult LocalFileOfUrl(const QUrl& url) {
    if (!url.isValid() || !url.isLocalFile() || url.hasQuery() || url.hasFragment()) {
        return {};
    }
#ifdef Q_OS_WIN
    // Percent-encoded bytes that are not UTF-8 decode to U+FFFD here too.
    const QString local = url.toLocalFile();
    return local.contains(QChar::ReplacementCharacter) ? Refused(local) : ToFsPath(local);
#else
    // Another machine's file, or no absolute path, is not a local file here.
    const QString host = url.host();
    if (!host.isEmpty() && host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) != 0) {
        return {};
    }
    const QByteArray bytes =
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1());
    if (!bytes.startsWith('/')) {
        return {};
    }
    return FromBytes(bytes);
#endif
}

DropDecision DecideDrop(const QMimeData* data, Qt::DropActions possible) {
    if (data == nullptr || !data->hasUrls()) {
        return {};
    }
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1) {
        return {};
    }
    FsPathResult file = LocalFileOfUrl(urls.first());
    if (!file.path && file.problem.isEmpty()) {
        return {};
    }
    std::error_code error;
    if (file.path && std::filesystem::is_directory(*file.path, error)) {
        return {};
    }
    // A move would let the source delete its file once we have "taken" it.
    Qt::DropAction action = Qt::IgnoreAction;
    if (possible.testFlag(Qt::CopyAction)) {
        action = Qt::CopyAction;
    } else if (possible.testFlag(Qt::LinkAction)) {
        action = Qt::LinkAction;
    } else {
        return {};
    }
    return {true, action, std::move(file)};
}

}  // namespace corvane
