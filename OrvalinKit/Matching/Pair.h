#pragma once

#include "FileEntry.h"

#include <QList>

// A RAW file with its JPEG or HEIC twins.
struct Pair
{
    FileEntry raw;
    // At least one.
    QList<FileEntry> twins;
    // Made by capture time rather than by name.
    bool byCaptureTime = false;

    bool operator==(const Pair&) const = default;
};

Q_DECLARE_TYPEINFO(Pair, Q_RELOCATABLE_TYPE);

inline size_t qHash(const Pair& pair, size_t seed = 0) noexcept
{
    return qHashMulti(seed, pair.raw, pair.twins, pair.byCaptureTime);
}
