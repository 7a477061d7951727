#include "MatchFlags.h"

#include "CommandParser.h"
#include "UsageError.h"

#include <array>

namespace {

struct Flag
{
    const char* name;
    bool MatchOptions::*field;
    const char* help;
};

const std::array<Flag, 7> flags { {
    { "ignore-edit-suffixes", &MatchOptions::ignoreEditSuffixes,
        "pair edited copies (IMG_1-Edit.jpg, IMG_1 copy.jpg) with their original" },
    { "canon-prefixes", &MatchOptions::canonPrefixes, "pair _MG_ names as IMG_" },
    { "match-across-folders", &MatchOptions::matchAcrossFolders,
        "pair files by name whatever subfolder they are in" },
    { "match-capture-time", &MatchOptions::matchCaptureTime,
        "pair files left over by capture time and camera model" },
    { "only-mixed-folders", &MatchOptions::onlyMixedFolders,
        "list leftovers only in folders holding both RAW and JPEG or HEIC files" },
    { "trim-heic", &MatchOptions::trimHEIC, "offer HEIC files without a RAW too" },
    { "known-tool-names", &MatchOptions::knownToolNames,
        "recognise the names phones, sync clients and editing tools write (PXL_…COVER.jpg, "
        "conflicted copies, darktable_exported/)" },
} };

QString yes(const Flag& flag)
{
    return QString::fromLatin1(flag.name);
}

QString no(const Flag& flag)
{
    return QStringLiteral("no-") + QString::fromLatin1(flag.name);
}

QString described(const Flag& flag)
{
    const bool on = MatchOptions().*flag.field;
    return QString::fromUtf8(flag.help)
        + QStringLiteral(" (default: %1)").arg(on ? QStringLiteral("on") : QStringLiteral("off"));
}

} // namespace

namespace MatchFlags {

void addTo(CommandParser& parser)
{
    for (const Flag& flag : flags) {
        parser.addOption({ yes(flag), described(flag) });
        parser.addOption({ no(flag), QStringLiteral("the opposite of --%1").arg(yes(flag)) });
    }
}

QString usage()
{
    qsizetype width = 0;
    for (const Flag& flag : flags)
        width = std::max(width, yes(flag).size() + 2);
    QString lines;
    for (const Flag& flag : flags)
        lines += QStringLiteral("  %1  %2\n")
                     .arg(QStringLiteral("--") + yes(flag), -int(width))
                     .arg(described(flag));
    return lines;
}

MatchOptions read(const QCommandLineParser& parser)
{
    MatchOptions options;
    for (const Flag& flag : flags) {
        const bool on = parser.isSet(yes(flag));
        const bool off = parser.isSet(no(flag));
        if (on && off)
            throw UsageError {
                QStringLiteral("--%1 and --%2 contradict each other.").arg(yes(flag), no(flag))
            };
        if (on || off)
            options.*flag.field = on;
    }
    return options;
}

} // namespace MatchFlags
