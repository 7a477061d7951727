// Texts in English and Spanish: one file or many, counts grouped as the locale groups them, and
// what the Spanish catalogue holds.
#include "Messages.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// The window's catalogue of a language, and that language's numbers, for one test.
class InLanguage
{
public:
    explicit InLanguage(const QString& language)
    {
        QLocale::setDefault(QLocale(language));
        if (!m_catalogue.load(QStringLiteral(":/i18n/orvalin_%1.qm").arg(language)))
            ADD_FAILURE() << "no catalogue for " << language.toStdString();
        QCoreApplication::installTranslator(&m_catalogue);
    }
    ~InLanguage()
    {
        QCoreApplication::removeTranslator(&m_catalogue);
        QLocale::setDefault(m_previous);
    }

private:
    QLocale m_previous;
    QTranslator m_catalogue;
};

QString translated(const char* context, const char* source, int count)
{
    return QCoreApplication::translate(context, source, nullptr, count);
}

struct Counted
{
    const char* language;
    int count;
    const char* moveTitle;
    const char* putBack;
    const char* folders;
};

TEST(Words, countedTextsHaveTheirPluralFormsAndGroupedDigits)
{
    const Counted cases[] = {
        { "en", 1, "Move 1 file?",
            "Put back 1 file. 1 wasn’t where the log says (moved or deleted by hand).",
            "The files come from 1 folder." },
        { "en", 200000, "Move 200,000 files?",
            "Put back 200,000 files. 200,000 weren’t where the log says (moved or deleted by "
            "hand).",
            "The files come from 200,000 folders." },
        { "es", 1, "¿Mover 1 archivo?",
            "Se devolvió 1 archivo. 1 no estaba donde dice el registro (movido o borrado a mano).",
            "Los archivos vienen de 1 carpeta." },
        { "es", 0, "¿Mover 0 archivos?", "Se devolvieron 0 archivos.",
            "Los archivos vienen de 0 carpetas." },
        { "es", 300000, "¿Mover 300.000 archivos?",
            "Se devolvieron 300.000 archivos. 300.000 no estaban donde dice el registro (movidos "
            "o borrados a mano).",
            "Los archivos vienen de 300.000 carpetas." },
    };
    for (const Counted& row : cases) {
        const InLanguage language(QString::fromLatin1(row.language));
        const std::string label = std::string(row.language) + " " + std::to_string(row.count);
        EXPECT_EQ(translated("MoveSummarySheet", "Move %Ln files?", row.count),
            QString::fromUtf8(row.moveTitle))
            << label;
        RestoreOutcome restored;
        restored.restored = row.count;
        restored.missing = QStringList(row.count, QStringLiteral("gone.jpg"));
        EXPECT_EQ(Messages::restoreNotice(restored), QString::fromUtf8(row.putBack)) << label;
        EXPECT_EQ(Messages::planFolderCount(row.count), QString::fromUtf8(row.folders)) << label;
    }
}

TEST(Words, theSpanishCatalogueServesTheWindowAndTheEngineButLeavesTheReviewFolderItsName)
{
    const InLanguage spanish("es");
    EXPECT_EQ(translated("StartView", "Tidy up after culling", -1), "Ordena después del descarte");
    EXPECT_EQ(translated("Messages", "RAW without JPEG", -1), "RAW sin JPEG");
    const char* refusal = "This folder holds a Lightroom catalog (“%1”). Moving photos a catalog "
                          "knows about makes them show as missing in Lightroom. Choose a folder of "
                          "shoots without a catalog, or remove the photos from inside Lightroom.";
    EXPECT_NE(translated("ScanRefusal", refusal, -1), QString::fromUtf8(refusal));
    // Sessions are found again whatever the language.
    EXPECT_EQ(translated("Messages", "%1 Review", -1), "%1 Review");
}

} // namespace
