#include "Analyzer.h"

#include "Naming.h"
#include "PathOrder.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <vector>

namespace {

// A text under one folder: a name, a stem, a match key. It stands for the folder's key and the
// text joined by U+0000, without the joined text ever being built: folders are numbered by
// their folded text, and the text is a view of a folded name that outlives the analysis.
struct FolderKey
{
    int folder = 0;
    QStringView text;

    bool operator==(const FolderKey&) const = default;
};

size_t qHash(const FolderKey& key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.folder, key.text);
}

// The folder part and capture date under which photos pair by capture time.
struct CaptureKey
{
    int folder = 0;
    QString date;

    bool operator==(const CaptureKey&) const = default;
};

size_t qHash(const CaptureKey& key, size_t seed = 0) noexcept
{
    return qHashMulti(seed, key.folder, key.date);
}

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

// Splits a relative path into its folder ("" at the top, also for ".") and its name.
std::pair<QStringView, QStringView> splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0)
        return { QStringView(), QStringView(path) };
    QStringView folder = QStringView(path).first(slash);
    if (folder == u".")
        folder = QStringView();
    return { folder, QStringView(path).sliced(slash + 1) };
}

// Twins that share one match key, chained through their positions in the twin list so that the
// index holds no list of its own.
struct TwinChain
{
    qsizetype head = -1;
    qsizetype tail = -1;
};

// An input position in an index; -1 when the look-up found nothing.
struct FileSlot
{
    qsizetype file = -1;
};

// The working state of one call. Files are referred to by their position in the input.
class Analysis
{
public:
    Analysis(const QList<FileEntry>& files, const MatchOptions& options,
        const CaptureReader& captureReader, const CancellationToken& cancel)
        : m_files(files)
        , m_options(options)
        , m_captureReader(captureReader)
        , m_cancel(cancel)
    {
    }

    ScanResult run()
    {
        sortAndRegister();
        attachSidecars();
        indexTwins();
        pairByName();
        findUnmatchedTwins();
        if (m_options.matchCaptureTime && m_captureReader && !m_unmatchedRaws.empty()
            && !m_unmatchedTwins.empty())
            pairByCaptureTime();
        ScanResult result;
        if (m_options.onlyMixedFolders)
            result.heldInSingleKindFolders = holdBackSingleKindFolders();
        if (!m_options.trimHEIC)
            result.heldHEIC = holdBackHEIC();
        fillResult(result);
        return result;
    }

private:
    int folderPart(qsizetype file) const
    {
        return m_options.matchAcrossFolders ? 0 : m_folderOf[file];
    }

    // Scan order keeps the files of one folder together, so the last folder is remembered and
    // a folder's name is folded once per run of its files rather than once per file.
    int folderNumber(QStringView folder)
    {
        if (m_lastFolderNumber >= 0 && folder == m_lastFolder)
            return m_lastFolderNumber;
        const QString key = Naming::fold(folder);
        auto it = m_folderNumbers.constFind(key);
        if (it == m_folderNumbers.constEnd())
            it = m_folderNumbers.insert(key, int(m_folderNumbers.size()));
        m_lastFolder = folder;
        m_lastFolderNumber = it.value();
        return m_lastFolderNumber;
    }

    FolderKey matchKey(qsizetype file)
    {
        QString storage;
        const QStringView name = Naming::Folded::pairName(m_folded[file], m_options, storage);
        if (storage.isNull())
            return { folderPart(file), name };
        // Moving a text keeps its characters where they are, so the view stays valid.
        m_rewrittenNames.push_back(std::move(storage));
        return { folderPart(file), m_rewrittenNames.back() };
    }

    void sortAndRegister()
    {
        const qsizetype count = m_files.size();
        m_folded.resize(count);
        m_folderOf.resize(count);
        m_byName.reserve(count);
        m_byStem.reserve(count);
        for (qsizetype i = 0; i < count; ++i) {
            const FileEntry& file = m_files[i];
            if (file.kind == FileKind::other)
                continue;
            const auto [folder, name] = splitPath(file.relativePath);
            m_folderOf[i] = folderNumber(folder);
            m_folded[i] = Naming::fold(name);
            switch (file.kind) {
            case FileKind::raw:
                m_raws.push_back(i);
                break;
            case FileKind::jpeg:
            case FileKind::heic:
                m_twins.push_back(i);
                break;
            case FileKind::sidecar:
                m_sidecars.push_back(i);
                continue;
            case FileKind::video:
            case FileKind::image:
            case FileKind::other:
                break;
            }
            registerTarget(i);
        }
    }

