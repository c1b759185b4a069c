#include "controls/draw/DrawText.h"

#include <QFontMetrics>
#include <QPainter>

namespace corvane {

namespace {

using Line = TextLayout::Line;

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
    Line out{l.text.mid(from, to - from), -1, 0};
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

namespace {

TextLayout Measure(const QString& text, int width, unsigned format, const QFont& font,
                   const DrawTextParams* params) {
    TextLayout out;
    if (text.isEmpty()) {
        return out;
    }
    const QFontMetrics fm(font);
    out.lineHeight = fm.height();
    out.ascent = fm.ascent();
    out.leftMargin = params ? params->leftMargin * fm.averageCharWidth() : 0;
    out.rightMargin = params ? params->rightMargin * fm.averageCharWidth() : 0;
    const bool noPrefix = (format & dt::NoPrefix) != 0;

    if (format & dt::SingleLine) {
        out.lines.push_back(stripPrefixes(text, noPrefix));
    } else {
        const int avail = width - out.leftMargin - out.rightMargin;
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
                wrap(hard, avail, fm, out.lines);
            } else {
                out.lines.push_back(hard);
            }
            from = nl + 1;
        }
    }
    for (Line& l : out.lines) {
        l.width = l.text.isEmpty() ? 0 : fm.horizontalAdvance(l.text);
        out.widest = std::max(out.widest, l.width);
    }
    return out;
}

}  // namespace

TextLayout LayoutText(const QString& text, int width, unsigned format, const QFont& font,
                      const DrawTextParams* params) {
    // A control paints the same caption in the same font again and again (every hover, press
    // and focus change), and measuring it costs more than filling the whole face: the last
    // layout is kept.
    struct Last {
        bool valid = false;
        QString text;
        int width = 0;
        unsigned format = 0;
        QFont font;
        int leftMargin = 0;
        int rightMargin = 0;
        TextLayout layout;
    };
    thread_local Last last;
    const int leftMargin = params ? params->leftMargin : 0;
    const int rightMargin = params ? params->rightMargin : 0;
    if (!(last.valid && last.width == width && last.format == format &&
          last.leftMargin == leftMargin && last.rightMargin == rightMargin && last.text == text &&
          last.font == font)) {
        last = {true, text,       width,       format,
                font, leftMargin, rightMargin, Measure(text, width, format, font, params)};
    }
    return last.layout;
}

void DrawTextLayout(QImage& image, const TextLayout& layout, const Rect& rect, unsigned format,
                    const QFont& font, ColourRef colour) {
    if (layout.lines.empty() || image.isNull()) {
        return;  // nothing to paint, or nothing to paint on (a control not sized yet)
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
        y = rect.top + (rect.height() - layout.lineHeight) / 2;
    }
    for (const Line& l : layout.lines) {
        const int x =
            (format & dt::Center)
                ? (rect.left + layout.leftMargin + rect.right - layout.rightMargin - l.width) / 2
                : rect.left + layout.leftMargin;
        p.drawText(x, y + layout.ascent, l.text);
        if (l.underline >= 0) {
            const QFontMetrics fm(font);
            const int ux = x + fm.horizontalAdvance(l.text.left(l.underline));
            const int uw = fm.horizontalAdvance(l.text.mid(l.underline, 1));
            const int uy = y + layout.ascent + fm.underlinePos();
            p.fillRect(QRect(ux, uy, uw, std::max(1, fm.lineWidth())), pen);
        }
        y += layout.lineHeight;
    }
}

int DrawTextEx(QImage& image, const QString& text, Rect& rect, unsigned format, const QFont& font,
               ColourRef colour, const DrawTextParams* params) {
    const TextLayout layout = LayoutText(text, rect.width(), format, font, params);
    if (layout.lines.empty()) {
        return 0;
    }
    if (format & dt::CalcRect) {
        rect.right = rect.left + layout.widest + layout.leftMargin + layout.rightMargin;
        rect.bottom = rect.top + layout.height();
        return layout.height();
    }
    DrawTextLayout(image, layout, rect, format, font, colour);
    return layout.height();
}

}  // namespace corvane
