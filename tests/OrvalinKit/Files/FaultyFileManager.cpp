#include "FaultyFileManager.h"

#include "OperationError.h"

LocalFileManager& FaultyFileManager::through(
    Operation operation, const QString& path, const QString& other) const
{
    const int call = ++m_calls[operation];
    if (const Hook hook = m_hooks.value(operation))
        hook(path, other);
    for (const Rule& rule : m_rules) {
        if (rule.operation != operation)
            continue;
        if (rule.call == call || (rule.call == 0 && rule.pattern.match(path).hasMatch()))
            throw OperationError(
                QStringLiteral("Injected failure on “%1”.").arg(path), rule.systemError);
    }
    return m_disk;
}

void FaultyFileManager::writeAtomically(
    const FolderHandle& folder, const QString& name, const QByteArray& data)
{
    through(Operation::write, folder.pathOf(name)).writeAtomically(folder, name, data);
    m_written.append({ folder.pathOf(name), data });
}
