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

bool FaultyFileManager::exists(const QString& path) const
{
    enter(Operation::exists, path);
    return m_disk.exists(path);
}

bool FaultyFileManager::passesThroughLink(const QString& base, const QString& relativePath) const
{
    enter(Operation::passesThroughLink, base, relativePath);
    return m_disk.passesThroughLink(base, relativePath);
}

void FaultyFileManager::createFolders(const QString& path)
{
    enter(Operation::createFolders, path);
    m_disk.createFolders(path);
}

void FaultyFileManager::createFolder(const QString& path)
{
    enter(Operation::createFolder, path);
    m_disk.createFolder(path);
}

void FaultyFileManager::moveWithoutReplacing(const QString& from, const QString& to)
{
    enter(Operation::move, from, to);
    m_disk.moveWithoutReplacing(from, to);
}

void FaultyFileManager::writeAtomically(const QString& path, const QByteArray& data)
{
    enter(Operation::write, path);
    m_disk.writeAtomically(path, data);
    m_written.append({ path, data });
}

QByteArray FaultyFileManager::read(const QString& path) const
{
    enter(Operation::read, path);
    return m_disk.read(path);
}

QStringList FaultyFileManager::list(const QString& folder) const
{
    enter(Operation::list, folder);
    return m_disk.list(folder);
}

void FaultyFileManager::removeEmptyFolder(const QString& path)
{
    enter(Operation::removeEmptyFolder, path);
    m_disk.removeEmptyFolder(path);
}
