#include "StoredSettings.h"

#include "CodingError.h"

#include <QDir>
#include <QSettings>

namespace {

const QString matchOptionsKey = QStringLiteral("matchOptions");

// A bad stored value gives the defaults and stays until the next change overwrites it.
MatchOptions storedOptions()
{
    const QVariant stored = QSettings().value(matchOptionsKey);
    if (!stored.isValid())
        return {};
    try {
        return MatchOptions::fromJson(stored.toByteArray());
    } catch (const CodingError&) {
        return {};
    }
}

} // namespace

StoredSettings::StoredSettings(bool persist)
    : m_persist(persist)
{
    if (m_persist)
        m_options = storedOptions();
}

void StoredSettings::setOptions(const MatchOptions& options)
{
    m_options = options;
    if (m_persist)
        QSettings().setValue(matchOptionsKey, m_options.toJson());
}

void StoredSettings::rememberFolder(const QString& folder)
{
    Recents::add(folder);
}

std::optional<QString> StoredSettings::resolveRecent(const Recents::Item& item)
{
    const std::optional<QString> folder = Recents::resolve(item);
    // A folder now elsewhere keeps only its new entry: the old one would lead to the same place.
    if (!folder || QDir::cleanPath(*folder) != item.path)
        Recents::remove(item);
    return folder;
}