    void registerTarget(qsizetype file)
    {
        const int folder = m_folderOf[file];
        m_byName[{ folder, m_folded[file] }].file = file;
        // Only the best-ranked file of a stem can ever be a sidecar's target, so that is all
        // the stem index keeps; a later file of equal rank never displaces an earlier one.
        qsizetype& best = m_byStem[{ folder, Naming::Folded::stem(m_folded[file]) }].file;
        if (best < 0 || targetRank(m_files[file].kind) < targetRank(m_files[best].kind))
            best = file;
    }

    void attachSidecars()
    {
        for (qsizetype sidecar : m_sidecars) {
            const auto [kind, text] = Naming::Folded::sidecarTarget(m_folded[sidecar]);
            const FolderKey key { m_folderOf[sidecar], text };
            const auto& index = kind == Naming::SidecarTarget::Kind::exact ? m_byName : m_byStem;
            const qsizetype target = index.value(key).file;
            if (target < 0)
                m_orphanSidecars.push_back(sidecar);
            else
                m_followers[m_files[target].relativePath].push_back(sidecar);
        }
    }

    void indexTwins()
    {
        const qsizetype count = qsizetype(m_twins.size());
        m_twinKeys.reserve(count);
        m_nextTwin.assign(count, -1);
        m_chainHead.resize(count);
        m_twinChains.reserve(count);
        for (qsizetype position = 0; position < count; ++position) {
            m_twinKeys.push_back(matchKey(m_twins[position]));
            TwinChain& chain = m_twinChains[m_twinKeys.back()];
            if (chain.head < 0)
                chain.head = position;
            else
                m_nextTwin[chain.tail] = position;
            chain.tail = position;
            m_chainHead[position] = chain.head;
        }
        m_chainHasRaw.assign(count, false);
        m_chainTwins.resize(count);
    }

    // The twins of one chain in input order, built once and shared by every RAW of that key.
    const QList<FileEntry>& twinsOf(const TwinChain& chain)
    {
        QList<FileEntry>& twins = m_chainTwins[chain.head];
        if (twins.isEmpty()) {
            for (qsizetype position = chain.head; position >= 0; position = m_nextTwin[position])
                twins.append(m_files[m_twins[position]]);
        }
        return twins;
    }

    void pairByName()
    {
        for (qsizetype raw : m_raws) {
            const auto chain = m_twinChains.constFind(matchKey(raw));
            if (chain == m_twinChains.constEnd()) {
                m_unmatchedRaws.push_back(raw);
                continue;
            }
            m_chainHasRaw[chain->head] = true;
            m_pairs.append({ m_files[raw], twinsOf(*chain), false });
        }
    }

    void findUnmatchedTwins()
    {
        for (qsizetype position = 0; position < qsizetype(m_twins.size()); ++position) {
            if (!m_chainHasRaw[m_chainHead[position]])
                m_unmatchedTwins.push_back(m_twins[position]);
        }
    }

    // The reader may open image files and be slow, hence a cancellation check before every
    // 64th read.
    std::optional<CaptureStamp> readStamp(qsizetype file, qsizetype position)
    {
        if (position % 64 == 0)
            m_cancel.throwIfCancelled();
        return m_captureReader(m_files[file].relativePath);
    }

    void pairByCaptureTime()
    {
        QHash<CaptureKey, QList<std::pair<qsizetype, CaptureStamp>>> twinsByCapture;
        for (qsizetype position = 0; position < qsizetype(m_unmatchedTwins.size()); ++position) {
            const qsizetype twin = m_unmatchedTwins[position];
            if (std::optional<CaptureStamp> stamp = readStamp(twin, position)) {
                const CaptureKey key { folderPart(twin), stamp->date };
                twinsByCapture[key].append({ twin, std::move(*stamp) });
            }
        }

        // A twin taken by one RAW stays available to every later RAW whose stamp matches too.
        QSet<QString> usedTwins;
        std::vector<qsizetype> stillUnmatched;
        for (qsizetype position = 0; position < qsizetype(m_unmatchedRaws.size()); ++position) {
            const qsizetype raw = m_unmatchedRaws[position];
            const std::optional<CaptureStamp> stamp = readStamp(raw, position);
            QList<FileEntry> twins;
            if (stamp) {
                const auto candidates = twinsByCapture.constFind({ folderPart(raw), stamp->date });
                if (candidates != twinsByCapture.constEnd()) {
                    for (const auto& [twin, twinStamp] : *candidates) {
                        if (twinStamp.matches(*stamp))
                            twins.append(m_files[twin]);
                    }
                }
            }
            if (twins.isEmpty()) {
                stillUnmatched.push_back(raw);
                continue;
            }
            for (const FileEntry& twin : std::as_const(twins))
                usedTwins.insert(twin.relativePath);
            m_pairs.append({ m_files[raw], std::move(twins), true });
        }
        m_unmatchedRaws = std::move(stillUnmatched);
        std::erase_if(m_unmatchedTwins,
            [&](qsizetype twin) { return usedTwins.contains(m_files[twin].relativePath); });
    }

