#include "NamePairing.h"

#include "Naming.h"
#include "TextIndex.h"

#include <algorithm>
#include <optional>
#include <span>

namespace {

using Bucket = FileTable::Bucket;

// The twins that share one match key, chained through the input positions, and the twins that
// reach that key only once a counter is taken off their own (IMG_0801 2.JPG under img_0801),
// chained through a list of their own, since a twin may reach several.
struct TwinChain
{
    Position head = noFile;
    Position tail = noFile;
    qint32 looseHead = noFile;
    qint32 looseTail = noFile;
    // Whether a RAW has exactly this key: then its twins are that RAW's, and a RAW that reaches
    // the key only once a counter is off its own (IMG_8001 (2).CR3) is a shot or a copy of its
    // own, which they do not join.
    bool hasOwnRaw = false;
};

struct LooseTwin
{
    Position twin = noFile;
    qint32 next = noFile;
};

// How many counters are taken off one name at most: copies of copies, not runs of numbers.
constexpr int maxCounters = 3;

class NameMatcher
{
public:
    explicit NameMatcher(const FileTable& table)
        : m_table(table)
        , m_options(table.options())
    {
    }

    QList<Pair> run(Leftovers& leftovers)
    {
        const qsizetype count = m_table.fileCount();
        m_nextTwin.assign(count, noFile);
        m_pairedTwin.assign(count, false);
        m_twinsOfRaw.assign(count, {});
        if (m_options.matchAcrossFolders) {
            matchWithin(m_table.twins(), m_table.raws());
        } else {
            for (int folder = 0; folder < m_table.folderCount(); ++folder) {
                const std::span<const Position> raws = m_table.inFolder(folder, Bucket::raw);
                if (raws.empty())
                    continue;
                const std::span<const Position> twins = twinsOf(folder);
                if (!twins.empty())
                    matchWithin(twins, raws);
            }
        }
        return gather(leftovers);
    }

private:
    struct Span
    {
        Position start = 0;
        Position length = 0;
    };

    QList<Pair> gather(Leftovers& leftovers) const
    {
        QList<Pair> pairs;
        pairs.reserve(qsizetype(m_table.raws().size()));
        for (Position raw : m_table.raws()) {
            const Span span = m_twinsOfRaw[raw];
            if (span.length == 0) {
                leftovers.raws.push_back(raw);
                continue;
            }
            QList<FileEntry> twins;
            twins.reserve(span.length);
            for (Position i = span.start; i < span.start + span.length; ++i)
                twins.append(m_table.entry(m_pairTwins[i]));
            pairs.append({ m_table.entry(raw), std::move(twins), false });
        }
        for (Position twin : m_table.twins()) {
            if (!m_pairedTwin[twin])
                leftovers.twins.push_back(twin);
        }
        return pairs;
    }

    // The JPEG and HEIC files of a folder, with the exports of its photos that editors keep in a
    // subfolder, in input order.
    std::span<const Position> twinsOf(int folder)
    {
        const std::span<const Position> own = m_table.inFolder(folder, Bucket::twin);
        const QVarLengthArray<int, 2> exportFolders = m_table.exportFoldersOf(folder);
        if (exportFolders.isEmpty())
            return own;
        m_withExports.assign(own.begin(), own.end());
        for (int exportFolder : exportFolders) {
            const std::span<const Position> exports = m_table.inFolder(exportFolder, Bucket::twin);
            const size_t before = m_withExports.size();
            m_withExports.insert(m_withExports.end(), exports.begin(), exports.end());
            std::inplace_merge(
                m_withExports.begin(), m_withExports.begin() + before, m_withExports.end());
        }
        return m_withExports;
    }

