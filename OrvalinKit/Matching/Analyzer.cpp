#include "Analyzer.h"

#include "KnownToolNames.h"
#include "Naming.h"
#include "PathOrder.h"
#include "SideTask.h"
#include "TextIndex.h"
#include "UnreadableHoldBack.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

// Names only ever meet names of the same folder (or, across folders, of one folder part), so the
// indexes are built folder by folder: small, cache-resident tables instead of one table of every
// file. A key is then the folded text alone; the folder it belongs to is the one being worked on,
// which is what joining the folder's key and the text with U+0000 would express. Results are
// noted per file and gathered in input order at the end, so input order still decides every tie.

namespace {

// Input positions fit in 32 bits and halve the size of the per-file tables.
using Position = qint32;
constexpr Position none = -1;

// How files are bucketed within a folder; the first three are the files a sidecar may follow.
enum class Bucket
{
    raw,
    twin,
    otherMedia,
    sidecar
};
constexpr int bucketCount = 4;

std::optional<Bucket> bucketOf(FileKind kind)
{
    switch (kind) {
    case FileKind::raw:
        return Bucket::raw;
    case FileKind::jpeg:
    case FileKind::heic:
        return Bucket::twin;
    case FileKind::video:
    case FileKind::image:
        return Bucket::otherMedia;
    case FileKind::sidecar:
        return Bucket::sidecar;
    case FileKind::other:
        break;
    }
    return std::nullopt;
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

// A file found in an index.
struct FileSlot
{
    Position file = none;
};

// The twins that share one match key, chained through the input positions, and the twins that
// reach that key only once a counter is taken off their own (IMG_0801 2.JPG under img_0801),
// chained through a list of their own, since a twin may reach several.
struct TwinChain
{
    Position head = none;
    Position tail = none;
    qint32 looseHead = none;
    qint32 looseTail = none;
};

struct LooseTwin
{
    Position twin = none;
    qint32 next = none;
};

// How many counters are taken off one name at most: copies of copies, not runs of numbers.
constexpr int maxCounters = 3;

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

// The working state of one call.
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
        classify();
        findStems();
        bucketByFolder();
        // Sidecars and pairs read the same names and indexes of their own, and note what they
        // find in tables of their own: they are matched side by side.
        std::future<void> sidecars = SideTask::start([this] { attachSidecars(); });
        pairByName();
        sidecars.get();
        if (m_options.matchCaptureTime && m_captureReader && !m_unmatchedRaws.empty()
            && !m_unmatchedTwins.empty())
            pairByCaptureTime();
        ScanResult result;
        if (m_options.onlyMixedFolders)
            result.heldInSingleKindFolders = holdBackSingleKindFolders();
        if (!m_options.trimHEIC)
            result.heldHEIC = holdBackHEIC();
        releaseMatchingTables();
        fillResult(result);
        return result;
    }

private:
    int folderPart(Position file) const
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

    // Kinds, folders and folded names, each name folded once.
    void classify()
    {
        const Position count = Position(m_files.size());
        m_folded.resize(count);
        qsizetype nameLength = 0;
        for (const FileEntry& file : m_files)
            nameLength += file.relativePath.size();
        m_foldedNames.reserve(nameLength);
        m_folderOf.assign(count, 0);
        m_stemLength.assign(count, 0);
        m_kind.assign(count, FileKind::other);
        for (Position i = 0; i < count; ++i) {
            const FileEntry& file = m_files[i];
            const FileKind kind = effectiveKind(file);
            if (kind == FileKind::other)
                continue;
            m_kind[i] = kind;
            const auto [folder, name] = splitPath(file.relativePath);
            m_folderOf[i]
                = folderNumber(kind == FileKind::sidecar ? sidecarHome(folder, name) : folder);
            const Position start = Position(m_foldedNames.size());
            Naming::appendFolded(name, m_foldedNames);
            m_folded[i] = { start, Position(m_foldedNames.size()) - start };
            switch (kind) {
            case FileKind::raw:
                m_raws.push_back(i);
                break;
            case FileKind::jpeg:
            case FileKind::heic:
                m_twins.push_back(i);
                break;
            case FileKind::sidecar:
                m_sidecars.push_back(i);
                break;
            case FileKind::video:
            case FileKind::image:
            case FileKind::other:
                break;
            }
        }
    }

