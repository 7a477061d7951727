#pragma once

#include <QString>
#include <QStringView>

// Path-text helpers shared by everything that splits relative paths.
namespace RelativePath {
QString name(const QString& path);
QString folder(const QString& path);
QString extension(QStringView name);
// Whether `text` comes back the same from the trip to the file system's bytes, without a NUL
// that would cut it short in a system call: otherwise it would name another file.
bool isFaithfulInBytes(const QString& text);
} // namespace RelativePath
