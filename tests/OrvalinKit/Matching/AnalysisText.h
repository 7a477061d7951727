#pragma once

// Analyses written and read as one line of text, so that a table row says what goes in and what
// comes out.

#include "FileEntry.h"
#include "ScanResult.h"

#include <QStringList>
#include <gtest/gtest.h>
#include <string>

namespace AnalysisText {

// Files from "A/IMG_1.CR3, A/IMG_1.JPG", each of size 1, kinds from their extensions as the
// scan classifies them.
inline QList<FileEntry> files(const QString& paths)
{
    QList<FileEntry> list;
    for (const QString& path : paths.split(QStringLiteral(", ")))
        list.append({ path, 1, FileKinds::fromExtension(RelativePath::extension(path)) });
    return list;
}

inline QStringList paths(const QList<FileEntry>& files)
{
    QStringList list;
    for (const FileEntry& file : files)
        list.append(file.relativePath);
    return list;
}

// Every leftover offered, in the result's order, each with its followers:
// "A/IMG_1.CR3 + A/IMG_1.CR3.xmp".
inline QStringList offered(const ScanResult& result)
{
    QStringList lines;
    for (const Candidate& candidate : result.allCandidates())
        lines.append((QStringList { candidate.id() } + paths(candidate.followers)).join(u" + "));
    return lines;
}

// "pairs: A/IMG_1.CR3=A/IMG_1.JPG; raws: A/IMG_2.CR3+A/IMG_2.xmp; jpegs: ...; sidecars: ...;
// held: 1 single-kind, 1 HEIC", in the result's order, "*" marking a pair by capture time, empty
// parts left out; with `namesOnly`, files by name rather than by path.
inline std::string summary(const ScanResult& result, bool namesOnly = false)
{
    const auto joined = [&](const FileEntry& first, const QList<FileEntry>& more, QChar separator) {
        QStringList names;
        for (const FileEntry& file : QList { first } + more)
            names.append(namesOnly ? file.name() : file.relativePath);
        return names.join(separator);
    };
    QStringList parts, pairs;
    for (const Pair& pair : result.pairs)
        pairs.append(
            joined(pair.raw, pair.twins, u'=') + (pair.byCaptureTime ? u"*"_qs : QString()));
    if (!pairs.isEmpty())
        parts.append(u"pairs: "_qs + pairs.join(u", "));
    for (const auto& [group, name] :
        { std::pair(OrphanGroup::raw, u"raws: "), std::pair(OrphanGroup::jpeg, u"jpegs: "),
            std::pair(OrphanGroup::sidecar, u"sidecars: ") }) {
        QStringList listed;
        for (const Candidate& candidate : result.candidates(group)) {
            EXPECT_EQ(candidate.group, group) << candidate.id().toStdString();
            listed.append(joined(candidate.file, candidate.followers, u'+'));
        }
        if (!listed.isEmpty())
            parts.append(QString::fromUtf16(name) + listed.join(u", "));
    }
    if (result.heldInSingleKindFolders || result.heldHEIC)
        parts.append(QStringLiteral("held: %1 single-kind, %2 HEIC")
                         .arg(result.heldInSingleKindFolders)
                         .arg(result.heldHEIC));
    return parts.join(u"; ").toStdString();
}

} // namespace AnalysisText
