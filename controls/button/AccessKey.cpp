#include "controls/button/AccessKey.h"

namespace corvane {

std::u16string ParseAccessKey(std::u16string_view caption) {
    const std::size_t n = caption.size();
    if (n < 2) {
        return {};
    }
    const std::size_t p = caption.find(u'&');  // the character after it is p + 1
    if (p == std::u16string_view::npos || p + 1 >= n) {
        return {};
    }
    if (caption[p + 1] != u'&') {
        return std::u16string(caption.substr(p + 1, 1));
    }
    // A doubled "&&": look once more, from the character after the pair.
    const std::size_t q = caption.find(u'&', p + 2);
    if (q != std::u16string_view::npos && q + 1 < n && caption[q + 1] != u'&') {
        return std::u16string(caption.substr(q + 1, 1));
    }
    return {};
}

}  // namespace corvane
