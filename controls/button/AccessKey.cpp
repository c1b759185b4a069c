#include "controls/button/AccessKey.h"

namespace corvane {

QString ParseAccessKey(const QString& caption) {
    const qsizetype n = caption.size();
    if (n < 2) {
        return {};
    }
    const qsizetype p = caption.indexOf(u'&');  // 0-based; the character after it is p + 1
    if (p < 0 || p + 1 >= n) {
        return {};
    }
    if (caption[p + 1] != u'&') {
        return caption.mid(p + 1, 1).toLower();
    }
    // A doubled "&&": look once more, from the character after the pair.
    const qsizetype q = caption.indexOf(u'&', p + 2);
    if (q >= 0 && q + 1 < n && caption[q + 1] != u'&') {
        return caption.mid(q + 1, 1).toLower();
    }
    return {};
}

}  // namespace corvane
