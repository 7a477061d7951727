#pragma once

#include <QImage>
#include <QString>
#include <optional>

// The pictures a camera embeds in its RAW files, which are far cheaper to show than developing
// the RAW data itself.
namespace RawPreview {

// The largest embedded preview of the RAW file at `path` that decodes, at most `maxSide`
// pixels on its longer side and turned upright by the RAW file's own orientation. Nothing when
// the file has no preview that decodes. Safe to call from several threads at once.
std::optional<QImage> read(const QString& path, int maxSide);

} // namespace RawPreview
