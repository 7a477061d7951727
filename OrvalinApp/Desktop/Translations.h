#pragma once

class QCoreApplication;

// Puts the application's and Qt's own translations in place for the user's language.
namespace Translations {

// Picks the first of the user's preferred languages we have a translation for, else English.
// Call once, after the application object exists and before any window is made.
void install(QCoreApplication& application);

// English alone: its texts are the sources, but "1 files" needs its plural forms.
void installEnglishPlurals(QCoreApplication& application);

} // namespace Translations