    // Sidecars that only known tools write are left alone, as unknown files, while their names
    // are not recognised.
    FileKind effectiveKind(const FileEntry& file) const
    {
        if (file.kind != FileKind::sidecar || m_options.knownToolNames)
            return file.kind;
        return KnownToolNames::isToolSidecarExtension(lowerExtension(file.relativePath))
            ? FileKind::other
            : file.kind;
    }

    static QString lowerExtension(QStringView path)
    {
        const qsizetype dot = path.lastIndexOf(u'.');
        return dot < 0 ? QString() : path.sliced(dot + 1).toString().toLower();
    }

    // The folder whose photos a sidecar may follow: its own, or its photo's when it sits in a
    // tool's settings folder (CaptureOne/Settings153, NKSC_PARAM).
    QStringView sidecarHome(QStringView folder, QStringView name) const
    {
        if (!m_options.knownToolNames || folder.isEmpty())
            return folder;
        const std::optional<QStringView> home
            = KnownToolNames::photoFolder(folder, lowerExtension(name));
        return home ? *home : folder;
    }

    // The stems, once every name is folded and the buffer of folded names stops moving.
    void findStems()
    {
        for (Position i = 0; i < Position(m_files.size()); ++i) {
            if (FileKinds::isMedia(m_files[i].kind))
                m_stemLength[i] = Position(Naming::Folded::stem(folded(i)).size());
        }
    }

    QStringView folded(Position file) const
    {
        return QStringView(m_foldedNames).sliced(m_folded[file].start, m_folded[file].length);
    }

    // Of a photo, clip or image.
    QStringView stem(Position file) const { return folded(file).first(m_stemLength[file]); }

    qsizetype folderCount() const { return m_folderNumbers.size(); }

    // Groups the files by folder and bucket, each group in input order.
    void bucketByFolder()
    {
        m_bucketStart.assign(folderCount() * bucketCount + 1, 0);
        for (Position i = 0; i < Position(m_files.size()); ++i) {
            if (const std::optional<Bucket> bucket = bucketOf(m_kind[i]))
                ++m_bucketStart[bucketIndex(m_folderOf[i], *bucket) + 1];
        }
        for (size_t b = 1; b < m_bucketStart.size(); ++b)
            m_bucketStart[b] += m_bucketStart[b - 1];
        m_grouped.resize(m_bucketStart.back());
        std::vector<Position> next(m_bucketStart.begin(), m_bucketStart.end() - 1);
        for (Position i = 0; i < Position(m_files.size()); ++i) {
            if (const std::optional<Bucket> bucket = bucketOf(m_kind[i]))
                m_grouped[next[bucketIndex(m_folderOf[i], *bucket)]++] = i;
        }
    }

    static qsizetype bucketIndex(int folder, Bucket bucket)
    {
        return qsizetype(folder) * bucketCount + qsizetype(bucket);
    }

    // The files of buckets first to last (inclusive) of one folder.
    std::span<const Position> files(int folder, Bucket first, Bucket last) const
    {
        const Position begin = m_bucketStart[bucketIndex(folder, first)];
        const Position end = m_bucketStart[bucketIndex(folder, last) + 1];
        return { m_grouped.data() + begin, size_t(end - begin) };
    }

    std::span<const Position> files(int folder, Bucket bucket) const
    {
        return files(folder, bucket, bucket);
    }

    void attachSidecars()
    {
        m_firstFollower.assign(m_files.size(), none);
        m_nextFollower.assign(m_files.size(), none);
        m_isOrphanSidecar.assign(m_files.size(), false);
        for (int folder = 0; folder < folderCount(); ++folder) {
            const std::span<const Position> sidecars = files(folder, Bucket::sidecar);
            if (sidecars.empty())
                continue;
            m_targets = files(folder, Bucket::raw, Bucket::otherMedia);
            indexTargets();
            // Walked backwards and prepended, so that each chain of followers is in input order.
            for (auto it = sidecars.rbegin(); it != sidecars.rend(); ++it)
                attach(*it);
        }
    }

