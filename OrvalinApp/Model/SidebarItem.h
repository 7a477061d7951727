#pragma once

#include "OrphanGroup.h"

#include <QHashFunctions>
#include <optional>

// The entry of the sidebar whose content the detail area shows.
struct SidebarItem
{
    enum class Kind : quint8
    {
        group,
        overview,
        pairs,
        restore
    };

    Kind kind = Kind::overview;
    // Present exactly when `kind` is group.
    std::optional<OrphanGroup> group;

    static SidebarItem forGroup(OrphanGroup group) { return { Kind::group, group }; }
    static SidebarItem overview() { return { Kind::overview, std::nullopt }; }
    static SidebarItem pairs() { return { Kind::pairs, std::nullopt }; }
    static SidebarItem restore() { return { Kind::restore, std::nullopt }; }

    bool isGroup() const { return kind == Kind::group; }

    bool operator==(const SidebarItem&) const = default;
};

inline size_t qHash(const SidebarItem& item, size_t seed = 0) noexcept
{
    return qHashMulti(seed, static_cast<quint8>(item.kind), item.group.has_value(),
        item.group.value_or(OrphanGroup::raw));
}
