#include "controls/button/ButtonLink.h"

namespace corvane {

LinkKind ClassifyLink(std::u16string_view url) {
    if (url.starts_with(u"mailto:")) {
        return LinkKind::Mail;
    }
    return url.empty() ? LinkKind::None : LinkKind::Other;
}

}  // namespace corvane
