#pragma once

#include <QString>
#include <QStringView>

// How file and folder names are compared: two names are the same name when their folded forms
// are equal, whatever their letter case or their composed or decomposed accents.
namespace NameFolding {

// Canonical composition, then full Unicode lower-casing.
QString fold(QStringView name);
// The same, appended to `text`: many names folded into one buffer cost one allocation.
void appendFolded(QStringView name, QString& text);

} // namespace NameFolding
