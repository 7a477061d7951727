#include "Scanner.h"

#include "NameFolding.h"
#include "OperationError.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <dirent.h>
#include <exception>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

enum class Catalogue
{
    photosLibrary,
    lightroom,
    captureOne
};

struct CatalogueMarker
{
    QLatin1StringView extension;
    Catalogue catalogue;
};

// Lower-case extensions, in the order they are tested.
constexpr CatalogueMarker catalogueMarkers[] {
    { QLatin1StringView("photoslibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("photolibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("aplibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("migratedphotolibrary"), Catalogue::photosLibrary },
    { QLatin1StringView("lrcat"), Catalogue::lightroom },
    { QLatin1StringView("lrlibrary"), Catalogue::lightroom },
    { QLatin1StringView("lrcat-data"), Catalogue::lightroom },
    { QLatin1StringView("cocatalog"), Catalogue::captureOne },
    { QLatin1StringView("cocatalogdb"), Catalogue::captureOne },
    { QLatin1StringView("cosessiondb"), Catalogue::captureOne },
};

bool isAscii(QStringView text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

QStringView extensionOf(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QStringView() : name.sliced(dot + 1);
}

// Runs for every item of a scan, so plain ASCII, by far the common case, is compared without
// building a lower-cased copy.
std::optional<Catalogue> catalogueOf(QStringView name)
{
    const QStringView extension = extensionOf(name);
    if (extension.isEmpty())
        return std::nullopt;
    if (isAscii(extension)) {
        for (const CatalogueMarker& marker : catalogueMarkers) {
            if (extension.size() == marker.extension.size()
                && extension.compare(marker.extension, Qt::CaseInsensitive) == 0)
                return marker.catalogue;
        }
        return std::nullopt;
    }
    const QString lower = extension.toString().toLower();
    for (const CatalogueMarker& marker : catalogueMarkers) {
        if (lower == marker.extension)
            return marker.catalogue;
    }
    return std::nullopt;
}

ScanRefusal::Reason reasonFor(Catalogue catalogue, bool inside)
{
    switch (catalogue) {
    case Catalogue::photosLibrary:
        return inside ? ScanRefusal::Reason::insidePhotosLibrary
                      : ScanRefusal::Reason::containsPhotosLibrary;
    case Catalogue::lightroom:
        return ScanRefusal::Reason::containsLightroomCatalog;
    case Catalogue::captureOne:
        return ScanRefusal::Reason::containsCaptureOne;
    }
    return ScanRefusal::Reason::containsPhotosLibrary;
}

QString standardised(const QString& folder)
{
    return QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
}

// A directory that the desktop shows as a single document is seen but not entered. Linux has no
// such directories; on macOS this is where a bundle is recognised.
bool isShownAsOneDocument(int parentFd, const char* name)
{
    Q_UNUSED(parentFd);
    Q_UNUSED(name);
    return false;
}

struct DirectoryCloser
{
    void operator()(DIR* directory) const { closedir(directory); }
};
using Directory = std::shared_ptr<DIR>;

Directory adopt(DIR* directory)
{
    return directory ? Directory(directory, DirectoryCloser()) : nullptr;
}

// Null, with `error` set, when the folder cannot be opened.
Directory openSubfolder(int parentFd, const char* name, int& error)
{
    const int fd = openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return nullptr;
    }
    DIR* directory = fdopendir(fd);
    if (!directory) {
        error = errno;
        close(fd);
    }
    return adopt(directory);
}

// Errors that say an item went away or was replaced since its folder was listed, rather than
// that it cannot be read: such an item is simply no longer there to list.
bool isGoneSinceListed(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ELOOP;
}

// A folder that directly holds a restore log is a past review session, whatever its name.
bool holdsRestoreLog(DIR* directory)
{
    struct stat log;
    return fstatat(dirfd(directory), "restore-log.json", &log, AT_SYMLINK_NOFOLLOW) == 0;
}

// `prefix` followed by the name as the file system gave it; a name that is not UTF-8 comes out
// mended, with `valid` cleared.
QString joined(const QString& prefix, const char* name, bool& valid)
{
    size_t length = 0;
    unsigned char bits = 0;
    for (; name[length]; ++length)
        bits |= static_cast<unsigned char>(name[length]);
    QString path;
    path.reserve(prefix.size() + qsizetype(length));
    path.append(prefix);
    if (bits < 0x80) {
        path.append(QLatin1StringView(name, qsizetype(length)));
    } else {
        const QByteArrayView bytes(name, qsizetype(length));
        valid = bytes.isValidUtf8();
        path.append(QString::fromUtf8(bytes));
    }
    return path;
}

// What the walk does with one item of a folder, in the order the folder lists its items.
enum class Step : quint8
{
    skip,
    file,
    subfolder,
    // An item whose kind or size could not be read.
    unreadable,
    refusal
};

// One folder of the walk: where it is, and, once read, what the walk does with its items. The
// files and subfolders are kept in the order their steps name them.
struct Folder
{
    // How to reach it: the folder it is in, open, and its name there. The scanned folder itself
    // comes open.
    Directory parent;
    QByteArray name;
    Directory opened;

    // Relative path with a trailing "/", empty for the scanned folder; its name for progress.
    QString prefix;
    QString displayName;

    // Guarded by the walk's mutex.
    enum class State : quint8
    {
        waiting,
        reading,
        read
    } state = State::waiting;

    // Set by whoever reads the folder, before it is published as read. A folder that cannot be
    // opened, or that is a past review session, has no steps.
    std::vector<Step> steps;
    QList<FileEntry> files;
    std::vector<std::unique_ptr<Folder>> subfolders;
    // One for each unreadable step, in listing order; then the folder itself when it could not be
    // opened or listed to its end.
    QList<UnreadableItem> unreadable;
    std::optional<ScanRefusal> refusal;
    std::exception_ptr failure;
    // Reading stopped early because the scan was cancelled.
    bool cutShort = false;
};

// Relative path of a folder of the walk, without the trailing "/".
QStringView pathOf(const Folder& folder)
{
    return QStringView(folder.prefix).chopped(folder.prefix.isEmpty() ? 0 : 1);
}

// 0, or the error a test wants reading the item at `path` to fail with.
int injectedError(const QList<ReadFault>& faults, QStringView path)
{
    for (const ReadFault& fault : faults) {
        if (fault.relativePath == path)
            return fault.error;
    }
    return 0;
}

// Reads one folder's items into its steps. Runs on any of the walk's threads, touching nothing
// but the folder it was given.
class FolderReader
{
public:
    FolderReader(const QString& reviewKey, const QList<ReadFault>& faults,
        const std::atomic_bool& stopped, const CancellationToken& cancel)
        : m_reviewKey(reviewKey)
        , m_faults(faults)
        , m_stopped(stopped)
        , m_cancel(cancel)
    {
    }

    void read(Folder& folder) const
    {
        try {
            readItems(folder);
        } catch (...) {
            folder.failure = std::current_exception();
        }
        folder.parent.reset();
        folder.opened.reset();
    }

private:
    void readItems(Folder& folder) const
    {
        const bool isTop = folder.opened != nullptr;
        Directory directory = folder.opened;
        int error = 0;
        if (!isTop) {
            error = injectedError(m_faults, pathOf(folder));
            if (error == 0)
                directory = openSubfolder(dirfd(folder.parent.get()), folder.name, error);
        }
        // The parent stays open only as long as some folder in it still has to be opened.
        folder.parent.reset();
        if (!directory) {
            noteUnreadableFolder(folder, error);
            return;
        }
        if (!isTop && holdsRestoreLog(directory.get()))
            return;
        const int fd = dirfd(directory.get());
        for (;;) {
            errno = 0;
            const dirent* item = readdir(directory.get());
            if (!item) {
                // What was listed before the failure stays; the folder is named as unreadable.
                noteUnreadableFolder(folder, errno);
                return;
            }
            // Hidden items, and "." and "..", are not part of the walk at all.
            if (item->d_name[0] == '.')
                continue;
            if (m_stopped.load(std::memory_order_relaxed) || m_cancel.isCancelled()) {
                folder.cutShort = true;
                return;
            }
            const Step step = visit(folder, directory, fd, item->d_name, item->d_type);
            folder.steps.push_back(step);
            // Nothing after a refusal is ever looked at.
            if (step == Step::refusal)
                return;
        }
    }

    Step visit(Folder& folder, const Directory& directory, int fd, const char* name,
        unsigned char type) const
    {
        if (type == DT_LNK)
            return Step::skip;
        bool validName = true;
        QString path = joined(folder.prefix, name, validName);
        struct stat values;
        std::optional<int> valuesError;
        if (type == DT_UNKNOWN) {
            valuesError = readValues(fd, name, path, values);
            if (*valuesError == 0)
                type = IFTODT(values.st_mode);
            if (type == DT_LNK)
                return Step::skip;
        }
        const QStringView itemName = QStringView(path).sliced(folder.prefix.size());
        if (const std::optional<Catalogue> catalogue = catalogueOf(itemName)) {
            folder.refusal = ScanRefusal { reasonFor(*catalogue, false), path };
            return Step::refusal;
        }
        // No later move could find a file by a name that had to be mended to be shown.
        if (!validName)
            return Step::skip;

        if (type == DT_DIR) {
            if (!mayEnter(fd, name, itemName))
                return Step::skip;
            auto subfolder = std::make_unique<Folder>();
            subfolder->parent = directory;
            subfolder->name = name;
            subfolder->displayName = itemName.toString();
            path.append(u'/');
            subfolder->prefix = std::move(path);
            folder.subfolders.push_back(std::move(subfolder));
            return Step::subfolder;
        }
        // Only an item whose values could not be read has no kind by now.
        if (type == DT_UNKNOWN)
            return unreadableItem(folder, std::move(path), *valuesError);
        if (type != DT_REG)
            return Step::skip;
        if (!valuesError)
            valuesError = readValues(fd, name, path, values);
        if (*valuesError != 0)
            return unreadableItem(folder, std::move(path), *valuesError);
        // Replaced since the folder was listed.
        if (!S_ISREG(values.st_mode))
            return Step::skip;
        const FileKind kind = FileKinds::fromExtension(extensionOf(itemName));
        folder.files.append({ std::move(path), qint64(values.st_size), kind });
        return Step::file;
    }

    // 0, or the error the item's values could not be read with.
    int readValues(int fd, const char* name, QStringView path, struct stat& values) const
    {
        if (const int error = injectedError(m_faults, path))
            return error;
        return fstatat(fd, name, &values, AT_SYMLINK_NOFOLLOW) == 0 ? 0 : errno;
    }

    static Step unreadableItem(Folder& folder, QString path, int error)
    {
        if (isGoneSinceListed(error))
            return Step::skip;
        folder.unreadable.append({ std::move(path), UnreadableItem::reasonFor(error), false });
        return Step::unreadable;
    }

    static void noteUnreadableFolder(Folder& folder, int error)
    {
        if (error == 0 || isGoneSinceListed(error))
            return;
        folder.unreadable.append(
            { pathOf(folder).toString(), UnreadableItem::reasonFor(error), true });
    }

    bool mayEnter(int fd, const char* name, QStringView itemName) const
    {
        if (isShownAsOneDocument(fd, name))
            return false;
        return NameFolding::fold(itemName) != m_reviewKey;
    }

    const QString& m_reviewKey;
    const QList<ReadFault>& m_faults;
    const std::atomic_bool& m_stopped;
    const CancellationToken& m_cancel;
};

// Most of a scan is waiting for the kernel, and with a cold cache for the disk, so folders are
// read on several threads at once. The calling thread then replays what was read depth first,
// item by item, exactly as one thread walking alone would meet the items: the entries, their
// order, the progress reports, the cancellation checkpoints and the refusal that wins do not
// depend on which thread read which folder. It reads folders itself while it waits.
class Walk
{
public:
    Walk(const ScanOptions& options, const ScanProgressCallback& progress,
        const CancellationToken& cancel)
        : m_reviewKey(NameFolding::fold(options.reviewFolderName))
        , m_faults(options.faults)
        , m_reader(m_reviewKey, m_faults, m_stopped, cancel)
        , m_progress(progress)
        , m_cancel(cancel)
    {
        m_entries.reserve(4096);
    }

    ~Walk()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopped = true;
        }
        m_changed.notify_all();
        for (std::thread& thread : m_threads)
            thread.join();
    }

    QList<FileEntry> run(const QString& folder)
    {
        m_top.opened = openTop(folder);
        m_top.displayName = QFileInfo(standardised(folder)).fileName();
        replay(m_top);
        m_cancel.throwIfCancelled();
        if (m_progress)
            m_progress({ m_entries.size(), QString() });
        return std::move(m_entries);
    }

    UnreadableList takeUnreadable() { return std::move(m_unreadable); }

private:
    using State = Folder::State;

    // The folder as passed, links and all: only what lies below it is never followed. A folder
    // that cannot be opened at all leaves nothing to show, so that is a failure of the scan.
    Directory openTop(const QString& folder) const
    {
        int error = injectedError(m_faults, u"");
        Directory directory;
        if (error == 0) {
            const int fd
                = open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            DIR* opened = fd < 0 ? nullptr : fdopendir(fd);
            error = opened ? 0 : errno;
            if (!opened && fd >= 0)
                close(fd);
            directory = adopt(opened);
        }
        if (!directory)
            throw OperationError(QCoreApplication::translate(
                "LocalFileManager", "Couldn’t open the folder “%1”: %2.")
                                     .arg(folder, QString::fromLocal8Bit(std::strerror(error))));
        return directory;
    }

    void replay(Folder& folder)
    {
        waitUntilRead(folder);
        if (folder.failure)
            std::rethrow_exception(folder.failure);
        makeRoomFor(folder.files.size());
        auto file = folder.files.begin();
        auto subfolder = folder.subfolders.begin();
        auto unreadable = folder.unreadable.begin();
        for (const Step step : folder.steps) {
            countItem(folder.displayName);
            switch (step) {
            case Step::skip:
                break;
            case Step::file:
                m_entries.append(std::move(*file++));
                break;
            case Step::unreadable:
                m_unreadable.add(std::move(*unreadable++));
                break;
            case Step::subfolder:
                replay(**subfolder);
                // Done with: nothing refers to it any more.
                (subfolder++)->reset();
                break;
            case Step::refusal:
                throw *folder.refusal;
            }
        }
        // What was left unread must never pass for the whole folder.
        if (folder.cutShort)
            throw Cancelled();
        // The folder itself, when it could not be opened or listed to its end.
        for (; unreadable != folder.unreadable.end(); ++unreadable)
            m_unreadable.add(std::move(*unreadable));
        folder.files = {};
        folder.steps = {};
        folder.unreadable = {};
    }

    // The readers are ahead of the replay, so what they have found so far is a fair guess at
    // what is still to come: the list grows a few times rather than a few dozen.
    void makeRoomFor(qsizetype files)
    {
        const qsizetype needed = m_entries.size() + files;
        if (needed <= m_entries.capacity())
            return;
        m_entries.reserve(
            std::max({ needed, 2 * m_entries.capacity(), qsizetype(m_filesRead.load()) }));
    }

    // Reads the folder on this thread when no other has started on it, and reads other waiting
    // folders while another thread finishes it.
    void waitUntilRead(Folder& folder)
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (folder.state == State::read)
                return;
            Folder* next = folder.state == State::waiting ? claim(folder) : takeWaiting();
            if (!next) {
                m_changed.wait(lock);
                continue;
            }
            next->state = State::reading;
            lock.unlock();
            readAndPublish(*next);
            lock.lock();
        }
    }

    // The folder most recently found: the walk replays subfolders depth first, so this keeps
    // the reading close ahead of the replay. Called with the mutex held.
    Folder* takeWaiting()
    {
        while (!m_waiting.empty()) {
            Folder* folder = m_waiting.back();
            m_waiting.pop_back();
            if (folder->state == State::waiting)
                return folder;
        }
        return nullptr;
    }

    // Takes the folder off the waiting ones, where it is usually the last. Called with the mutex
    // held.
    Folder* claim(Folder& folder)
    {
        const auto found = std::find(m_waiting.rbegin(), m_waiting.rend(), &folder);
        if (found != m_waiting.rend())
            m_waiting.erase(std::next(found).base());
        return &folder;
    }

    void readAndPublish(Folder& folder)
    {
        m_reader.read(folder);
        m_filesRead += folder.files.size();
        {
            const std::lock_guard lock(m_mutex);
            folder.state = State::read;
            // Pushed last to first, so that the first subfolder is read first.
            for (auto it = folder.subfolders.rbegin(); it != folder.subfolders.rend(); ++it) {
                m_waiting.push_back(it->get());
            }
            startReaders();
        }
        m_changed.notify_all();
    }

    // Called with the mutex held, once there is something to share.
    void startReaders()
    {
        if (!m_threads.empty() || m_waiting.empty())
            return;
        try {
            for (int i = 0; i < readerThreads; ++i)
                m_threads.emplace_back([this] { readWaitingFolders(); });
        } catch (const std::system_error&) {
            // Fewer threads read the same folders, only more slowly.
        }
    }

    void readWaitingFolders()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            if (m_stopped)
                return;
            Folder* folder = takeWaiting();
            if (!folder) {
                m_changed.wait(lock);
                continue;
            }
            folder->state = State::reading;
            lock.unlock();
            readAndPublish(*folder);
            lock.lock();
        }
    }

    void countItem(QStringView folderName)
    {
        if (++m_items % 512 != 0)
            return;
        m_cancel.throwIfCancelled();
        if (m_progress)
            m_progress({ m_entries.size(), folderName.toString() });
    }

    // Besides the calling thread; reading is mostly waiting, so more than the processors.
    static constexpr int readerThreads = 3;

    const QString m_reviewKey;
    const QList<ReadFault>& m_faults;
    std::atomic_bool m_stopped = false;
    const FolderReader m_reader;
    const ScanProgressCallback& m_progress;
    const CancellationToken& m_cancel;
    QList<FileEntry> m_entries;
    UnreadableList m_unreadable;
    qint64 m_items = 0;
    std::atomic<qint64> m_filesRead = 0;

    Folder m_top;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    // Guarded by the mutex.
    std::vector<Folder*> m_waiting;
    std::vector<std::thread> m_threads;
};

} // namespace

namespace Scanner {

std::optional<ScanRefusal> checkLocation(const QString& folder)
{
    const QString written = standardised(folder);
    const QString resolved = QFileInfo(written).canonicalFilePath();
    for (const QString& path : { written, resolved }) {
        for (const QString& component : path.split(u'/', Qt::SkipEmptyParts)) {
            if (const std::optional<Catalogue> catalogue = catalogueOf(component))
                return ScanRefusal { reasonFor(*catalogue, true), component };
        }
    }
    return std::nullopt;
}

QList<FileEntry> scan(const QString& folder, const ScanOptions& options,
    const ScanProgressCallback& progress, const CancellationToken& cancel,
    UnreadableList* unreadable)
{
    if (const std::optional<ScanRefusal> refusal = checkLocation(folder))
        throw *refusal;
    Walk walk(options, progress, cancel);
    QList<FileEntry> entries = walk.run(folder);
    if (unreadable)
        *unreadable = walk.takeUnreadable();
    return entries;
}

} // namespace Scanner
