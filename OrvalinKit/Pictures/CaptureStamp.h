#pragma once

#include <QHashFunctions>
#include <QString>
#include <optional>

// The moment and camera a photo's metadata records, as stored.
struct CaptureStamp
{
    // "year:month:day hour:minute:second" as stored; never empty.
    QString date;
    std::optional<QString> subsec;
    // Leading and trailing spaces and tabs removed.
    std::optional<QString> model;

    // The looser test used for pairing: equal dates, and equal sub-seconds and models wherever
    // both stamps have one.
    bool matches(const CaptureStamp& other) const;

    bool operator==(const CaptureStamp&) const = default;
};

inline size_t qHash(const CaptureStamp& stamp, size_t seed = 0) noexcept
{
    seed = qHash(stamp.date, seed);
    for (const std::optional<QString>* field : { &stamp.subsec, &stamp.model }) {
        seed = qHash(field->has_value(), seed);
        if (field->has_value())
            seed = qHash(**field, seed);
    }
    return seed;
}