    void indexTargets()
    {
        m_byName.reset(qsizetype(m_targets.size()));
        m_byStem.reset(qsizetype(m_targets.size()));
        m_byKeyFilled = false;
        for (Position file : m_targets) {
            // Two names that fold alike: the later one wins.
            m_byName[folded(file)].file = file;
            keepBest(m_byStem[stem(file)].file, file);
        }
    }

    // Only the best-ranked file of a stem can ever be a sidecar's target; a later file of equal
    // rank never displaces an earlier one.
    void keepBest(Position& best, Position file) const
    {
        if (best == none || targetRank(m_files[file].kind) < targetRank(m_files[best].kind))
            best = file;
    }

    void attach(Position sidecar)
    {
        const auto [kind, text] = Naming::Folded::sidecarTarget(folded(sidecar), m_options);
        const Position target
            = kind == Naming::SidecarTarget::Kind::exact ? exactTarget(text) : stemTarget(text);
        if (target == none) {
            m_isOrphanSidecar[sidecar] = true;
            return;
        }
        m_nextFollower[sidecar] = m_firstFollower[target];
        m_firstFollower[target] = sidecar;
    }

    Position exactTarget(QStringView name) const
    {
        if (const FileSlot* slot = m_byName.find(name))
            return slot->file;
        if (!m_options.knownToolNames)
            return none;
        // A duplicate version's sidecar, written for the photo it duplicates.
        const std::optional<QString> original = KnownToolNames::originalOfDuplicate(name);
        const FileSlot* slot = original ? m_byName.find(*original) : nullptr;
        return slot ? slot->file : none;
    }

    static bool changedByKnownTools(QStringView stem)
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

    // By stem, else, with known tools' names, by the name the stem pairs under (IMG_O0101.AAE
    // belongs to IMG_0101.HEIC).
    Position stemTarget(QStringView stem)
    {
        if (const FileSlot* slot = m_byStem.find(stem))
            return slot->file;
        // Only names that known tools' rules change look further, so that the sidecars of
        // ordinary names attach exactly as without them.
        if (!m_options.knownToolNames || !changedByKnownTools(stem))
            return none;
        if (!m_byKeyFilled) {
            m_byKey.reset(qsizetype(m_targets.size()));
            for (Position file : m_targets)
                keepBest(m_byKey[matchKey(file, m_sidecarKeys)].file, file);
            m_byKeyFilled = true;
        }
        QString storage;
        const FileSlot* slot
            = m_byKey.find(Naming::Folded::pairNameOfStem(stem, m_options, storage));
        return slot ? slot->file : none;
    }

    // The match key of a photo within its folder part; a view of its folded name, or of a
    // copy kept in `rewritten` when the Canon prefix was rewritten.
    QStringView matchKey(Position file, std::vector<QString>& rewritten) const
    {
        QString storage;
        const QStringView key = Naming::Folded::pairNameOfStem(stem(file), m_options, storage);
        if (storage.isNull())
            return key;
        // Moving a text keeps its characters where they are, so the view stays valid.
        rewritten.push_back(std::move(storage));
        return rewritten.back();
    }

    void pairByName()
    {
        m_pairs.reserve(qsizetype(m_raws.size()));
        m_nextTwin.assign(m_files.size(), none);
        m_pairedTwin.assign(m_files.size(), false);
        m_twinsOfRaw.assign(m_files.size(), {});
        if (m_options.matchAcrossFolders) {
            matchWithin(m_twins, m_raws);
        } else {
            for (int folder = 0; folder < folderCount(); ++folder) {
                const std::span<const Position> raws = files(folder, Bucket::raw);
                const std::span<const Position> twins = files(folder, Bucket::twin);
                if (!raws.empty() && !twins.empty())
                    matchWithin(twins, raws);
            }
        }
        for (Position raw : m_raws) {
            const Span span = m_twinsOfRaw[raw];
            if (span.length == 0) {
                m_unmatchedRaws.push_back(raw);
                continue;
            }
            QList<FileEntry> twins;
            twins.reserve(span.length);
            for (Position i = span.start; i < span.start + span.length; ++i)
                twins.append(m_files[m_pairTwins[i]]);
            m_pairs.append({ m_files[raw], std::move(twins), false });
        }
        for (Position twin : m_twins) {
            if (!m_pairedTwin[twin])
                m_unmatchedTwins.push_back(twin);
        }
    }

