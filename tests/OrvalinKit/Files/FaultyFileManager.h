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
// Paths are the folder's path joined with the name the call is about. The disk underneath can be
// told to move as a weaker file system would, and to stop at any step inside a move.
class FaultyFileManager : public FileManager
{
public:
    enum class Operation
    {
        openFolder,
        createFolder,
        move,
        write,
        removeEmptyFolder,
    };
    using Hook = std::function<void(const QString& path, const QString& other)>;

    // Fails the nth call of `operation`, counted from 1.
    void failCall(Operation operation, int n) { m_rules.append({ operation, n, {}, 0 }); }
    // Fails every call of `operation` whose (first) path matches `pattern`, as the system would
    // with `systemError`.
    void failPaths(Operation operation, const QString& pattern, int systemError = 0)
    {
        m_rules.append({ operation, 0, QRegularExpression(pattern), systemError });
    }
    void before(Operation operation, Hook hook) { m_hooks.insert(operation, std::move(hook)); }

    int calls(Operation operation) const { return m_calls.value(operation); }
    // Paths and contents of the writes that reached the disk, in order.
    const QList<std::pair<QString, QByteArray>>& written() const { return m_written; }
    LocalFileManager& disk() { return m_disk; }

    FolderHandle openFolder(const QString& path) const override
    {
        return through(Operation::openFolder, path).openFolder(path);
    }
    std::optional<FolderHandle> openChild(
        const FolderHandle& parent, const QString& name) const override
    {
        return m_disk.openChild(parent, name);
    }
    ItemKind kindOf(const FolderHandle& folder, const QString& name) const override
    {
        return m_disk.kindOf(folder, name);
    }
    ItemInfo infoOf(const FolderHandle& folder, const QString& name) const override
    {
        return m_disk.infoOf(folder, name);
    }
    bool isOnSameMount(const FolderHandle& one, const FolderHandle& other) const override
    {
        return m_disk.isOnSameMount(one, other);
    }
    FolderHandle createFolder(const FolderHandle& parent, const QString& name) override
    {
        return through(Operation::createFolder, parent.pathOf(name)).createFolder(parent, name);
    }
    void moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
        const FolderHandle& to, const QString& toName, TargetFolder target) override
    {
        through(Operation::move, from.pathOf(fromName), to.pathOf(toName))
            .moveWithoutReplacing(from, fromName, to, toName, target);
    }
    bool completeMove(const FolderHandle& from, const QString& fromName, const FolderHandle& to,
        const QString& toName) override
    {
        return m_disk.completeMove(from, fromName, to, toName);
    }
    void writeAtomically(
        const FolderHandle& folder, const QString& name, const QByteArray& data) override;
    QByteArray read(const FolderHandle& folder, const QString& name, qint64 limit) const override
    {
        return m_disk.read(folder, name, limit);
    }
    QStringList list(const FolderHandle& folder) const override { return m_disk.list(folder); }
    void removeEmptyFolder(const FolderHandle& parent, const QString& name) override
    {
        through(Operation::removeEmptyFolder, parent.pathOf(name)).removeEmptyFolder(parent, name);
    }
    void removeEmptyFile(const FolderHandle& folder, const QString& name) override
    {
        m_disk.removeEmptyFile(folder, name);
    }
    std::optional<FolderLock> tryLock(const FolderHandle& folder) override
    {
        return m_disk.tryLock(folder);
    }
    FolderLock lock(const FolderHandle& folder) override { return m_disk.lock(folder); }

private:
    struct Rule
    {
        Operation operation;
        int call = 0;
        QRegularExpression pattern;
        int systemError = 0;
    };

    // Counts the call, runs its hook, and throws when a rule says so; else hands on the disk.
    LocalFileManager& through(
        Operation operation, const QString& path, const QString& other = {}) const;

    mutable LocalFileManager m_disk;
    QList<Rule> m_rules;
    QHash<Operation, Hook> m_hooks;
    mutable QHash<Operation, int> m_calls;
    QList<std::pair<QString, QByteArray>> m_written;
};
