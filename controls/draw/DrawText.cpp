#include "controls/draw/DrawText.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>

#include <algorithm>

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
// Whether a line fits is decided by measuring it whole, as it is drawn (kerning, shaping and
// rounding make that differ from the sum of its words), but only near where it breaks: a
// running sum of the words' widths finds the place, and whole measurements step from there.
// Measuring every candidate line whole would cost the square of a long line's length.
void wrap(const Line& l, int avail, const QFontMetrics& fm, const QFontMetricsF& fmf,
          std::vector<Line>& out) {
    const QString& s = l.text;
    const qsizetype n = s.size();
    // Where each word ends, with the spaces before it: the places a line may end.
    std::vector<qsizetype> ends;
    for (qsizetype k = 0; k < n;) {
        while (k < n && s[k] == u' ') {
            ++k;
        }
        while (k < n && s[k] != u' ') {
            ++k;
        }
        ends.push_back(k);
    }
    QHash<QStringView, qreal> widths;  // of each distinct piece, for the running sum
    const auto pieceWidth = [&](qsizetype from, qsizetype to) {
        const QStringView piece = QStringView(s).mid(from, to - from);
        auto it = widths.find(piece);
        if (it == widths.end()) {
            it = widths.insert(piece, fmf.horizontalAdvance(piece.toString()));
        }
        return *it;
    };
    qsizetype i = 0;
    size_t first = 0;  // the first end after i
    do {
        const qsizetype start = i;
        const auto measure = [&](size_t e) {
            return fm.horizontalAdvance(s.mid(start, ends[e] - start));
        };
        // The estimate: as many words as the running sum lets fit, at least one.
        size_t last = first;
        qreal sum = pieceWidth(start, ends[first]);
        while (last + 1 < ends.size()) {
            const qreal next = sum + pieceWidth(ends[last], ends[last + 1]);
            if (next > avail) {
                break;
            }
            sum = next;
            ++last;
        }
        // Then the line as drawn decides: back while it is too wide, on while one more fits.
        int width = measure(last);
        if (width > avail) {
            while (last > first && width > avail) {
                width = measure(--last);
            }
        } else {
            while (last + 1 < ends.size()) {
                const int wider = measure(last + 1);
                if (wider > avail) {
                    break;
                }
                width = wider;
                ++last;
            }
        }
        const qsizetype fitEnd = ends[last];
        out.push_back(slice(l, start, fitEnd));
        out.back().width = width;
        i = fitEnd;
        while (i < n && s[i] == u' ') {
            ++i;
        }
        first = last + 1;
        while (first < ends.size() && ends[first] <= i) {
            ++first;
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
    const QFontMetricsF fmf(font);
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
                wrap(hard, avail, fm, fmf, out.lines);
            } else {
                out.lines.push_back(hard);
            }
            from = nl + 1;
        }
    }
    for (Line& l : out.lines) {
        if (l.width == 0 && !l.text.isEmpty()) {  // a wrapped line comes measured
            l.width = fm.horizontalAdvance(l.text);
        }
        out.widest = std::max(out.widest, l.width);
    }
    return out;
}

}  // namespace

TextLayout LayoutText(const QString& text, int width, unsigned format, const QFont& font,
                      const DrawTextParams* params) {
    // A control paints the same caption in the same font again and again (every hover, press
    // and focus change), and measuring it costs more than filling the whole face: the last few
    // layouts are kept, so that several buttons on a window each find theirs.
    struct Entry {
        QString text;
        int width = 0;
        unsigned format = 0;
        QFont font;
        int leftMargin = 0;
        int rightMargin = 0;
        TextLayout layout;
    };
    constexpr size_t kKept = 8;
    thread_local std::vector<Entry> kept;  // the most recently used first
    const int leftMargin = params ? params->leftMargin : 0;
    const int rightMargin = params ? params->rightMargin : 0;
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const Entry& e) {
        return e.width == width && e.format == format && e.leftMargin == leftMargin &&
               e.rightMargin == rightMargin && e.text == text && e.font == font;
    });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front().layout;
    }
    if (kept.size() == kKept) {
        kept.pop_back();
    }
    kept.insert(kept.begin(), Entry{text, width, format, font, leftMargin, rightMargin,
                                    Measure(text, width, format, font, params)});
    return kept.front().layout;
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
    // Lines far outside what can show are not drawn: a long caption wraps into hundreds of
    // lines that would each be shaped on every repaint only to be clipped. A glyph may reach a
    // little beyond its line, so one line of room is left on either side.
    int shownTop = 0;
    int shownBottom = image.height();
    if (!(format & dt::NoClip)) {
        shownTop = std::max(shownTop, rect.top);
        shownBottom = std::min(shownBottom, rect.bottom);
    }
    for (const Line& l : layout.lines) {
        if (y + 2 * layout.lineHeight <= shownTop || y - layout.lineHeight >= shownBottom) {
            y += layout.lineHeight;
            continue;
        }
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
