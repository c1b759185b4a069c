#pragma once

#include <QStringList>

#include "controls/host/PropertyBag.h"

// A property set's keys as a QStringList, for QCOMPARE.
inline QStringList BagKeys(const corvane::PropertyBag& bag) {
    QStringList out;
    for (const std::string& k : bag.keys()) {
        out << QString::fromStdString(k);
    }
    return out;
}
