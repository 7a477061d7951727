#pragma once

#include "UnreadableItem.h"

#include <QList>

// What a scan could not read: the first items in the order the walk met them, and how many it
// met in all, so that a failing drive cannot fill the memory with them.
struct UnreadableList
{
    static constexpr qsizetype kept = 100;

    QList<UnreadableItem> items;
    // Every item met, kept or not.
    qsizetype total = 0;

    void add(UnreadableItem item);
    bool isEmpty() const { return total == 0; }
    // Whether every item met is in `items`.
    bool isComplete() const { return total == items.size(); }

    bool operator==(const UnreadableList&) const = default;
};
