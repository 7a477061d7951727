#include "FileTable.h"

#include "KnownToolNames.h"
#include "Naming.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

std::optional<FileTable::Bucket> bucketOf(FileKind kind)
{
    using Bucket = FileTable::Bucket;
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

QString lowerExtension(QStringView path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 ? QString() : path.sliced(dot + 1).toString().toLower();
}

} // namespace

FileTable::FileTable(const QList<FileEntry>& files, const MatchOptions& options)
    : m_files(files)
    , m_options(options)
{
    classify();
    findStems();
    bucketByFolder();
    std::sort(m_exportFolders.begin(), m_exportFolders.end());
}

QVarLengthArray<int, 2> FileTable::exportFoldersOf(int folder) const
{
    QVarLengthArray<int, 2> folders;
    auto it = std::lower_bound(m_exportFolders.begin(), m_exportFolders.end(),
        std::pair(folder, std::numeric_limits<int>::min()));
    for (; it != m_exportFolders.end() && it->first == folder; ++it)
        folders.append(it->second);
    return folders;
}

QStringView FileTable::matchKey(Position file, std::vector<QString>& rewritten) const
{
    QString storage;
    const QStringView key = Naming::Folded::pairNameOfStem(stem(file), m_options, storage);
    if (storage.isNull())
        return key;
    // Moving a text keeps its characters where they are, so the view stays valid.
    rewritten.push_back(std::move(storage));
    return rewritten.back();
}

// Kinds, folders and folded names, each name folded once.
void FileTable::classify()
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

// Sidecars that only known tools write are left alone, as unknown files, while their names are
// not recognised.
FileKind FileTable::effectiveKind(const FileEntry& file) const
{
    if (file.kind != FileKind::sidecar || m_options.knownToolNames)
        return file.kind;
    return KnownToolNames::isToolSidecarExtension(lowerExtension(file.relativePath))
        ? FileKind::other
        : file.kind;
}

// The folder whose photos a sidecar may follow: its own, or its photo's when it sits in a tool's
// settings folder (CaptureOne/Settings153, NKSC_PARAM).
QStringView FileTable::sidecarHome(QStringView folder, QStringView name) const
{
    if (!m_options.knownToolNames || folder.isEmpty())
        return folder;
    const std::optional<QStringView> home
        = KnownToolNames::photoFolder(folder, lowerExtension(name));
    return home ? *home : folder;
}

// Scan order keeps the files of one folder together, so the last folder is remembered and a
// folder's name is folded once per run of its files rather than once per file.
int FileTable::folderNumber(QStringView folder)
{
    if (m_lastFolderNumber >= 0 && folder == m_lastFolder)
        return m_lastFolderNumber;
    m_lastFolderNumber = numberOf(folder);
    m_lastFolder = folder;
    return m_lastFolderNumber;
}

int FileTable::numberOf(QStringView folder)
{
    const QString key = Naming::fold(folder);
    if (const auto it = m_folderNumbers.constFind(key); it != m_folderNumbers.constEnd())
        return it.value();
    const int number = int(m_folderNumbers.size());
    m_folderNumbers.insert(key, number);
    if (m_options.knownToolNames) {
        m_exportedFrom.push_back(-1);
        if (const std::optional<QStringView> photos = KnownToolNames::exportedFrom(folder)) {
            const int from = numberOf(*photos);
            m_exportedFrom[number] = from;
            m_exportFolders.push_back({ from, number });
        }
    }
    return number;
}

// The stems, once every name is folded and the buffer of folded names stops moving.
void FileTable::findStems()
{
    for (Position i = 0; i < Position(m_files.size()); ++i) {
        if (FileKinds::isMedia(m_files[i].kind))
            m_stemLength[i] = Position(Naming::Folded::stem(folded(i)).size());
    }
}

// Groups the files by folder and bucket, each group in input order.
void FileTable::bucketByFolder()
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
