#pragma once

#include "FileKind.h"

#include <QCache>
#include <QHash>
#include <QImage>
#include <QObject>
#include <QSize>
#include <QThreadPool>
#include <atomic>
#include <functional>
#include <memory>
#include <optional>

// Small pictures of the files the grid shows, made on a low-priority pool and kept in memory
// for the application's run (never on disk). The cache is used from the main thread only;
// decoding happens on the pool, and its results come back through `thumbnailReady`.
//
// A caller that asked for a picture and no longer shows the file says so with `release`:
// decoding that has not started yet is then skipped, so that scrolling fast through thousands
// of cells decodes only what stayed on screen.
//
// Files that store a small thumbnail of their own (phones' HEIC files) first give that one,
// which takes milliseconds, and are sharpened when their whole decode is done. Every first
// picture is made before any sharpening, and the latest requests, what is on screen now, come
// first within each.
class ThumbnailCache : public QObject
{
    Q_OBJECT

public:
    // What the cache holds for a file: its thumbnail or, when none could be made, the icon of
    // its file type.
    struct Picture
    {
        QImage image;
        bool isFileIcon = false;
        // The area, in device pixels, it was made to cover; empty when none was asked for.
        QSize cover;

        bool operator==(const Picture&) const = default;
    };

    // Makes a thumbnail bounded to `maxSide` pixels that covers `cover` device pixels where the
    // file allows; nothing when the file cannot be decoded. Called on the pool's threads, several
    // at once.
    using Decoder
        = std::function<std::optional<QImage>(const QString& path, FileKind kind, QSize cover)>;
    // Gives the small picture a file stores ready-made, if it holds one; also called on the
    // pool's threads.
    using StoredThumbnail
        = std::function<std::optional<QImage>(const QString& path, FileKind kind)>;

    static constexpr int capacity = 600;
    static constexpr int maxSide = 360;

    explicit ThumbnailCache(QObject* parent = nullptr);
    ThumbnailCache(Decoder decoder, StoredThumbnail stored = {}, QObject* parent = nullptr);
    ~ThumbnailCache() override;

    // The one cache of the application, created on first use.
    static ThumbnailCache& shared();

    // The picture held for `path`, to be drawn over `cover` device pixels (the cell's area at
    // the screen's scale). When there is none yet, decoding starts (or joins decoding already
    // under way) and `thumbnailReady(path)` follows; sidecars and other files that are no
    // pictures get nothing, and nothing is attempted for them. A picture made for a smaller area
    // than `cover` is returned as it is while a larger one is made, and `thumbnailReady(path)`
    // follows too.
    std::optional<Picture> image(const QString& path, FileKind kind, QSize cover = {});
    // Whether `image` would start or join decoding for a file of this kind that is not held.
    static bool isDecoded(FileKind kind);
    // Whether a picture serves for drawing over `cover`; when it does not, `image` has started
    // (or joined) making a sharper one.
    static bool isEnoughFor(const Picture& picture, QSize cover);
    // A caller still waiting for `thumbnailReady` after `image` (it got nothing for a decoded
    // kind, or a picture that is not enough) no longer needs the picture.
    void release(const QString& path);

    // How many pictures are made at once; all the processor's threads unless told.
    void setThreadCount(int threads) { m_pool.setMaxThreadCount(threads); }
    // Number of decodes that ran, for tests and benchmarks.
    int decodeCount() const { return m_decodeCount.load(); }
    // Blocks until every decode started so far has ended (results still arrive as events).
    void waitForDecoding();

Q_SIGNALS:
    void thumbnailReady(const QString& path);

private:
    struct Job;

    // Whether a job makes a file's first picture, or a sharper one for a picture held.
    enum class Pass
    {
        first,
        sharpen
    };

    void want(const QString& path, FileKind kind, QSize cover, Pass pass);
    void startDecoding(const QString& path, FileKind kind, QSize cover, Pass pass);
    std::optional<QImage> decode(Job& job);
    void finish(const std::shared_ptr<Job>& job, const std::optional<QImage>& thumbnail);
    Picture fileIcon(const QString& path) const;

    Decoder m_decoder;
    StoredThumbnail m_stored;
    QThreadPool m_pool;
    QCache<QString, Picture> m_pictures;
    QHash<QString, std::shared_ptr<Job>> m_jobs;
    // Later requests run first: they are what is on screen now. First pictures run before any
    // sharpening.
    int m_nextPriority = 0;
    static constexpr int firstPassPriority = 1 << 28;
    std::atomic<int> m_decodeCount = 0;
};
