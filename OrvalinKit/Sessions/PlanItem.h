#pragma once

#include "FileEntry.h"
#include "OrphanGroup.h"

#include <QJsonObject>
#include <optional>

// One file that a move will move.
struct PlanItem
{
    FileEntry file;
    // The group of the candidate that brought the file in; a follower carries its candidate's.
    OrphanGroup group = OrphanGroup::raw;
    // For a follower, the relative path of the candidate's file it follows.
    std::optional<QString> follows;

    QJsonObject toJson() const;
    // Throws CodingError.
    static PlanItem fromJson(const QJsonObject& object);

    bool operator==(const PlanItem&) const = default;
};

inline size_t qHash(const PlanItem& item, size_t seed = 0) noexcept
{
    return qHashMulti(
        seed, item.file, item.group, item.follows.value_or(QString()), item.follows.has_value());
}
