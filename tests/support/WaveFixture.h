#pragma once

// Wave files for the sound tests as QByteArrays (WaveBytes.h makes them), and writing them.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

#include "tests/support/WaveBytes.h"

namespace corvane::test {

// The bytes of WaveBytes.h as QByteArrays.
using bytes::WaveSpec;

inline QByteArray MakeWave(const WaveSpec& s = {}) {
    return QByteArray::fromStdString(bytes::MakeWave(s));
}

// Writes `bytes` to `path`, making its folders; false when that fails.
inline bool WriteFile(const QString& path, const QByteArray& bytes) {
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace corvane::test
