#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <functional>

namespace {

// Texts of Qt's own that its Spanish catalogue (Qt 6.4) lacks: ours answers for them, as Qt's
// catalogue is asked first and passes on what it does not hold.
[[maybe_unused]] const char* const missingFromQt[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help on commandline options."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Displays help including Qt specific options."),
};

bool installIfLoaded(QCoreApplication& application, const std::function<bool(QTranslator&)>& load)
{
    auto* translator = new QTranslator(&application);
    if (load(*translator))
        return QCoreApplication::installTranslator(translator);
    delete translator;
    return false;
}

} // namespace

namespace Translations {

void install(QCoreApplication& application)
{
    // On Unix QLocale::system() reads LC_ALL, LC_MESSAGES and LANG but not LANGUAGE, the
    // preference list desktops set for menus; uiLanguages() puts LANGUAGE's entries first.
    // QTranslator::load(QLocale, ...) walks that same uiLanguages() list.
    const QLocale preferred = QLocale::system();
    const QString ours = QStringLiteral("orvalin");
    const QString prefix = QStringLiteral("_");
    const QString folder = QStringLiteral(":/i18n");
    // A language we have no translation for reads English, with its plural forms.
    if (!installIfLoaded(application, [&](QTranslator& translator) {
            return translator.load(preferred, ours, prefix, folder);
        }))
        installEnglishPlurals(application);
    // Qt's own texts: standard buttons, dialogs, the command line's help.
    installIfLoaded(application, [&](QTranslator& translator) {
        return translator.load(preferred, QStringLiteral("qtbase"), prefix,
            QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    });
}

void installEnglishPlurals(QCoreApplication& application)
{
    installIfLoaded(application, [](QTranslator& translator) {
        return translator.load(QStringLiteral(":/i18n/orvalin_en.qm"));
    });
}

} // namespace Translations
