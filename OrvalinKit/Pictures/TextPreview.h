#pragma once

#include <QString>
#include <optional>

// The beginning of a text file, such as an edit-settings sidecar (XMP, PP3, DOP and the like
// are text), read for showing it in the quick look.
struct TextPreview
{
    // More than this is never read, however long the file is; plenty for settings, and as
    // much as a text view takes in without a pause.
    static constexpr qint64 defaultLimit = 256 * 1000;

    QString text;
    // The file goes on past what was read.
    bool cut = false;
    // The bytes were not UTF-8 (nor marked as UTF-16 or UTF-32) and were read as Latin-1.
    bool latin1 = false;

    // The first `limit` bytes of the file at `path`, when it is a regular file that holds text.
    // Nothing for a file that is gone, cannot be read, is no regular file (a named pipe is never
    // opened for reading, so the call cannot block on one) or holds binary data.
    static std::optional<TextPreview> read(const QString& path, qint64 limit = defaultLimit);

    bool operator==(const TextPreview&) const = default;
};
