#pragma once

#include <string_view>

namespace corvane {

// Where a button's URL goes when the button is clicked. The engine decides only this; the shell
// hands the text to the system's handler for it (never to a shell or a command line, so the
// text is never run as a command).
enum class LinkKind {
    None,   // empty URL: nothing is opened
    Mail,   // starts with "mailto:" exactly (case-sensitive): the system's mail handler
    Other,  // anything else: the system's default handler for it
};
LinkKind ClassifyLink(std::u16string_view url);

}  // namespace corvane
