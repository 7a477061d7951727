#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <QStringView>
#include <optional>

// What a file is, decided by its extension alone; a file's contents are never looked at.
enum class FileKind : quint8
{
    raw,
    jpeg,
    heic,
    sidecar,
    video,
    image,
    other
};

namespace FileKinds {

// Every kind, in declaration order.
const QList<FileKind>& allCases();

// "raw", "jpeg", ... : the text a kind is stored and coded as.
QString rawValue(FileKind kind);
// The kind whose raw value is exactly `text` (case-sensitive).
std::optional<FileKind> fromRawValue(QStringView text);
// The kind of an extension without its dot, in any letter case; unknown or empty gives `other`.
FileKind fromExtension(QStringView extension);

// The kinds that can be a RAW file's twin.
bool isTwin(FileKind kind);
// Photos, clips and other images; not sidecars, not `other`.
bool isMedia(FileKind kind);

// Lower-case extensions without the dot. Built once, immutable, safe from any thread.
const QSet<QString>& rawExtensions();
const QSet<QString>& jpegExtensions();
const QSet<QString>& heicExtensions();
const QSet<QString>& sidecarExtensions();
const QSet<QString>& videoExtensions();
const QSet<QString>& imageExtensions();
// Every known extension except the sidecar ones: what may be stripped from a photo's name.
const QSet<QString>& mediaExtensions();

} // namespace FileKinds

inline size_t qHash(FileKind kind, size_t seed = 0) noexcept
{
    return qHash(static_cast<quint8>(kind), seed);
}
