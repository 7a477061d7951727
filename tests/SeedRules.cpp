#include "SeedRules.h"

#include "Naming.h"
#include "PathOrder.h"

#include <QHash>
#include <QRandomGenerator>
#include <QSet>
#include <algorithm>

namespace {

// Kinds as the matching knew them: the sidecar extensions added for known tools were unknown.
FileKind seedKind(const FileEntry& file)
{
    static const QSet<QString> added { "arp", "nksc", "comask" };
    return added.contains(file.ext().toLower()) ? FileKind::other : file.kind;
}

// Which photo a sidecar named by stem follows: RAW, then JPEG or HEIC, then other pictures.
int rank(FileKind kind)
{
    return kind == FileKind::raw  ? 0
        : FileKinds::isTwin(kind) ? 1
        : kind == FileKind::image ? 2
                                  : 3;
}

struct Words
{
    QStringList folders, stems, suffixes, extensions;
};

void sortByPath(QList<FileEntry>& list)
{
    std::ranges::stable_sort(list, PathOrder::lessThan, &FileEntry::relativePath);
}

} // namespace

namespace SeedRules {

ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& given)
{
    MatchOptions options = given;
    options.knownToolNames = false;
    const auto inFolder = [](const FileEntry& file, const QString& text) {
        return Naming::fold(file.folder()) + QChar(0) + text;
    };
    const auto folderPart = [&](const FileEntry& file) {
        return options.matchAcrossFolders ? QString() : Naming::fold(file.folder());
    };
    const auto matchKey = [&](const FileEntry& file) {
        return folderPart(file) + QChar(0) + Naming::pairName(file.name(), options);
    };

    ScanResult result;
    result.fileCount = files.size();
    QList<FileEntry> raws, twins, sidecars, leftSidecars;
    // Photos by folded name (the last of names that fold alike) and by stem.
    QHash<QString, QList<FileEntry>> byName, byStem;
    QSet<QString> rawFolders, twinFolders;
    for (const FileEntry& file : files) {
        const FileKind kind = seedKind(file);
        if (kind == FileKind::raw) {
            raws.append(file);
            rawFolders.insert(folderPart(file));
        } else if (FileKinds::isTwin(kind)) {
            twins.append(file);
            twinFolders.insert(folderPart(file));
        } else if (kind == FileKind::sidecar) {
            sidecars.append(file);
        }
        if (FileKinds::isMedia(kind)) {
            byName[inFolder(file, Naming::fold(file.name()))] = { file };
            byStem[inFolder(file, Naming::stem(file.name()))].append(file);
        }
    }
    result.rawCount = raws.size();
    result.twinCount = twins.size();
    result.sidecarCount = sidecars.size();

    QHash<QString, QList<FileEntry>> followers;
    for (const FileEntry& sidecar : sidecars) {
        const Naming::SidecarTarget target = Naming::sidecarTarget(sidecar.name(), options);
        std::optional<FileEntry> photo;
        const auto& index = target.kind == Naming::SidecarTarget::Kind::exact ? byName : byStem;
        for (const FileEntry& candidate : index.value(inFolder(sidecar, target.text))) {
            if (!photo || rank(candidate.kind) < rank(photo->kind))
                photo = candidate;
        }
        if (photo)
            followers[photo->relativePath].append(sidecar);
        else
            leftSidecars.append(sidecar);
    }

    QHash<QString, QList<FileEntry>> twinsByKey;
    for (const FileEntry& twin : twins)
        twinsByKey[matchKey(twin)].append(twin);
    QSet<QString> rawKeys;
    QList<FileEntry> leftRaws, leftTwins;
    for (const FileEntry& raw : raws) {
        const QString key = matchKey(raw);
        rawKeys.insert(key);
        if (twinsByKey.contains(key))
            result.pairs.append({ raw, twinsByKey.value(key), false });
        else
            leftRaws.append(raw);
    }
    for (const FileEntry& twin : twins) {
        if (!rawKeys.contains(matchKey(twin)))
            leftTwins.append(twin);
    }

    if (options.onlyMixedFolders) {
        const auto single = [&](const FileEntry& file) {
            return !rawFolders.contains(folderPart(file))
                || !twinFolders.contains(folderPart(file));
        };
        result.heldInSingleKindFolders = leftRaws.removeIf(single) + leftTwins.removeIf(single);
    }
    if (!options.trimHEIC)
        result.heldHEIC
            = leftTwins.removeIf([](const FileEntry& file) { return file.kind == FileKind::heic; });

    const auto candidates = [&](QList<FileEntry> left, OrphanGroup group) {
        sortByPath(left);
        QList<Candidate> list;
        for (const FileEntry& file : left) {
            list.append({ file, group, followers.value(file.relativePath) });
            sortByPath(list.last().followers);
        }
        return list;
    };
    result.orphanRaws = candidates(leftRaws, OrphanGroup::raw);
    result.orphanJPEGs = candidates(leftTwins, OrphanGroup::jpeg);
    result.orphanSidecars = candidates(leftSidecars, OrphanGroup::sidecar);
    return result;
}

