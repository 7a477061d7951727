#include "ThumbnailCache.h"

#include "Icons.h"
#include "ThumbnailDecoder.h"

#include <QCoreApplication>
#include <QFileIconProvider>
#include <QFileInfo>
#include <atomic>

// One file's decoding. The main thread owns `wanted`; the pool's thread and the main thread
// race only on `state`, which settles whether a queued job runs or is skipped.
struct ThumbnailCache::Job
{
    enum State : int
    {
        queued,
        running,
        skipped
    };

    QString path;
    FileKind kind;
    QSize cover;
    Pass pass;
    int wanted = 1;
    // Set on the pool's thread: the picture is the file's stored thumbnail, to be sharpened.
    bool preliminary = false;
    std::atomic<int> state = queued;
};

namespace {

constexpr int fileIconSize = 64;

bool covers(QSize picture, QSize cover)
{
    return cover.width() <= picture.width() && cover.height() <= picture.height();
}

} // namespace

ThumbnailCache::ThumbnailCache(QObject* parent)
    : ThumbnailCache(
        [](const QString& path, FileKind kind, QSize cover) {
            return ThumbnailDecoder::decode(path, kind, maxSide, cover);
        },
        [](const QString& path, FileKind kind) {
            return ThumbnailDecoder::storedThumbnail(path, kind, maxSide);
        },
        parent)
{
}

ThumbnailCache::ThumbnailCache(Decoder decoder, StoredThumbnail stored, QObject* parent)
    : QObject(parent)
    , m_decoder(std::move(decoder))
    , m_stored(std::move(stored))
    , m_pictures(capacity)
{
    // Thumbnails must never compete with the window, nor with a scan, for the processor.
    m_pool.setThreadPriority(QThread::LowPriority);
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
}

ThumbnailCache::~ThumbnailCache()
{
    for (const auto& job : std::as_const(m_jobs)) {
        int expected = Job::queued;
        job->state.compare_exchange_strong(expected, Job::skipped);
    }
    m_pool.waitForDone();
}

ThumbnailCache& ThumbnailCache::shared()
{
    // Owned by the application, so that decoding still under way ends before it does.
    static ThumbnailCache* cache = new ThumbnailCache(QCoreApplication::instance());
    return *cache;
}

std::optional<ThumbnailCache::Picture> ThumbnailCache::image(
    const QString& path, FileKind kind, QSize cover)
{
    if (const Picture* picture = m_pictures.object(path)) {
        // A stored thumbnail, or drawn larger than it was made for (a wider cell, a sharper
        // screen): made again, and shown as it is until then.
        if (!isEnoughFor(*picture, cover))
            want(path, kind, cover, Pass::sharpen);
        return *picture;
    }
    if (isDecoded(kind))
        want(path, kind, cover, Pass::first);
    return std::nullopt;
}

bool ThumbnailCache::isEnoughFor(const Picture& picture, QSize cover)
{
    // A picture made for an area serves for that area, also when the file is too small to
    // cover it.
    return picture.isFileIcon || cover.isEmpty() || covers(picture.cover, cover)
        || covers(picture.image.size(), cover);
}

void ThumbnailCache::want(const QString& path, FileKind kind, QSize cover, Pass pass)
{
    if (const auto running = m_jobs.constFind(path); running != m_jobs.constEnd())
        ++(*running)->wanted;
    else
        startDecoding(path, kind, cover, pass);
}

void ThumbnailCache::startDecoding(const QString& path, FileKind kind, QSize cover, Pass pass)
{
    auto job = std::make_shared<Job>();
    job->path = path;
    job->kind = kind;
    job->cover = cover;
    job->pass = pass;
    m_jobs.insert(path, job);
    // The pool is drained before the cache goes, so `this` outlives every task.
    m_pool.start(
        [this, job] {
            int expected = Job::queued;
            if (!job->state.compare_exchange_strong(expected, Job::running))
                return;
            ++m_decodeCount;
            std::optional<QImage> thumbnail;
            try {
                thumbnail = decode(*job);
            } catch (...) {
                // A picture that breaks its decoder is one that cannot be decoded.
            }
            QMetaObject::invokeMethod(
                this, [this, job, thumbnail] { finish(job, thumbnail); }, Qt::QueuedConnection);
        },
        ++m_nextPriority + (pass == Pass::first ? firstPassPriority : 0));
}

// On the pool's thread.
std::optional<QImage> ThumbnailCache::decode(Job& job)
{
    // A cell to fill at once takes the file's own thumbnail when it stores one; the whole decode
    // follows as a sharpening pass unless that thumbnail covers the cell already.
    if (job.pass == Pass::first && m_stored && !job.cover.isEmpty()) {
        if (std::optional<QImage> stored = m_stored(job.path, job.kind);
            stored && !stored->isNull()) {
            job.preliminary = !covers(stored->size(), job.cover);
            return stored;
        }
    }
    return m_decoder(job.path, job.kind, job.cover);
}

bool ThumbnailCache::isDecoded(FileKind kind)
{
    return kind != FileKind::sidecar && kind != FileKind::other;
}

void ThumbnailCache::release(const QString& path)
{
    const auto found = m_jobs.find(path);
    if (found == m_jobs.end() || --(*found)->wanted > 0)
        return;
    int expected = Job::queued;
    // A job already running is left to finish: its picture will be wanted again soon enough.
    if ((*found)->state.compare_exchange_strong(expected, Job::skipped))
        m_jobs.erase(found);
}

void ThumbnailCache::waitForDecoding()
{
    m_pool.waitForDone();
}

void ThumbnailCache::finish(const std::shared_ptr<Job>& job, const std::optional<QImage>& thumbnail)
{
    if (m_jobs.value(job->path) == job)
        m_jobs.remove(job->path);
    // A stored thumbnail was made for no area: any cell that it does not cover sharpens it.
    Picture picture = thumbnail && !thumbnail->isNull()
        ? Picture { *thumbnail, false, job->preliminary ? QSize() : job->cover }
        : fileIcon(job->path);
    m_pictures.insert(job->path, new Picture(std::move(picture)));
    Q_EMIT thumbnailReady(job->path);
}

ThumbnailCache::Picture ThumbnailCache::fileIcon(const QString& path) const
{
    // Icons are pixmaps underneath, which only the main thread may make.
    QIcon icon = QFileIconProvider().icon(QFileInfo(path));
    QImage image = icon.pixmap(fileIconSize, fileIconSize).toImage();
    if (image.isNull())
        image = Icons::symbol(QStringLiteral("photo")).pixmap(fileIconSize, fileIconSize).toImage();
    return { image, true, {} };
}
