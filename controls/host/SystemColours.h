#pragma once

#include <QColor>
#include <QPalette>

namespace corvane {

// A colour value with the top bit set names a system colour by the number in its low three
// bytes (0x8000000F: number 15, button face).
inline constexpr quint32 kSystemColourFlag = 0x80000000u;

// The system colours the controls name, as colour values.
namespace SysColour {
inline constexpr quint32 WindowBackground = kSystemColourFlag | 5;
inline constexpr quint32 WindowFrame = kSystemColourFlag | 6;
inline constexpr quint32 WindowText = kSystemColourFlag | 8;
inline constexpr quint32 Highlight = kSystemColourFlag | 13;
inline constexpr quint32 ButtonFace = kSystemColourFlag | 15;
inline constexpr quint32 ButtonShadow = kSystemColourFlag | 16;
inline constexpr quint32 ButtonText = kSystemColourFlag | 18;
inline constexpr quint32 ButtonHighlight = kSystemColourFlag | 20;
inline constexpr quint32 DarkShadow3D = kSystemColourFlag | 21;
inline constexpr quint32 Light3D = kSystemColourFlag | 22;
}  // namespace SysColour

// The platform colour of a system colour index, from the control's palette. Every index maps
// through this one table, so a test can pin the colours by setting a palette.
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

// A colour value resolved to plain 0x00BBGGRR: plain values (0..0xFFFFFF) pass unchanged,
// anything else is the system colour numbered `colour AND 0xFFFFFF`.
quint32 TranslateColor(quint32 colour, const QPalette& palette);

}  // namespace corvane
