#include "SettingsTab.h"

#include <QSettings>

namespace {

const QString key = QStringLiteral("settingsTab");

} // namespace

namespace SettingsTab {

QString matching()
{
    return QStringLiteral("matching");
}

QString privacy()
{
    return QStringLiteral("privacy");
}

QString selected()
{
    const QString stored = QSettings().value(key).toString();
    return stored.isEmpty() ? matching() : stored;
}

void select(const QString& tab)
{
    QSettings().setValue(key, tab);
}

} // namespace SettingsTab
