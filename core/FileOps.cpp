#include "core/FileOps.h"

#include "core/Quote.h"

namespace corvane {

std::string PathText(const std::filesystem::path& path) {
    std::u8string utf8;
    try {
        utf8 = path.u8string();  // on Windows a conversion from UTF-16 that may fail
    } catch (const std::exception&) {
        return "(a path that cannot be shown)";
    }
    return Quote(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

}  // namespace corvane
