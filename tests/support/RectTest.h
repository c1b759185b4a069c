#pragma once

// Rect as a Qt Test value: a column type for data rows, and readable failure messages for
// QCOMPARE.

#include <QtTest>

#include "controls/draw/Rect.h"

Q_DECLARE_METATYPE(corvane::Rect)

namespace corvane {
inline char* toString(const Rect& r) {
    return qstrdup(QStringLiteral("(%1, %2, %3, %4)")
                       .arg(r.left)
                       .arg(r.top)
                       .arg(r.right)
                       .arg(r.bottom)
                       .toUtf8());
}
}  // namespace corvane