    qsizetype holdBackSingleKindFolders()
    {
        const qsizetype folderCount = std::max<qsizetype>(m_folderNumbers.size(), 1);
        std::vector<bool> hasRaw(folderCount, false);
        std::vector<bool> hasTwin(folderCount, false);
        for (qsizetype raw : m_raws)
            hasRaw[folderPart(raw)] = true;
        for (qsizetype twin : m_twins)
            hasTwin[folderPart(twin)] = true;
        const auto inSingleKindFolder = [&](qsizetype file) {
            const int folder = folderPart(file);
            return !hasRaw[folder] || !hasTwin[folder];
        };
        return qsizetype(std::erase_if(m_unmatchedRaws, inSingleKindFolder)
            + std::erase_if(m_unmatchedTwins, inSingleKindFolder));
    }

    qsizetype holdBackHEIC()
    {
        return qsizetype(std::erase_if(m_unmatchedTwins,
            [&](qsizetype twin) { return m_files[twin].kind == FileKind::heic; }));
    }

    // Path order, stable: files that compare equal keep their input order.
    void sortByPath(std::vector<qsizetype>& files) const
    {
        std::stable_sort(files.begin(), files.end(), [&](qsizetype a, qsizetype b) {
            return PathOrder::lessThan(m_files[a].relativePath, m_files[b].relativePath);
        });
    }

    QList<Candidate> candidates(std::vector<qsizetype>& files, OrphanGroup group)
    {
        sortByPath(files);
        QList<Candidate> list;
        list.reserve(qsizetype(files.size()));
        for (qsizetype file : files) {
            Candidate candidate { m_files[file], group, {} };
            const auto followers = m_followers.find(m_files[file].relativePath);
            if (followers != m_followers.end()) {
                sortByPath(*followers);
                candidate.followers.reserve(qsizetype(followers->size()));
                for (qsizetype follower : *followers)
                    candidate.followers.append(m_files[follower]);
            }
            list.append(std::move(candidate));
        }
        return list;
    }

    void fillResult(ScanResult& result)
    {
        result.fileCount = m_files.size();
        result.rawCount = qsizetype(m_raws.size());
        result.twinCount = qsizetype(m_twins.size());
        result.sidecarCount = qsizetype(m_sidecars.size());
        result.pairs = std::move(m_pairs);
        result.orphanRaws = candidates(m_unmatchedRaws, OrphanGroup::raw);
        result.orphanJPEGs = candidates(m_unmatchedTwins, OrphanGroup::jpeg);
        result.orphanSidecars = candidates(m_orphanSidecars, OrphanGroup::sidecar);
    }

    const QList<FileEntry>& m_files;
    const MatchOptions& m_options;
    const CaptureReader& m_captureReader;
    const CancellationToken& m_cancel;

    // Per input position; empty for files of kind `other`.
    std::vector<QString> m_folded;
    std::vector<int> m_folderOf;
    QHash<QString, int> m_folderNumbers;
    QStringView m_lastFolder;
    int m_lastFolderNumber = -1;
    // Names rewritten by the Canon prefix rule, which the match keys then point into.
    std::vector<QString> m_rewrittenNames;

    std::vector<qsizetype> m_raws;
    std::vector<qsizetype> m_twins;
    std::vector<qsizetype> m_sidecars;

    QHash<FolderKey, FileSlot> m_byName;
    QHash<FolderKey, FileSlot> m_byStem;
    // Sidecars by the relative path of the file they follow.
    QHash<QString, std::vector<qsizetype>> m_followers;
    std::vector<qsizetype> m_orphanSidecars;

    // Per position in m_twins.
    std::vector<FolderKey> m_twinKeys;
    std::vector<qsizetype> m_nextTwin;
    std::vector<qsizetype> m_chainHead;
    // Per chain, at the position of its first twin.
    std::vector<bool> m_chainHasRaw;
    std::vector<QList<FileEntry>> m_chainTwins;
    QHash<FolderKey, TwinChain> m_twinChains;

    std::vector<qsizetype> m_unmatchedRaws;
    std::vector<qsizetype> m_unmatchedTwins;
    // Name pairs in RAW order, then capture-time pairs.
    QList<Pair> m_pairs;
};

} // namespace

namespace Analyzer {

ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& options,
    const CaptureReader& captureReader, const CancellationToken& cancel)
{
    return Analysis(files, options, captureReader, cancel).run();
}

} // namespace Analyzer
