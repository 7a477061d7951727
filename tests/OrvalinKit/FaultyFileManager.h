#pragma once

#include "LocalFileManager.h"

#include <QHash>
#include <QList>
#include <QRegularExpression>
#include <functional>
#include <utility>

// The real file system with faults put in the way: a chosen call of an operation, or every
// call on a matching path, throws OperationError instead of reaching the disk. Hooks run just
// before a call is handed on, so a test can change the disk between a check and an action.
// Paths are the folder's path joined with the name the call is about.
class FaultyFileManager : public FileManager
{
public:
    enum class Operation
    {
        openFolder,
        openChild,
        kindOf,
        createFolder,
        move,
        write,
        read,
        list,
        removeEmptyFolder,
    };
    using Hook = std::function<void(const QString& path, const QString& other)>;

    // Fails the nth call of `operation`, counted from 1.
    void failCall(Operation operation, int n);
    // Fails every call of `operation` whose (first) path matches `pattern`.
    void failPaths(Operation operation, const QString& pattern);
    void before(Operation operation, Hook hook);

    int calls(Operation operation) const { return m_calls.value(operation); }
    // Paths and contents of the writes that reached the disk, in order.
    const QList<std::pair<QString, QByteArray>>& written() const { return m_written; }

    FolderHandle openFolder(const QString& path) const override;
    std::optional<FolderHandle> openChild(
        const FolderHandle& parent, const QString& name) const override;
    ItemKind kindOf(const FolderHandle& folder, const QString& name) const override;
    FolderHandle createFolder(const FolderHandle& parent, const QString& name) override;
    void moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName) override;
    void writeAtomically(
        const FolderHandle& folder, const QString& name, const QByteArray& data) override;
    QByteArray read(const FolderHandle& folder, const QString& name, qint64 limit) const override;
    QStringList list(const FolderHandle& folder) const override;
    void removeEmptyFolder(const FolderHandle& parent, const QString& name) override;

private:
    struct Rule
    {
        Operation operation;
        int call = 0;
        QRegularExpression pattern;
    };

    // Counts the call, runs its hook, and throws when a rule says so.
    void enter(Operation operation, const QString& path, const QString& other = {}) const;

    LocalFileManager m_disk;
    QList<Rule> m_rules;
    QHash<Operation, Hook> m_hooks;
    mutable QHash<Operation, int> m_calls;
    QList<std::pair<QString, QByteArray>> m_written;
};
