#pragma once

// The routes by which a file name reaches the Open command as text (the file dialog, a
// dropped URL), and the decision whether a drag may be dropped on the window.
//
// A file name on Linux is bytes; the text Qt gives for it was decoded from those bytes, and a
// byte that is not UTF-8 became U+FFFD on the way. Encoding such a text again names a
// different file (or none), so a text is turned into a name only when the conversion is
// exact, and otherwise refused with a message that says why.

#include <QString>
#include <Qt>

#include <filesystem>
#include <optional>

class QMimeData;
class QUrl;

namespace corvane {

// A file name, or the reason why the text it came from names no file exactly.
struct FsPathResult {
    std::optional<std::filesystem::path> path;
    QString problem;  // set when there is no path
};

// The name of the file a text names: on Windows the same UTF-16 characters; elsewhere the
// bytes of the text, when decoding them gives the same text back and the text holds no
// U+FFFD that could stand for bytes lost before it reached us.
FsPathResult ToFsPath(const QString& text);

// `path` against the current folder, as the file dialog gives it, without "." parts; kept as
// it is when the current folder cannot be read.
std::filesystem::path AbsolutePath(const std::filesystem::path& path);

// The name for people: shown on the window and in messages, never used to open a file.
QString FromFsPath(const std::filesystem::path& path);

// The local file a URL names, from its percent-encoded bytes (so a dropped name that is not
// UTF-8 arrives as the bytes it is), under the same rule as ToFsPath. No path and no problem:
// the URL is not a local file.
FsPathResult LocalFileOfUrl(const QUrl& url);

// What the window does with a drag: one local file (not a folder) is taken, with an action
// that leaves the source alone; anything else is refused and the pointer shows it.
struct DropDecision {
    bool accept = false;
    Qt::DropAction action = Qt::IgnoreAction;  // Copy, or Link when the source offers no Copy
    FsPathResult file;                         // the file to open; a problem is reported on drop
};
DropDecision DecideDrop(const QMimeData* data, Qt::DropActions possible);

}  // namespace corvane
