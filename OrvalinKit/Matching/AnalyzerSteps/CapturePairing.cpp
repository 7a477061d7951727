#include "CapturePairing.h"

#include <QHash>
#include <QSet>
#include <optional>
#include <utility>

namespace {

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

using TwinsByCapture = QHash<CaptureKey, QList<std::pair<Position, CaptureStamp>>>;

class StampReader
{
public:
    StampReader(
        const FileTable& table, const CaptureReader& reader, const CancellationToken& cancel)
        : m_table(table)
        , m_reader(reader)
        , m_cancel(cancel)
    {
    }

    // The reader may open image files and be slow, hence a cancellation check before every
    // 64th read.
    std::optional<CaptureStamp> read(Position file, size_t position) const
    {
        if (position % 64 == 0)
            m_cancel.throwIfCancelled();
        return m_reader(m_table.entry(file).relativePath);
    }

private:
    const FileTable& m_table;
    const CaptureReader& m_reader;
    const CancellationToken& m_cancel;
};

TwinsByCapture indexTwins(
    const FileTable& table, const StampReader& stamps, const std::vector<Position>& twins)
{
    TwinsByCapture index;
    for (size_t position = 0; position < twins.size(); ++position) {
        const Position twin = twins[position];
        if (std::optional<CaptureStamp> stamp = stamps.read(twin, position)) {
            const CaptureKey key { table.folderPart(twin), stamp->date };
            index[key].append({ twin, std::move(*stamp) });
        }
    }
    return index;
}

} // namespace

namespace CapturePairing {

void pair(const FileTable& table, const CaptureReader& reader, const CancellationToken& cancel,
    QList<Pair>& pairs, Leftovers& leftovers)
{
    const StampReader stamps(table, reader, cancel);
    const TwinsByCapture twinsByCapture = indexTwins(table, stamps, leftovers.twins);

    QSet<QString> usedTwins;
    std::vector<Position> stillUnmatched;
    for (size_t position = 0; position < leftovers.raws.size(); ++position) {
        const Position raw = leftovers.raws[position];
        const std::optional<CaptureStamp> stamp = stamps.read(raw, position);
        QList<FileEntry> twins;
        if (stamp) {
            const auto candidates
                = twinsByCapture.constFind({ table.folderPart(raw), stamp->date });
            if (candidates != twinsByCapture.constEnd()) {
                for (const auto& [twin, twinStamp] : *candidates) {
                    if (twinStamp.matches(*stamp))
                        twins.append(table.entry(twin));
                }
            }
        }
        if (twins.isEmpty()) {
            stillUnmatched.push_back(raw);
            continue;
        }
        for (const FileEntry& twin : std::as_const(twins))
            usedTwins.insert(twin.relativePath);
        pairs.append({ table.entry(raw), std::move(twins), true });
    }
    leftovers.raws = std::move(stillUnmatched);
    std::erase_if(leftovers.twins,
        [&](Position twin) { return usedTwins.contains(table.entry(twin).relativePath); });
}

} // namespace CapturePairing