QList<FileEntry> randomTree(quint32 seed, int count, Names names)
{
    static const Words all { { "F0", "F1", "f1", "F0/CaptureOne/Settings153", "F1/NKSC_PARAM",
                                 "F0/darktable_exported", "F1/converted", "" },
        { "IMG_", "_MG_", "DSC_", "IMG_E", "IMG_O", "2026-10-04-", "PXL_20231207_032111" },
        { "", "", "", "-Edit", " copy", " (1)", " - Copy", " 2", "(1)", "-Enhanced-NR", "_01", "-2",
            ".RAW-01.COVER", " (copy)", "_DxO", ".sync-conflict-20240315-101530-7ZZCHKW",
            " (conflicted copy 2024-03-15 101530)", " (Alice's conflicted copy 2024-03-15)",
            "-DESKTOP-4KJ9P2A" },
        { ".CR3", ".NEF", ".dng", ".JPG", ".jpg", ".HEIC", ".MOV", ".tif", ".xmp", ".CR3.xmp",
            ".pp3", ".jpg.out.pp3", ".cos", ".CR3.cos", ".CR3.comask", ".NEF.nksc", ".CR3.arp",
            ".AAE", ".txt" } };
    static const QStringList folders { "F0", "F1", "f1", "F2", "" },
        stems { "IMG_", "_MG_", "DSC_", "DSCF", "P10", "2026-10-04-", "Trip " },
        extensions { ".CR3", ".NEF", ".JPG", ".jpg", ".HEIC", ".xmp", ".CR3.xmp", ".MOV", ".pp3",
            ".dop" };
    static const Words ordinary { folders, stems,
        { "", "", "", "-Edit", " copy", " copy 2", "-edited-3" }, extensions };
    static const Words unnumbered { folders, stems,
        { "", "", "", "-Edit", " Edit", "_edited", "-edited" }, extensions };
    const Words& words = names == Names::all ? all
        : names == Names::ordinary           ? ordinary
                                             : unnumbered;
    QRandomGenerator random(seed);
    const auto any = [&](const QStringList& list) { return list[random.bounded(list.size())]; };
    QList<FileEntry> tree;
    for (int i = 0; i < count; ++i) {
        const QString folder = any(words.folders);
        const QString path = (folder.isEmpty() ? QString() : folder + u'/') + any(words.stems)
            + QString::number(random.bounded(20) + 100 * random.bounded(2)) + any(words.suffixes)
            + any(words.extensions);
        tree.append(
            { path, random.bounded(100), FileKinds::fromExtension(RelativePath::extension(path)) });
    }
    return tree;
}

MatchOptions randomOptions(quint32 seed)
{
    QRandomGenerator random(seed * 7919);
    MatchOptions options;
    for (bool MatchOptions::*field :
        { &MatchOptions::ignoreEditSuffixes, &MatchOptions::canonPrefixes,
            &MatchOptions::matchAcrossFolders, &MatchOptions::onlyMixedFolders,
            &MatchOptions::trimHEIC, &MatchOptions::knownToolNames })
        options.*field = random.bounded(2) == 1;
    return options;
}

} // namespace SeedRules
