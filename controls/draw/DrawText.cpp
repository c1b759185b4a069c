#include "DrawText.h"

#include <QFontMetrics>
#include <QPainter>

#include <vector>

namespace corvane {

namespace {

// One line as shown: its characters and the index of the underlined one (-1 for none).
struct Line {
    QString text;
    int underline = -1;
};

// Removes the "&" markers of one hard line, remembering the last marked character.
Line stripPrefixes(QStringView raw, bool noPrefix) {
    Line out;
    out.text.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw[i];
        if (noPrefix || c != u'&') {
            out.text.append(c);
            continue;
        }
        if (i + 1 >= raw.size()) {
            break;  // a trailing "&" marks nothing and is not shown
        }
        const QChar next = raw[++i];
        if (next != u'&') {
            out.underline = static_cast<int>(out.text.size());
        }
        out.text.append(next);
    }
    return out;
}

Line slice(const Line& l, qsizetype from, qsizetype to) {
    Line out{l.text.mid(from, to - from), -1};
    if (l.underline >= from && l.underline < to) {
        out.underline = static_cast<int>(l.underline - from);
    }
    return out;
}

// Greedy wrap at spaces: each line takes as many words as fit into `avail`, at least one.
void wrap(const Line& l, int avail, const QFontMetrics& fm, std::vector<Line>& out) {
    const QString& s = l.text;
    const qsizetype n = s.size();
    qsizetype i = 0;
    do {
        const qsizetype start = i;
        qsizetype fitEnd = -1;
        qsizetype j = i;
        while (true) {
            qsizetype k = j;
            while (k < n && s[k] == u' ') {
                ++k;
            }
            while (k < n && s[k] != u' ') {
                ++k;
            }
            if (fitEnd >= 0 && fm.horizontalAdvance(s.mid(start, k - start)) > avail) {
                break;
            }
            fitEnd = k;
            j = k;
            if (k >= n) {
                break;
            }
        }
        out.push_back(slice(l, start, fitEnd));
        i = fitEnd;
        while (i < n && s[i] == u' ') {
            ++i;
        }
    } while (i < n);
}

}  // namespace

int DrawTextEx(QImage& image, const QString& text, Rect& rect, unsigned format, const QFont& font,
               ColorRef colour, const DrawTextParams* params) {
    if (text.isEmpty()) {
        return 0;
    }
    const QFontMetrics fm(font);
    const int lm = params ? params->leftMargin * fm.averageCharWidth() : 0;
    const int rm = params ? params->rightMargin * fm.averageCharWidth() : 0;
    const bool noPrefix = (format & dt::NoPrefix) != 0;

    std::vector<Line> lines;
    if (format & dt::SingleLine) {
        lines.push_back(stripPrefixes(text, noPrefix));
    } else {
        const int avail = rect.width() - lm - rm;
        qsizetype from = 0;
        while (from <= text.size()) {
            qsizetype nl = text.indexOf(u'\n', from);
            if (nl < 0) {
                nl = text.size();
            }
            qsizetype end = nl;
            if (end > from && text[end - 1] == u'\r') {
                --end;
            }
            const Line hard = stripPrefixes(QStringView(text).mid(from, end - from), noPrefix);
            if ((format & dt::WordBreak) && !hard.text.isEmpty()) {
                wrap(hard, avail, fm, lines);
            } else {
                lines.push_back(hard);
            }
            from = nl + 1;
        }
    }

    const int lineHeight = fm.height();
    const int height = lineHeight * static_cast<int>(lines.size());
    if (format & dt::CalcRect) {
        int widest = 0;
        for (const Line& l : lines) {
            widest = std::max(widest, fm.horizontalAdvance(l.text));
        }
        rect.right = rect.left + widest + lm + rm;
        rect.bottom = rect.top + height;
        return height;
    }

    QPainter p(&image);
    p.setFont(font);
    const QColor pen(static_cast<int>(colour & 0xFF), static_cast<int>((colour >> 8) & 0xFF),
                     static_cast<int>((colour >> 16) & 0xFF));
    p.setPen(pen);
    if (!(format & dt::NoClip)) {
        p.setClipRect(QRect(rect.left, rect.top, rect.width(), rect.height()));
    }
    int y = rect.top;
    if ((format & dt::SingleLine) && (format & dt::VCenter)) {
        y = rect.top + (rect.height() - lineHeight) / 2;
    }
    for (const Line& l : lines) {
        const int w = fm.horizontalAdvance(l.text);
        const int x =
            (format & dt::Center) ? (rect.left + lm + rect.right - rm - w) / 2 : rect.left + lm;
        p.drawText(x, y + fm.ascent(), l.text);
        if (l.underline >= 0) {
            const int ux = x + fm.horizontalAdvance(l.text.left(l.underline));
            const int uw = fm.horizontalAdvance(l.text.mid(l.underline, 1));
            const int uy = y + fm.ascent() + fm.underlinePos();
            p.fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), pen);
        }
        y += lineHeight;
    }
    return height;
}

}  // namespace corvane
