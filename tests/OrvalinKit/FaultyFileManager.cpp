#include "FaultyFileManager.h"

#include "OperationError.h"

void FaultyFileManager::failCall(Operation operation, int n)
{
    m_rules.append({ operation, n, {} });
}

void FaultyFileManager::failPaths(Operation operation, const QString& pattern)
{
    m_rules.append({ operation, 0, QRegularExpression(pattern) });
}

void FaultyFileManager::before(Operation operation, Hook hook)
{
    m_hooks.insert(operation, std::move(hook));
}

void FaultyFileManager::enter(Operation operation, const QString& path, const QString& other) const
{
    const int call = ++m_calls[operation];
    if (const Hook hook = m_hooks.value(operation))
        hook(path, other);
    for (const Rule& rule : m_rules) {
        if (rule.operation != operation)
            continue;
        if (rule.call == call || (rule.call == 0 && rule.pattern.match(path).hasMatch()))
            throw OperationError(QStringLiteral("Injected failure on “%1”.").arg(path));
    }
}

FolderHandle FaultyFileManager::openFolder(const QString& path) const
{
    enter(Operation::openFolder, path);
    return m_disk.openFolder(path);
}

std::optional<FolderHandle> FaultyFileManager::openChild(
    const FolderHandle& parent, const QString& name) const
{
    enter(Operation::openChild, parent.pathOf(name));
    return m_disk.openChild(parent, name);
}

ItemKind FaultyFileManager::kindOf(const FolderHandle& folder, const QString& name) const
{
    enter(Operation::kindOf, folder.pathOf(name));
    return m_disk.kindOf(folder, name);
}

FolderHandle FaultyFileManager::createFolder(const FolderHandle& parent, const QString& name)
{
    enter(Operation::createFolder, parent.pathOf(name));
    return m_disk.createFolder(parent, name);
}

void FaultyFileManager::moveWithoutReplacing(const FolderHandle& from, const QString& fromName,
    const FolderHandle& to, const QString& toName)
{
    enter(Operation::move, from.pathOf(fromName), to.pathOf(toName));
    m_disk.moveWithoutReplacing(from, fromName, to, toName);
}

void FaultyFileManager::writeAtomically(
    const FolderHandle& folder, const QString& name, const QByteArray& data)
{
    const QString path = folder.pathOf(name);
    enter(Operation::write, path);
    m_disk.writeAtomically(folder, name, data);
    m_written.append({ path, data });
}

QByteArray FaultyFileManager::read(const FolderHandle& folder, const QString& name, qint64 limit) const
{
    enter(Operation::read, folder.pathOf(name));
    return m_disk.read(folder, name, limit);
}

QStringList FaultyFileManager::list(const FolderHandle& folder) const
{
    enter(Operation::list, folder.path());
    return m_disk.list(folder);
}

void FaultyFileManager::removeEmptyFolder(const FolderHandle& parent, const QString& name)
{
    enter(Operation::removeEmptyFolder, parent.pathOf(name));
    m_disk.removeEmptyFolder(parent, name);
}
