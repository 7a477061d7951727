#pragma once

#include "OperationError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

// A temporary folder that files can be written into by relative path.
class TempFolder
{
public:
    TempFolder();
    // Removes the folder by the bytes of its items' names, which need not be UTF-8.
    ~TempFolder();

    // Absolute path, without a trailing "/".
    QString path() const { return m_dir.path(); }
    // Absolute path of a relative one.
    QString at(const QString& relativePath) const { return path() + u'/' + relativePath; }
    // Writes a file, creating its folders; returns its absolute path.
    QString write(const QString& relativePath, const QByteArray& content = {});
    // Creates a folder and its parents; returns its absolute path.
    QString makeFolder(const QString& relativePath);

private:
    QTemporaryDir m_dir;
};

// Makes folders below `root` unreadable (mode 000) for as long as it lives, so that a scan meets
// them as it meets another user's folders. Root is not stopped by permissions, so as root the
// process runs as "nobody" meanwhile (every thread, until this is destroyed). Tests skip, saying
// why, when neither can be done.
class UnreadableFolders
{
public:
    UnreadableFolders(const QString& root, const QStringList& relativePaths);
    ~UnreadableFolders();
    UnreadableFolders(const UnreadableFolders&) = delete;
    UnreadableFolders& operator=(const UnreadableFolders&) = delete;

    // Why the folders cannot be made unreadable here; empty when they are.
    const QString& whyNot() const { return m_whyNot; }

private:
    const unsigned m_group;
    QStringList m_folders;
    QString m_whyNot;
    bool m_asNobody = false;
};

// Writes a file at an absolute path, making its folders.
void writeFile(const QString& path, const QByteArray& content);
QByteArray readFile(const QString& path);

// The message of the OperationError an action throws, or "no error".
inline QString messageOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const OperationError& error) {
        return error.message();
    }
    return QStringLiteral("no error");
}

// The real camera files in tests/data/cameras; throws "corpus missing" for a file that is not
// there, which fails the test at that point.
QString corpusFile(const QString& name);

// Lets test failures show texts as text rather than as arrays of UTF-16 units.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
