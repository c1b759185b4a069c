#pragma once

#include <QVariant>

#include <span>

#include "controls/host/PropertyBag.h"

namespace corvane {

// One stored property of a control: its key in the property set and how the life cycle treats
// it. A control lists its properties once, in a table of these, and its InitProperties,
// ReadProperties and WriteProperties walk that table in their own orders.
template <typename Control>
struct PropertyRow {
    const char* key;
    // The new instance's value (null where InitProperties leaves the property as it is).
    QVariant (*fresh)(const Control&);
    // The value a set without the key reads, and the value WriteProperties leaves out.
    QVariant (*absent)(const Control&);
    // The value WriteProperties saves (null for a row that is only read: a second reading of
    // a key into another field).
    QVariant (*save)(const Control&);
    // Stores a value read or made new, as loading does: no notification.
    void (*assign)(Control&, const QVariant&);
};

// The rows of `table` named by `order`, each assigned its new value. The orders name only rows
// that have what they use.
template <typename Control, typename Index>
void InitRows(Control& c, std::span<const PropertyRow<Control>> table,
              std::span<const Index> order) {
    for (const Index i : order) {
        const PropertyRow<Control>& row = table[static_cast<std::size_t>(i)];
        row.assign(c, row.fresh(c));
    }
}

// Every row of the table, in the table's order (a control lists its rows in the order it
// reads them), each assigned the value the set holds, or its absent value.
template <typename Control>
void ReadRows(Control& c, const PropertyBag& bag, std::span<const PropertyRow<Control>> table) {
    for (const PropertyRow<Control>& row : table) {
        row.assign(c, bag.read(QLatin1String(row.key), row.absent(c)));
    }
}

// The rows named by `order` written into the set, each left out when it holds its absent value.
template <typename Control, typename Index>
void WriteRows(const Control& c, PropertyBag& bag, std::span<const PropertyRow<Control>> table,
               std::span<const Index> order) {
    for (const Index i : order) {
        const PropertyRow<Control>& row = table[static_cast<std::size_t>(i)];
        bag.write(QLatin1String(row.key), row.save(c), row.absent(c));
    }
}

}  // namespace corvane