    // Indexes the twins of one folder part by match key, in input order, and finds each RAW's
    // twins: those of its own key, those that reach it once a counter is off theirs, and those
    // its own key reaches once a counter is off it, unless a RAW has that key.
    void matchWithin(std::span<const Position> twins, std::span<const Position> raws)
    {
        m_twinChains.reset(qsizetype(twins.size()));
        m_looseTwins.clear();
        for (Position twin : twins) {
            const QStringView key = m_table.matchKey(twin, m_rewrittenKeys);
            TwinChain& chain = m_twinChains[key];
            if (chain.head == noFile)
                chain.head = twin;
            else
                m_nextTwin[chain.tail] = twin;
            chain.tail = twin;
            // An export is matched in its own folder too; its last chain ends with it.
            m_nextTwin[twin] = noFile;
            forEachCounterless(key, [&](QStringView shorter) { addLoose(shorter, twin); });
        }
        m_rawKeys.clear();
        for (Position raw : raws) {
            m_rawKeys.push_back(m_table.matchKey(raw, m_rewrittenKeys));
            if (TwinChain* chain = m_twinChains.find(m_rawKeys.back()))
                chain->hasOwnRaw = true;
        }
        for (size_t i = 0; i < raws.size(); ++i) {
            const Position raw = raws[i];
            const QStringView key = m_rawKeys[i];
            m_found.clear();
            int chains = 0;
            const auto gatherChain = [&](Position twin) {
                for (; twin != noFile; twin = m_nextTwin[twin])
                    m_found.push_back(twin);
            };
            if (const TwinChain* chain = m_twinChains.find(key)) {
                gatherChain(chain->head);
                for (qint32 node = chain->looseHead; node != noFile; node = m_looseTwins[node].next)
                    m_found.push_back(m_looseTwins[node].twin);
                chains += int(chain->head != noFile) + int(chain->looseHead != noFile);
            }
            forEachCounterless(key, [&](QStringView shorter) {
                const TwinChain* chain = m_twinChains.find(shorter);
                if (chain && chain->head != noFile && !chain->hasOwnRaw) {
                    gatherChain(chain->head);
                    ++chains;
                }
            });
            noteTwins(raw, chains > 1);
        }
    }

    // The keys a name reaches with counters taken off, one after the other, each once.
    template <typename Visit> void forEachCounterless(QStringView key, Visit visit)
    {
        m_counterless.clear();
        m_counterless.push_back(key);
        size_t level = 0;
        for (int counters = 0; counters < maxCounters && level < m_counterless.size(); ++counters) {
            const size_t levelEnd = m_counterless.size();
            for (; level < levelEnd; ++level) {
                for (QStringView shorter :
                    Naming::Folded::withoutCounter(m_counterless[level], m_options)) {
                    if (!shorter.isEmpty()
                        && std::find(m_counterless.begin(), m_counterless.end(), shorter)
                            == m_counterless.end())
                        m_counterless.push_back(shorter);
                }
            }
        }
        for (size_t i = 1; i < m_counterless.size(); ++i)
            visit(m_counterless[i]);
    }

    void addLoose(QStringView key, Position twin)
    {
        TwinChain& chain = m_twinChains[key];
        const qint32 node = qint32(m_looseTwins.size());
        m_looseTwins.push_back({ twin, noFile });
        if (chain.looseHead == noFile)
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

    const FileTable& m_table;
    const MatchOptions& m_options;

    // Refilled folder part by folder part.
    TextIndex<TwinChain> m_twinChains;
    std::vector<LooseTwin> m_looseTwins;
    std::vector<QStringView> m_rawKeys;
    std::vector<QStringView> m_counterless;
    std::vector<Position> m_found;
    std::vector<Position> m_withExports;
    // Names rewritten by the Canon prefix rule, which the keys of m_twinChains point into.
    std::vector<QString> m_rewrittenKeys;

    // Per input position: the next twin of a chain, whether a twin has a RAW, and where in
    // m_pairTwins the twins of a paired RAW are.
    std::vector<Position> m_nextTwin;
    std::vector<bool> m_pairedTwin;
    std::vector<Span> m_twinsOfRaw;
    std::vector<Position> m_pairTwins;
};

} // namespace

namespace NamePairing {

QList<Pair> pair(const FileTable& table, Leftovers& leftovers)
{
    return NameMatcher(table).run(leftovers);
}

} // namespace NamePairing