    // Indexes the twins of one folder part by match key, in input order, and finds each RAW's
    // twins: those of its own key, those that reach it once a counter is off theirs, and those
    // its own key reaches once a counter is off it.
    void matchWithin(std::span<const Position> twins, std::span<const Position> raws)
    {
        m_twinChains.reset(qsizetype(twins.size()));
        m_looseTwins.clear();
        for (Position twin : twins) {
            const QStringView key = matchKey(twin, m_pairKeys);
            TwinChain& chain = m_twinChains[key];
            if (chain.head == none)
                chain.head = twin;
            else
                m_nextTwin[chain.tail] = twin;
            chain.tail = twin;
            forEachCounterless(key, [&](QStringView shorter) { addLoose(shorter, twin); });
        }
        for (Position raw : raws) {
            const QStringView key = matchKey(raw, m_pairKeys);
            m_found.clear();
            int chains = 0;
            const auto gather = [&](Position twin) {
                for (; twin != none; twin = m_nextTwin[twin])
                    m_found.push_back(twin);
            };
            if (const TwinChain* chain = m_twinChains.find(key)) {
                gather(chain->head);
                for (qint32 node = chain->looseHead; node != none; node = m_looseTwins[node].next)
                    m_found.push_back(m_looseTwins[node].twin);
                chains += int(chain->head != none) + int(chain->looseHead != none);
            }
            forEachCounterless(key, [&](QStringView shorter) {
                const TwinChain* chain = m_twinChains.find(shorter);
                if (chain && chain->head != none) {
                    gather(chain->head);
                    ++chains;
                }
            });
            noteTwins(raw, chains > 1);
        }
    }

    // The keys a name reaches with counters taken off, one after the other.
    template <typename Visit> void forEachCounterless(QStringView key, Visit visit) const
    {
        for (int counters = 0; counters < maxCounters; ++counters) {
            const std::optional<QStringView> shorter
                = Naming::Folded::withoutCounter(key, m_options);
            if (!shorter || shorter->isEmpty())
                return;
            key = *shorter;
            visit(key);
        }
    }

    void addLoose(QStringView key, Position twin)
    {
        TwinChain& chain = m_twinChains[key];
        const qint32 node = qint32(m_looseTwins.size());
        m_looseTwins.push_back({ twin, none });
        if (chain.looseHead == none)
            chain.looseHead = node;
        else
            m_looseTwins[chain.looseTail].next = node;
        chain.looseTail = node;
    }

    // Keeps the twins found for a RAW, in input order and each once; several chains may have
    // contributed.
    void noteTwins(Position raw, bool mixed)
    {
        if (m_found.empty())
            return;
        if (mixed) {
            std::sort(m_found.begin(), m_found.end());
            m_found.erase(std::unique(m_found.begin(), m_found.end()), m_found.end());
        }
        m_twinsOfRaw[raw] = { Position(m_pairTwins.size()), Position(m_found.size()) };
        for (Position twin : m_found) {
            m_pairTwins.push_back(twin);
            m_pairedTwin[twin] = true;
        }
    }

    // The reader may open image files and be slow, hence a cancellation check before every
    // 64th read.
    std::optional<CaptureStamp> readStamp(Position file, size_t position)
    {
        if (position % 64 == 0)
            m_cancel.throwIfCancelled();
        return m_captureReader(m_files[file].relativePath);
    }

    void pairByCaptureTime()
    {
        QHash<CaptureKey, QList<std::pair<Position, CaptureStamp>>> twinsByCapture;
        for (size_t position = 0; position < m_unmatchedTwins.size(); ++position) {
            const Position twin = m_unmatchedTwins[position];
            if (std::optional<CaptureStamp> stamp = readStamp(twin, position)) {
                const CaptureKey key { folderPart(twin), stamp->date };
                twinsByCapture[key].append({ twin, std::move(*stamp) });
            }
        }

        // A twin taken by one RAW stays available to every later RAW whose stamp matches too.
        QSet<QString> usedTwins;
        std::vector<Position> stillUnmatched;
        for (size_t position = 0; position < m_unmatchedRaws.size(); ++position) {
            const Position raw = m_unmatchedRaws[position];
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
            [&](Position twin) { return usedTwins.contains(m_files[twin].relativePath); });
    }

