#pragma once

#include "MatchOptions.h"
#include "Recents.h"

#include <QString>
#include <optional>

// What the model keeps between launches: the match options, under "matchOptions" when the model
// persists them, and the recent folders.
class StoredSettings
{
public:
    // With `persist`, the options are read now and written on every change; without it the
    // settings are never touched for them.
    explicit StoredSettings(bool persist);

    bool persist() const { return m_persist; }
    const MatchOptions& options() const { return m_options; }
    // Keeps `options`, writing them to the settings when persisting.
    void setOptions(const MatchOptions& options);

    // Puts the folder first among the recent folders.
    void rememberFolder(const QString& folder);
    // The folder a recent item leads to now; nothing when it is gone. An item that leads
    // nowhere, or somewhere else than its path, is forgotten.
    std::optional<QString> resolveRecent(const Recents::Item& item);

private:
    const bool m_persist;
    MatchOptions m_options;
};
