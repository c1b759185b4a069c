#include "controls/draw/DrawText.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace corvane {

namespace {

using Line = TextLayout::Line;
using Size = std::u16string_view::size_type;

// Removes the "&" markers of one hard line, remembering the last marked character.
Line stripPrefixes(std::u16string_view raw, bool noPrefix) {
    Line out;
    out.text.reserve(raw.size());
    for (Size i = 0; i < raw.size(); ++i) {
        const char16_t c = raw[i];
        if (noPrefix || c != u'&') {
            out.text.push_back(c);
            continue;
        }
        if (i + 1 >= raw.size()) {
            break;  // a trailing "&" marks nothing and is not shown
        }
        const char16_t next = raw[++i];
        if (next != u'&') {
            out.underline = static_cast<int>(out.text.size());
        }
        out.text.push_back(next);
    }
    return out;
}

Line slice(const Line& l, Size from, Size to) {
    Line out{l.text.substr(from, to - from), -1, 0};
    const auto u = static_cast<Size>(l.underline);
    if (l.underline >= 0 && u >= from && u < to) {
        out.underline = static_cast<int>(u - from);
    }
    return out;
}

// Greedy wrap at spaces: each line takes as many words as fit into `avail`, at least one.
// Whether a line fits is decided by measuring it whole, as it is drawn (kerning, shaping and
// rounding make that differ from the sum of its words), but only near where it breaks: a
// running sum of the words' widths finds the place, and whole measurements step from there.
// Measuring every candidate line whole would cost the square of a long line's length.
void wrap(const Line& l, int avail, TextRenderer& renderer, const Font& font,
          std::vector<Line>& out) {
    const std::u16string_view s = l.text;
    const Size n = s.size();
    // Where each word ends, with the spaces before it: the places a line may end.
    std::vector<Size> ends;
    for (Size k = 0; k < n;) {
        while (k < n && s[k] == u' ') {
            ++k;
        }
        while (k < n && s[k] != u' ') {
            ++k;
        }
        ends.push_back(k);
    }
    std::unordered_map<std::u16string_view, double> widths;  // of each distinct piece
    const auto pieceWidth = [&](Size from, Size to) {
        const std::u16string_view piece = s.substr(from, to - from);
        auto it = widths.find(piece);
        if (it == widths.end()) {
            it = widths.emplace(piece, renderer.preciseWidth(font, piece)).first;
        }
        return it->second;
    };
    Size i = 0;
    size_t first = 0;  // the first end after i
    do {
        const Size start = i;
        const auto measure = [&](size_t e) {
            return renderer.width(font, s.substr(start, ends[e] - start));
        };
        // The estimate: as many words as the running sum lets fit, at least one.
        size_t last = first;
        double sum = pieceWidth(start, ends[first]);
        while (last + 1 < ends.size()) {
            const double next = sum + pieceWidth(ends[last], ends[last + 1]);
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
        const Size fitEnd = ends[last];
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

// Whether two texts are equal, compared as bytes: char16_t's own comparison goes a character at
// a time, and a caption may be a hundred thousand of them.
bool sameText(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(char16_t)) == 0;
}

TextLayout Measure(TextRenderer& renderer, std::u16string_view text, int width, unsigned format,
                   const Font& font, const DrawTextParams* params) {
    TextLayout out;
    if (text.empty()) {
        return out;
    }
    const FontMetrics fm = renderer.metrics(font);
    out.lineHeight = fm.height;
    out.ascent = fm.ascent;
    out.leftMargin = params ? params->leftMargin * fm.averageCharWidth : 0;
    out.rightMargin = params ? params->rightMargin * fm.averageCharWidth : 0;
    const bool noPrefix = (format & dt::NoPrefix) != 0;

    if (format & dt::SingleLine) {
        out.lines.push_back(stripPrefixes(text, noPrefix));
    } else {
        const int avail = width - out.leftMargin - out.rightMargin;
        Size from = 0;
        while (from <= text.size()) {
            Size nl = text.find(u'\n', from);
            if (nl == std::u16string_view::npos) {
                nl = text.size();
            }
            Size end = nl;
            if (end > from && text[end - 1] == u'\r') {
                --end;
            }
            const Line hard = stripPrefixes(text.substr(from, end - from), noPrefix);
            if ((format & dt::WordBreak) && !hard.text.empty()) {
                wrap(hard, avail, renderer, font, out.lines);
            } else {
                out.lines.push_back(hard);
            }
            from = nl + 1;
        }
    }
    for (Line& l : out.lines) {
        if (l.width == 0 && !l.text.empty()) {  // a wrapped line comes measured
            l.width = renderer.width(font, l.text);
        }
        out.widest = std::max(out.widest, l.width);
    }
    return out;
}

}  // namespace

TextLayoutPtr LayoutText(TextRenderer& renderer, std::u16string_view text, int width,
                         unsigned format, const Font& font, const DrawTextParams* params) {
    // A control paints the same caption in the same font again and again (every hover, press
    // and focus change), and measuring it costs more than filling the whole face: the last few
    // layouts are kept, so that several buttons on a window each find theirs.
    struct Entry {
        const TextRenderer* renderer = nullptr;
        std::u16string text;
        int width = 0;
        unsigned format = 0;
        Font font;
        int leftMargin = 0;
        int rightMargin = 0;
        TextLayoutPtr layout;
    };
    constexpr size_t kKept = 8;
    thread_local std::vector<Entry> kept;  // the most recently used first
    const int leftMargin = params ? params->leftMargin : 0;
    const int rightMargin = params ? params->rightMargin : 0;
    const auto found = std::find_if(kept.begin(), kept.end(), [&](const Entry& e) {
        return e.renderer == &renderer && e.width == width && e.format == format &&
               e.leftMargin == leftMargin && e.rightMargin == rightMargin && e.font == font &&
               sameText(e.text, text);
    });
    if (found != kept.end()) {
        std::rotate(kept.begin(), found, found + 1);
        return kept.front().layout;
    }
    if (kept.size() == kKept) {
        kept.pop_back();
    }
    kept.insert(kept.begin(),
                Entry{&renderer, std::u16string(text), width, format, font, leftMargin, rightMargin,
                      std::make_shared<const TextLayout>(
                          Measure(renderer, text, width, format, font, params))});
    return kept.front().layout;
}

void DrawTextLayout(ImageView image, TextRenderer& renderer, const TextLayout& layout,
                    const Rect& rect, unsigned format, const Font& font, ColourRef colour) {
    if (layout.lines.empty() || image.isNull()) {
        return;  // nothing to paint, or nothing to paint on (a control not sized yet)
    }
    int y = rect.top;
    if ((format & dt::SingleLine) && (format & dt::VCenter)) {
        y = rect.top + (rect.height() - layout.lineHeight) / 2;
    }
    // Lines far outside what can show are not drawn: a long caption wraps into hundreds of
    // lines that would each be shaped on every repaint only to be clipped. A glyph may reach a
    // little beyond its line, so one line of room is left on either side.
    int shownTop = 0;
    int shownBottom = image.height;
    if (!(format & dt::NoClip)) {
        shownTop = std::max(shownTop, rect.top);
        shownBottom = std::min(shownBottom, rect.bottom);
    }
    std::vector<TextRun> runs;
    for (const Line& l : layout.lines) {
        if (y + 2 * layout.lineHeight <= shownTop || y - layout.lineHeight >= shownBottom) {
            y += layout.lineHeight;
            continue;
        }
        const int x =
            (format & dt::Center)
                ? (rect.left + layout.leftMargin + rect.right - layout.rightMargin - l.width) / 2
                : rect.left + layout.leftMargin;
        runs.push_back({l.text, x, y + layout.ascent, l.underline});
        y += layout.lineHeight;
    }
    renderer.draw(image, font, colour, (format & dt::NoClip) ? nullptr : &rect, runs.data(),
                  runs.size());
}

int DrawTextEx(ImageView image, TextRenderer& renderer, std::u16string_view text, Rect& rect,
               unsigned format, const Font& font, ColourRef colour, const DrawTextParams* params) {
    const TextLayoutPtr shared = LayoutText(renderer, text, rect.width(), format, font, params);
    const TextLayout& layout = *shared;
    if (layout.lines.empty()) {
        return 0;
    }
    if (format & dt::CalcRect) {
        rect.right = rect.left + layout.widest + layout.leftMargin + layout.rightMargin;
        rect.bottom = rect.top + layout.height();
        return layout.height();
    }
    DrawTextLayout(image, renderer, layout, rect, format, font, colour);
    return layout.height();
}

}  // namespace corvane
