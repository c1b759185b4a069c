// The access-key parser on arbitrary captions, lone surrogates included: never crash, and the
// key it finds is the lower-case character right after an "&" of the caption.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QString>

#include "controls/button/AccessKey.h"
#include "controls/draw/qt/QtText.h"

namespace {

// The key as the widget keeps it: lowered by Qt's rules.
QString ParseAccessKey(const QString& caption) {
    return corvane::QStringOf(corvane::ParseAccessKey(corvane::TextOf(caption))).toLower();
}

void Check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

// Every "&" doubled, as a caption shows a literal ampersand.
QString Escaped(const QString& text) {
    QString out = text;
    return out.replace(u'&', QStringLiteral("&&"));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks how the rest is read: as UTF-8, or as raw UTF-16 code units.
    const char* bytes = reinterpret_cast<const char*>(data + 1);
    const auto n = static_cast<qsizetype>(size - 1);
    const QString caption = (data[0] & 1) ? QString(reinterpret_cast<const QChar*>(bytes), n / 2)
                                          : QString::fromUtf8(bytes, n);

    const QString key = ParseAccessKey(caption);
    if (!key.isEmpty()) {
        // The key is one character that follows an "&", lowered.
        bool found = false;
        for (qsizetype i = 1; i < caption.size() && !found; ++i) {
            found =
                caption[i - 1] == u'&' && caption[i] != u'&' && caption.mid(i, 1).toLower() == key;
        }
        Check(found);
        // Only what comes before the key decides it: text after it changes nothing.
        Check(ParseAccessKey(caption + caption) == key);
    }
    if (!caption.contains(u'&')) {
        Check(key.isEmpty());
        // A caption without "&" before a marked character gives that character.
        if (!caption.isEmpty() && caption.back() != u'&') {
            const QString marked = QStringLiteral("&") + caption.back() + caption;
            Check(ParseAccessKey(caption + marked) == caption.mid(caption.size() - 1, 1).toLower());
        }
    }
    // A caption whose ampersands are all doubled shows them and marks no key.
    Check(ParseAccessKey(Escaped(caption)).isEmpty());
    return 0;
}
