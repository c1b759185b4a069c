#include "controls/host/qt/SoundFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "controls/host/WaveFormat.h"

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace corvane {

namespace {

QString WithSlashes(const QString& file) {
    QString path = file;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
}

bool IsFile(const QString& path) {
    return QFileInfo(path).isFile();
}

}  // namespace

QString ResolveSoundPath(const QString& file, const QDir& folder) {
    if (file.isEmpty()) {
        return {};
    }
    return QDir::cleanPath(folder.absoluteFilePath(WithSlashes(file)));
}

QList<QDir> SoundFolders() {
    QList<QDir> folders{QDir::current()};
#ifdef CORVANE_DATA_DIR
    folders << QDir(QStringLiteral(CORVANE_DATA_DIR));
#endif
    if (QCoreApplication::instance()) {
        folders << QDir(QCoreApplication::applicationDirPath());
    }
    return folders;
}

QString FindSoundFile(const QString& file, const QList<QDir>& folders) {
    if (file.isEmpty()) {
        return {};
    }
    if (QDir::isAbsolutePath(WithSlashes(file))) {
        const QString path = QDir::cleanPath(WithSlashes(file));
        return IsFile(path) ? path : QString();
    }
    for (const QDir& folder : folders) {
        const QString path = ResolveSoundPath(file, folder);
        if (IsFile(path)) {
            return path;
        }
    }
    return {};
}

std::optional<QByteArray> ReadPlayableWave(const QString& path) {
    QFile file;
#ifdef Q_OS_UNIX
    // Without O_NONBLOCK, opening a FIFO put where the file was would wait for a writer.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return std::nullopt;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return std::nullopt;
    }
#else
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
#endif
    const qint64 size = file.size();
    if (file.isSequential() || size > kMaxSoundFileBytes) {
        return std::nullopt;
    }
    // What the file holds now, at most the size seen: one that changes meanwhile is checked
    // as read.
    QByteArray bytes = file.read(size);
    if (!IsPlayableWave({bytes.constData(), static_cast<std::size_t>(bytes.size())})) {
        return std::nullopt;
    }
    return bytes;
}

}  // namespace corvane
