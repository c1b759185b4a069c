#pragma once

#include <QColor>
#include <QPalette>

#include "controls/host/SystemColours.h"

namespace corvane {

// The system colours of a Qt palette: each number takes the role nearest to its meaning.
// Every number maps through this one table, so a test can pin the colours by setting a palette.
SystemPalette PaletteOf(const QPalette& palette);

// The platform colour of one system colour number, from the same table.
QColor SystemColour(int index, const QPalette& palette);

// 0x00BBGGRR <-> QColor.
inline QColor OleToQt(quint32 rgb) {
    return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                  static_cast<int>((rgb >> 16) & 0xFF));
}
inline quint32 QtToOle(const QColor& c) {
    return static_cast<quint32>(c.red()) | (static_cast<quint32>(c.green()) << 8) |
           (static_cast<quint32>(c.blue()) << 16);
}

inline quint32 TranslateColor(quint32 colour, const QPalette& palette) {
    return colour <= 0xFFFFFFu
               ? colour
               : QtToOle(SystemColour(static_cast<int>(colour & 0xFFFFFFu), palette));
}

}  // namespace corvane
