#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

#include "controls/host/FontValue.h"
#include "controls/host/Picture.h"

namespace corvane {

// A colour value as a control stores it: 0x00BBGGRR, or 0x800000nn for system colour nn.
struct OleColour {
    quint32 value = 0;
    friend bool operator==(const OleColour&, const OleColour&) = default;
};

// The host's store of a control's settings. Keys match without regard to case and are kept in
// lower case; a value equal to its default is not stored. Values are qint32, bool, OleColour,
// QString, FontValue or Picture.
class PropertyBag {
public:
    // The stored value converted to the type of `def`, or `def` when the key is absent or the
    // stored value cannot be converted.
    QVariant read(const QString& key, const QVariant& def) const;
    // Stores `value` under `key`, or removes the key when `value` equals `def`.
    void write(const QString& key, const QVariant& value, const QVariant& def);

    template <typename T>
    T readAs(const QString& key, const T& def) const {
        return read(key, QVariant::fromValue(def)).template value<T>();
    }

    bool contains(const QString& key) const;
    QStringList keys() const;  // lower case, in the order they were first written
    bool isEmpty() const { return m_items.empty(); }
    void clear() { m_items.clear(); }

    // Text form (JSON). Plain values map to JSON numbers, booleans and strings; colours, fonts
    // and pictures to tagged objects ({"colour": n}, {"font": {...}}, {"picture": {...}}).
    QString toText() const;
    // Parses a text form. On failure returns false, leaves the bag empty and, when `error` is
    // given, says what is wrong and where.
    bool fromText(const QString& text, QString* error = nullptr);

    static bool sameValue(const QVariant& a, const QVariant& b);

private:
    std::vector<std::pair<QString, QVariant>> m_items;
};

}  // namespace corvane

Q_DECLARE_METATYPE(corvane::OleColour)
