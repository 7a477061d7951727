#pragma once

#include <QString>

// Which tab the settings window shows, kept in the settings under "settingsTab".
namespace SettingsTab {

QString matching();
QString privacy();

// matching() until another tab has been selected.
QString selected();
void select(const QString& tab);

} // namespace SettingsTab
