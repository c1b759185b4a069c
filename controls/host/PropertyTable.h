#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "controls/host/PropertyBag.h"

namespace corvane {

// A row's place in an order that leaves it out.
inline constexpr int kNoPlace = -1;

// One stored property of a control: its key in the property set, how the life cycle treats it
// and its places in the life cycle's orders. A control lists its properties once, in a table of
// these: ReadProperties walks the table in its own order, InitProperties and WriteProperties in
// the orders the rows' places make (OrderOf).
template <typename Control>
struct PropertyRow {
    const char* key;
    // The new instance's value (null where InitProperties leaves the property as it is).
    PropertyValue (*fresh)(const Control&);
    // The value a set without the key reads, and the value WriteProperties leaves out.
    PropertyValue (*absent)(const Control&);
    // The value WriteProperties saves (null for a row that is only read: a second reading of
    // a key into another field).
    PropertyValue (*save)(const Control&);
    // Stores a value read or made new, as loading does: no notification.
    void (*assign)(Control&, const PropertyValue&);
    // Its places in InitProperties' order and in WriteProperties' order, from 0 (kNoPlace where
    // the order leaves it out).
    int initAt = kNoPlace;
    int writeAt = kNoPlace;
};

// An order over a table's rows, made from their places: the rows' indices, first to last.
template <std::size_t Count>
struct RowOrder {
    std::array<std::size_t, Count> rows{};
    std::size_t size = 0;
    // Every place from 0 to size - 1 is held by exactly one row, and no row holds a place
    // outside that range. A table's orders are static_asserted valid.
    bool valid = true;

    constexpr std::span<const std::size_t> order() const { return {rows.data(), size}; }
};

// The order that the rows' `place` members make (initAt for InitProperties, writeAt for
// WriteProperties).
template <typename Control, std::size_t Count>
constexpr RowOrder<Count> OrderOf(const std::array<PropertyRow<Control>, Count>& table,
                                  int PropertyRow<Control>::*place) {
    RowOrder<Count> o;
    for (const PropertyRow<Control>& row : table) {
        if (row.*place != kNoPlace) {
            ++o.size;
        }
    }
    std::array<int, Count> holders{};
    for (std::size_t i = 0; i < Count; ++i) {
        const int at = table[i].*place;
        if (at == kNoPlace) {
            continue;
        }
        // (Whether the row has the function the order calls is not asked here: comparing a
        // function's address with null is no constant expression in a sanitizer build. A row
        // without it fails the first time a control is made.)
        if (at < 0 || static_cast<std::size_t>(at) >= o.size) {
            o.valid = false;
            continue;
        }
        ++holders[static_cast<std::size_t>(at)];
        o.rows[static_cast<std::size_t>(at)] = i;
    }
    for (std::size_t at = 0; at < o.size; ++at) {
        if (holders[at] != 1) {
            o.valid = false;
        }
    }
    return o;
}

// The rows of `table` named by `order`, each assigned its new value.
template <typename Control>
void InitRows(Control& c, std::span<const PropertyRow<Control>> table,
              std::span<const std::size_t> order) {
    for (const std::size_t i : order) {
        const PropertyRow<Control>& row = table[i];
        row.assign(c, row.fresh(c));
    }
}

// Every row of the table, in the table's order (a control lists its rows in the order it
// reads them), each assigned the value the set holds, or its absent value.
template <typename Control>
void ReadRows(Control& c, const PropertyBag& bag, std::span<const PropertyRow<Control>> table) {
    for (const PropertyRow<Control>& row : table) {
        row.assign(c, bag.read(row.key, row.absent(c)));
    }
}

// The rows named by `order` written into the set, each left out when it holds its absent value.
template <typename Control>
void WriteRows(const Control& c, PropertyBag& bag, std::span<const PropertyRow<Control>> table,
               std::span<const std::size_t> order) {
    for (const std::size_t i : order) {
        const PropertyRow<Control>& row = table[i];
        bag.write(row.key, row.save(c), row.absent(c));
    }
}

}  // namespace corvane
