#pragma once

#include "CaptureStamp.h"

#include <functional>
#include <optional>

// Maps a relative path below a scanned folder to the stamp of that file, if it has one.
// Safe to call from any thread, concurrently.
using CaptureReader = std::function<std::optional<CaptureStamp>(const QString& relativePath)>;

// Reads capture stamps from image metadata, never decoding the picture.
namespace CaptureTime {

// EXIF DateTimeOriginal (else TIFF DateTime), SubSecTimeOriginal and TIFF Model of one file.
// Every failure, of any kind, ends in no stamp.
std::optional<CaptureStamp> read(const QString& path);

// A reader that joins relative paths to its own copy of `root`.
CaptureReader reader(const QString& root);

} // namespace CaptureTime