    qsizetype holdBackSingleKindFolders()
    {
        const qsizetype parts = std::max<qsizetype>(folderCount(), 1);
        std::vector<bool> hasRaw(parts, false);
        std::vector<bool> hasTwin(parts, false);
        for (Position raw : m_raws)
            hasRaw[folderPart(raw)] = true;
        for (Position twin : m_twins)
            hasTwin[folderPart(twin)] = true;
        const auto inSingleKindFolder = [&](Position file) {
            const int folder = folderPart(file);
            return !hasRaw[folder] || !hasTwin[folder];
        };
        return qsizetype(std::erase_if(m_unmatchedRaws, inSingleKindFolder)
            + std::erase_if(m_unmatchedTwins, inSingleKindFolder));
    }

    qsizetype holdBackHEIC()
    {
        return qsizetype(std::erase_if(
            m_unmatchedTwins, [&](Position twin) { return m_files[twin].kind == FileKind::heic; }));
    }

    // What only the matching needed goes before the results are built: on a large scan, holding
    // both at once would make the peak of its memory.
    void releaseMatchingTables()
    {
        const auto release = [](auto& table) { table = std::decay_t<decltype(table)>(); };
        release(m_foldedNames);
        release(m_folded);
        release(m_kind);
        release(m_folderOf);
        release(m_stemLength);
        release(m_pairKeys);
        release(m_sidecarKeys);
        release(m_bucketStart);
        release(m_grouped);
        release(m_looseTwins);
        release(m_nextTwin);
        release(m_pairedTwin);
        release(m_twinsOfRaw);
        release(m_pairTwins);
    }

