#include "SidecarAttachment.h"

#include "KnownToolNames.h"
#include "Naming.h"
#include "TextIndex.h"

#include <optional>
#include <span>

namespace {

using Bucket = FileTable::Bucket;

// Which photo a sidecar named only by stem belongs to when several share that stem: the RAW
// first, then its JPEG or HEIC, then other images, then clips.
int targetRank(FileKind kind)
{
    switch (kind) {
    case FileKind::raw:
        return 0;
    case FileKind::jpeg:
    case FileKind::heic:
        return 1;
    case FileKind::image:
        return 2;
    case FileKind::video:
        return 3;
    case FileKind::sidecar:
    case FileKind::other:
        break;
    }
    return 4;
}

// A file found in an index.
struct FileSlot
{
    Position file = noFile;
};

bool changedByKnownTools(QStringView stem)
{
    static const MatchOptions toolsOnly = [] {
        MatchOptions options;
        options.ignoreEditSuffixes = false;
        options.canonPrefixes = false;
        return options;
    }();
    QString storage;
    return Naming::Folded::pairNameOfStem(stem, toolsOnly, storage) != stem;
}

class Attacher
{
public:
    explicit Attacher(const FileTable& table)
        : m_table(table)
        , m_options(table.options())
    {
    }

    SidecarAttachment::Followers run()
    {
        const qsizetype count = m_table.fileCount();
        m_followers.first.assign(count, noFile);
        m_followers.next.assign(count, noFile);
        m_isOrphan.assign(count, false);
        for (int folder = 0; folder < m_table.folderCount(); ++folder) {
            const std::span<const Position> sidecars = m_table.inFolder(folder, Bucket::sidecar);
            if (sidecars.empty())
                continue;
            m_targets = m_table.inFolder(folder, Bucket::raw, Bucket::otherMedia);
            indexTargets();
            // Walked backwards and prepended, so that each chain of followers is in input order.
            for (auto it = sidecars.rbegin(); it != sidecars.rend(); ++it)
                attach(*it);
        }
        for (Position sidecar : m_table.sidecars()) {
            if (m_isOrphan[sidecar])
                m_followers.orphans.push_back(sidecar);
        }
        return std::move(m_followers);
    }

private:
    void indexTargets()
    {
        m_byName.reset(qsizetype(m_targets.size()));
        m_byStem.reset(qsizetype(m_targets.size()));
        m_byKeyFilled = false;
        for (Position file : m_targets) {
            // Two names that fold alike: the later one wins.
            m_byName[m_table.folded(file)].file = file;
            keepBest(m_byStem[m_table.stem(file)].file, file);
        }
    }

    // Only the best-ranked file of a stem can ever be a sidecar's target; a later file of equal
    // rank never displaces an earlier one.
    void keepBest(Position& best, Position file) const
    {
        if (best == noFile
            || targetRank(m_table.entry(file).kind) < targetRank(m_table.entry(best).kind))
            best = file;
    }

    void attach(Position sidecar)
    {
        const auto [kind, text] = Naming::Folded::sidecarTarget(m_table.folded(sidecar), m_options);
        const Position target
            = kind == Naming::SidecarTarget::Kind::exact ? exactTarget(text) : stemTarget(text);
        if (target == noFile) {
            m_isOrphan[sidecar] = true;
            return;
        }
        m_followers.next[sidecar] = m_followers.first[target];
        m_followers.first[target] = sidecar;
    }

    Position exactTarget(QStringView name) const
    {
        if (const FileSlot* slot = m_byName.find(name))
            return slot->file;
        if (!m_options.knownToolNames)
            return noFile;
        // A duplicate version's sidecar, written for the photo it duplicates.
        const std::optional<QString> original = KnownToolNames::originalOfDuplicate(name);
        const FileSlot* slot = original ? m_byName.find(*original) : nullptr;
        return slot ? slot->file : noFile;
    }

    // By stem, else, with known tools' names, by the name the stem pairs under (IMG_O0101.AAE
    // belongs to IMG_0101.HEIC).
    Position stemTarget(QStringView stem)
    {
        if (const FileSlot* slot = m_byStem.find(stem))
            return slot->file;
        // Only names that known tools' rules change look further, so that the sidecars of
        // ordinary names attach exactly as without them.
        if (!m_options.knownToolNames || !changedByKnownTools(stem))
            return noFile;
        if (!m_byKeyFilled) {
            m_byKey.reset(qsizetype(m_targets.size()));
            for (Position file : m_targets)
                keepBest(m_byKey[m_table.matchKey(file, m_rewrittenKeys)].file, file);
            m_byKeyFilled = true;
        }
        QString storage;
        const FileSlot* slot
            = m_byKey.find(Naming::Folded::pairNameOfStem(stem, m_options, storage));
        return slot ? slot->file : noFile;
    }

    const FileTable& m_table;
    const MatchOptions& m_options;
    SidecarAttachment::Followers m_followers;
    std::vector<bool> m_isOrphan;

    // Refilled folder by folder; the index by match key only when a sidecar needs it.
    std::span<const Position> m_targets;
    TextIndex<FileSlot> m_byName;
    TextIndex<FileSlot> m_byStem;
    TextIndex<FileSlot> m_byKey;
    bool m_byKeyFilled = false;
    // Names rewritten by the Canon prefix rule, which the keys of m_byKey point into.
    std::vector<QString> m_rewrittenKeys;
};

} // namespace

namespace SidecarAttachment {

Followers attach(const FileTable& table)
{
    return Attacher(table).run();
}

} // namespace SidecarAttachment
