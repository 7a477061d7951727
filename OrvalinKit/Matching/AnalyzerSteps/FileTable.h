#pragma once

#include "FileEntry.h"
#include "MatchOptions.h"
#include "Position.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <span>
#include <utility>
#include <vector>

// The scanned files as every step of the analysis reads them: the kind each is treated as, its
// folder, its name folded once, its stem, and the files grouped by folder.
//
// Names only ever meet names of the same folder (or, across folders, of one folder part), so the
// steps build their indexes folder by folder: small, cache-resident tables instead of one table
// of every file. A key is then the folded text alone; the folder it belongs to is the one being
// worked on, which is what joining the folder's key and the text with U+0000 would express.
// Results are noted per file and gathered in input order at the end, so input order still
// decides every tie.
//
// Built once, then only read, by several threads at once.
class FileTable
{
public:
    // How files are grouped within a folder; the first three are the files a sidecar may follow.
    enum class Bucket
    {
        raw,
        twin,
        otherMedia,
        sidecar
    };

    FileTable(const QList<FileEntry>& files, const MatchOptions& options);

    const MatchOptions& options() const { return m_options; }
    const FileEntry& entry(Position file) const { return m_files[file]; }
    qsizetype fileCount() const { return m_files.size(); }

    // Input order.
    const std::vector<Position>& raws() const { return m_raws; }
    // JPEG and HEIC files, in input order.
    const std::vector<Position>& twins() const { return m_twins; }
    const std::vector<Position>& sidecars() const { return m_sidecars; }

    // A sidecar's is the folder of the photos it may follow.
    int folder(Position file) const { return m_folderOf[file]; }
    // The folder, or 0 for every file when files match across folders.
    int folderPart(Position file) const
    {
        return m_options.matchAcrossFolders ? 0 : m_folderOf[file];
    }
    qsizetype folderCount() const { return m_folderNumbers.size(); }

    // Whether a JPEG or HEIC file lies in an editor's export folder: an export, which pairs with
    // the photos one folder up and is never a leftover.
    bool isExport(Position file) const { return exportedFrom(m_folderOf[file]) >= 0; }
    // The export folders that hold exports of the photos of `folder`.
    QVarLengthArray<int, 2> exportFoldersOf(int folder) const;

    QStringView folded(Position file) const
    {
        return QStringView(m_foldedNames).sliced(m_folded[file].start, m_folded[file].length);
    }
    // Of a photo, clip or image.
    QStringView stem(Position file) const { return folded(file).first(m_stemLength[file]); }
    // The match key of a photo within its folder part; a view of its folded name, or of a copy
    // kept in `rewritten` when the Canon prefix was rewritten.
    QStringView matchKey(Position file, std::vector<QString>& rewritten) const;

    // The files of buckets first to last (inclusive) of one folder, in input order.
    std::span<const Position> inFolder(int folder, Bucket first, Bucket last) const
    {
        const Position begin = m_bucketStart[bucketIndex(folder, first)];
        const Position end = m_bucketStart[bucketIndex(folder, last) + 1];
        return { m_grouped.data() + begin, size_t(end - begin) };
    }
    std::span<const Position> inFolder(int folder, Bucket bucket) const
    {
        return inFolder(folder, bucket, bucket);
    }

private:
    struct Span
    {
        Position start = 0;
        Position length = 0;
    };

    static constexpr int bucketCount = 4;
    static qsizetype bucketIndex(int folder, Bucket bucket)
    {
        return qsizetype(folder) * bucketCount + qsizetype(bucket);
    }

    void classify();
    FileKind effectiveKind(const FileEntry& file) const;
    QStringView sidecarHome(QStringView folder, QStringView name) const;
    int folderNumber(QStringView folder);
    int numberOf(QStringView folder);
    // The folder an export folder's photos were exported from, or -1.
    int exportedFrom(int folder) const
    {
        return m_exportedFrom.empty() ? -1 : m_exportedFrom[folder];
    }
    void findStems();
    void bucketByFolder();

    const QList<FileEntry>& m_files;
    const MatchOptions& m_options;

    // Every folded name, one after the other, and where each file's is; empty for files of
    // kind `other`.
    QString m_foldedNames;
    std::vector<Span> m_folded;
    // The kind the analysis treats each file as.
    std::vector<FileKind> m_kind;
    std::vector<int> m_folderOf;
    std::vector<Position> m_stemLength;
    QHash<QString, int> m_folderNumbers;
    QStringView m_lastFolder;
    int m_lastFolderNumber = -1;
    // With known tools' names, per folder: the folder it holds exports of, or -1; and the pairs
    // of (that folder, export folder), in order of the first.
    std::vector<int> m_exportedFrom;
    std::vector<std::pair<int, int>> m_exportFolders;

    std::vector<Position> m_raws;
    std::vector<Position> m_twins;
    std::vector<Position> m_sidecars;

    // Every file but `other` ones, grouped by folder and bucket.
    std::vector<Position> m_bucketStart;
    std::vector<Position> m_grouped;
};
