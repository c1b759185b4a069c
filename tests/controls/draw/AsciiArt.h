#pragma once

// Tiny images written as text: '#' is ink (black), '.' background (white); a pixel of any
// other colour reads back as '?'. Rows are separated by spaces so that an expected image
// fits on one line of a data row.

#include <QImage>
#include <QString>
#include <QStringList>

#include "controls/draw/Draw.h"
#include "controls/draw/qt/QtText.h"
#include "tests/support/Pixels.h"

namespace art {

inline constexpr corvane::ColourRef kInk = 0x000000;
inline constexpr corvane::ColourRef kPaper = 0xFFFFFF;

inline QImage blank(int w, int h, QImage::Format format = QImage::Format_RGB32) {
    QImage img(w, h, format);
    img.fill(Qt::white);
    return img;
}

inline QImage fromArt(const QString& art) {
    const QStringList rows = art.split(u' ', Qt::SkipEmptyParts);
    QImage img = blank(static_cast<int>(rows.value(0).size()), static_cast<int>(rows.size()));
    for (int y = 0; y < rows.size(); ++y) {
        for (int x = 0; x < rows[y].size(); ++x) {
            if (rows[y][x] == u'#') {
                corvane::SetPixel(corvane::ViewOf(img), x, y, kInk);
            }
        }
    }
    return img;
}

inline QString toArt(const QImage& img) {
    QStringList rows;
    for (int y = 0; y < img.height(); ++y) {
        QString row;
        for (int x = 0; x < img.width(); ++x) {
            const corvane::ColourRef c = corvane::GetPixel(img, x, y);
            row += c == kInk ? u'#' : c == kPaper ? u'.' : u'?';
        }
        rows << row;
    }
    return rows.join(u' ');
}

}  // namespace art
