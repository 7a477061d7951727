#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

void install(QCoreApplication& application)
{
    // On Unix QLocale::system() reads LC_ALL, LC_MESSAGES and LANG but not LANGUAGE, the
    // preference list desktops set for menus; uiLanguages() puts LANGUAGE's entries first.
    // QTranslator::load(QLocale, ...) walks that same uiLanguages() list.
    const QLocale preferred = QLocale::system();
    auto* ours = new QTranslator(&application);
    if (ours->load(
            preferred, QStringLiteral("orvalin"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(ours);
    else
        delete ours;
    auto* qt = new QTranslator(&application);
    if (qt->load(preferred, QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
}

} // namespace Translations
