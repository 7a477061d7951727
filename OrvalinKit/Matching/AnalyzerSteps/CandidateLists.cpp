#include "CandidateLists.h"

#include "PathOrder.h"
#include "SideTask.h"

#include <QByteArray>
#include <algorithm>
#include <string_view>
#include <vector>

namespace {

class ListBuilder
{
public:
    ListBuilder(const QList<FileEntry>& files, const SidecarAttachment::Followers& followers)
        : m_files(files)
        , m_followers(followers)
    {
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

private:
    QList<FileEntry> followersOf(Position file) const
    {
        std::vector<Position> followers;
        for (Position f = m_followers.first[file]; f != noFile; f = m_followers.next[f])
            followers.push_back(f);
        sortByPath(followers);
        QList<FileEntry> entries;
        entries.reserve(qsizetype(followers.size()));
        for (Position follower : followers)
            entries.append(m_files[follower]);
        return entries;
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

    const QList<FileEntry>& m_files;
    const SidecarAttachment::Followers& m_followers;
};

} // namespace

namespace CandidateLists {

void fill(const QList<FileEntry>& files, SidecarAttachment::Followers& followers,
    Leftovers& leftovers, ScanResult& result)
{
    const ListBuilder builder(files, followers);
    // Sorting is much of what is left to do, and the three lists share nothing but what is
    // read: the RAW files are sorted beside the others.
    std::future<QList<Candidate>> raws
        = SideTask::start([&] { return builder.candidates(leftovers.raws, OrphanGroup::raw); });
    result.orphanJPEGs = builder.candidates(leftovers.twins, OrphanGroup::jpeg);
    result.orphanSidecars = builder.candidates(followers.orphans, OrphanGroup::sidecar);
    result.orphanRaws = raws.get();
}

} // namespace CandidateLists
