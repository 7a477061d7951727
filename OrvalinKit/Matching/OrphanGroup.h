#pragma once

#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

// The three groups of leftovers, always listed in this order.
enum class OrphanGroup : quint8
{
    // RAW files without a twin.
    raw,
    // JPEG and HEIC files without a RAW.
    jpeg,
    // Sidecar files whose photo is gone.
    sidecar,
};

namespace OrphanGroups {
const QList<OrphanGroup>& allCases();
QString rawValue(OrphanGroup group);
std::optional<OrphanGroup> fromRawValue(QStringView text);
} // namespace OrphanGroups

inline size_t qHash(OrphanGroup group, size_t seed = 0) noexcept
{
    return qHash(static_cast<quint8>(group), seed);
}
