#include "TextPreview.h"

#include <QFile>
#include <QStringDecoder>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The first `limit` bytes of a regular file, and whether there was more; nothing for anything
// else. Opening without blocking and then asking the open file what it is leaves no moment in
// which a named pipe put in the file's place could hold the reading thread.
std::optional<std::pair<QByteArray, bool>> readStart(const QString& path, qint64 limit)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return std::nullopt;
    }
    QByteArray data(limit + 1, Qt::Uninitialized);
    qint64 filled = 0;
    while (filled < data.size()) {
        const ssize_t got = ::read(fd, data.data() + filled, size_t(data.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        filled += got;
    }
    ::close(fd);
    const bool more = filled > limit;
    data.truncate(qMin(filled, limit));
    return std::pair { data, more };
}

} // namespace

std::optional<TextPreview> TextPreview::read(const QString& path, qint64 limit)
{
    const auto start = readStart(path, qMax<qint64>(0, limit));
    if (!start)
        return std::nullopt;
    const auto& [data, more] = *start;
    TextPreview preview;
    preview.cut = more;

    // A byte-order mark names the encoding; UTF-16 and UTF-32 text is full of zero bytes.
    const std::optional<QStringConverter::Encoding> marked
        = QStringConverter::encodingForData(data);
    if (marked && *marked != QStringConverter::Utf8) {
        QStringDecoder decoder(*marked);
        preview.text = decoder.decode(data);
        return decoder.hasError() ? std::nullopt : std::optional(preview);
    }
    if (data.contains('\0'))
        return std::nullopt;
    // Stateful, so that a character cut in two at the limit is no error; it is left out.
    QStringDecoder utf8(QStringConverter::Utf8);
    preview.text = utf8.decode(data);
    if (utf8.hasError()) {
        preview.text = QString::fromLatin1(data);
        preview.latin1 = true;
    }
    return preview;
}