    // Path order, stable: files that compare equal keep their input order.
    void sortByPath(std::vector<Position>& files) const
    {
        if (files.size() < 2 || sortByAsciiKeys(files))
            return;
        // The paths are gathered beside their positions, so that the sort reads them without
        // going through the file list, and composed once here rather than at every comparison.
        struct Keyed
        {
            QString path;
            Position file;
        };
        std::vector<Keyed> keyed;
        keyed.reserve(files.size());
        for (Position file : files)
            keyed.push_back({ PathOrder::composed(m_files[file].relativePath), file });
        std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
            return PathOrder::compareComposed(a.path, b.path) < 0;
        });
        for (size_t i = 0; i < files.size(); ++i)
            files[i] = keyed[i].file;
    }

    // Paths of plain ASCII, nearly all of them, sort by bytes that order as the paths do, kept
    // side by side in one buffer: a key apiece would add a tenth to a large scan's peak memory.
    // False, with `files` untouched, when a path is not plain ASCII.
    bool sortByAsciiKeys(std::vector<Position>& files) const
    {
        struct Keyed
        {
            quint32 start;
            quint32 length;
            Position file;
        };
        qsizetype pathLength = 0;
        for (Position file : files)
            pathLength += m_files[file].relativePath.size();
        // A key is at most four times its path; beyond this, 32-bit offsets could not hold them
        // (paths of tens of millions of files). Room that keys leave unwritten is never touched.
        if (pathLength > qsizetype(1) << 30)
            return false;
        QByteArray keys;
        keys.reserve(4 * pathLength);
        std::vector<Keyed> keyed;
        keyed.reserve(files.size());
        for (Position file : files) {
            const qsizetype start = keys.size();
            if (!PathOrder::appendAsciiSortKey(m_files[file].relativePath, keys))
                return false;
            keyed.push_back({ quint32(start), quint32(keys.size() - start), file });
        }
        const auto key = [&](const Keyed& k) {
            return std::string_view(keys.constData() + k.start, size_t(k.length));
        };
        // string_view compares its characters as unsigned, as the keys need.
        std::stable_sort(keyed.begin(), keyed.end(),
            [&](const Keyed& a, const Keyed& b) { return key(a) < key(b); });
        for (size_t i = 0; i < files.size(); ++i)
            files[i] = keyed[i].file;
        return true;
    }

    QList<FileEntry> followersOf(Position file) const
    {
        std::vector<Position> followers;
        for (Position f = m_firstFollower[file]; f != none; f = m_nextFollower[f])
            followers.push_back(f);
        sortByPath(followers);
        QList<FileEntry> entries;
        entries.reserve(qsizetype(followers.size()));
        for (Position follower : followers)
            entries.append(m_files[follower]);
        return entries;
    }

    QList<Candidate> candidates(std::vector<Position>& files, OrphanGroup group) const
    {
        sortByPath(files);
        QList<Candidate> list;
        list.reserve(qsizetype(files.size()));
        for (Position file : files) {
            list.append({ m_files[file], group,
                group == OrphanGroup::sidecar ? QList<FileEntry>() : followersOf(file) });
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
        std::vector<Position> orphanSidecars;
        for (Position sidecar : m_sidecars) {
            if (m_isOrphanSidecar[sidecar])
                orphanSidecars.push_back(sidecar);
        }
        // Sorting the leftovers is much of what is left to do, and the three lists share nothing
        // but what is read: the RAW files are sorted beside the others.
        std::future<QList<Candidate>> raws
            = SideTask::start([this] { return candidates(m_unmatchedRaws, OrphanGroup::raw); });
        result.orphanJPEGs = candidates(m_unmatchedTwins, OrphanGroup::jpeg);
        result.orphanSidecars = candidates(orphanSidecars, OrphanGroup::sidecar);
        result.orphanRaws = raws.get();
    }

    const QList<FileEntry>& m_files;
    const MatchOptions& m_options;
    const CaptureReader& m_captureReader;
    const CancellationToken& m_cancel;

    // Every folded name, one after the other, and where each file's is; empty for files of
    // kind `other`.
    QString m_foldedNames;
    struct Span
    {
        Position start = 0;
        Position length = 0;
    };
    std::vector<Span> m_folded;
    // The kind the analysis treats each file as.
    std::vector<FileKind> m_kind;
    // A sidecar's is the folder of the photos it may follow.
    std::vector<int> m_folderOf;
    std::vector<Position> m_stemLength;
    QHash<QString, int> m_folderNumbers;
    QStringView m_lastFolder;
    int m_lastFolderNumber = -1;
    // Names rewritten by the Canon prefix rule, which match keys then point into: one list for
    // the pairing and one for the sidecars, which are matched side by side.
    std::vector<QString> m_pairKeys;
    std::vector<QString> m_sidecarKeys;

    // Input order.
    std::vector<Position> m_raws;
    std::vector<Position> m_twins;
    std::vector<Position> m_sidecars;

    // Every file but `other` ones, grouped by folder and bucket.
    std::vector<Position> m_bucketStart;
    std::vector<Position> m_grouped;

    // Refilled folder by folder; the index by match key only when a sidecar needs it.
    std::span<const Position> m_targets;
    TextIndex<FileSlot> m_byName;
    TextIndex<FileSlot> m_byStem;
    TextIndex<FileSlot> m_byKey;
    bool m_byKeyFilled = false;
    TextIndex<TwinChain> m_twinChains;
    std::vector<LooseTwin> m_looseTwins;
    std::vector<Position> m_found;

    // Per input position: the followers of a file, chained; sidecars that follow nothing.
    std::vector<Position> m_firstFollower;
    std::vector<Position> m_nextFollower;
    std::vector<bool> m_isOrphanSidecar;

    // Per input position: the next twin of a chain, whether a twin has a RAW, and where in
    // m_pairTwins the twins of a paired RAW are.
    std::vector<Position> m_nextTwin;
    std::vector<bool> m_pairedTwin;
    std::vector<Span> m_twinsOfRaw;
    std::vector<Position> m_pairTwins;

    std::vector<Position> m_unmatchedRaws;
    std::vector<Position> m_unmatchedTwins;
    // Name pairs in RAW order, then capture-time pairs.
    QList<Pair> m_pairs;
};

} // namespace

namespace Analyzer {

ScanResult analyze(const QList<FileEntry>& files, const MatchOptions& options,
    const CaptureReader& captureReader, const CancellationToken& cancel,
    const UnreadableList& unreadable)
{
    ScanResult result = Analysis(files, options, captureReader, cancel).run();
    UnreadableHoldBack::apply(result, unreadable, options);
    return result;
}

} // namespace Analyzer
