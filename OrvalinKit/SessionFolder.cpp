#include "SessionFolder.h"

#include "OperationError.h"

namespace SessionFolder {

QString withoutTrailingSlash(QString path)
{
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

QString join(const QString& base, const QString& relative)
{
    return relative.isEmpty() ? base : base + u'/' + relative;
}

namespace {

// passesThroughLink looks at every folder before the last component; this name stands in for
// one inside the folder itself.
QString inside(const QString& relativeFolder)
{
    return relativeFolder + QStringLiteral("/-");
}

} // namespace

FolderState folderState(
    const FileManager& fileManager, const QString& base, const QString& relativeFolder)
{
    if (relativeFolder.isEmpty())
        return FolderState::ready;
    const QStringList components = relativeFolder.split(u'/');
    qsizetype present = 0;
    QString path = base;
    while (present < components.size() && fileManager.exists(path + u'/' + components.at(present)))
        path += u'/' + components.at(present++);
    if (present > 0
        && fileManager.passesThroughLink(base, inside(components.first(present).join(u'/'))))
        return FolderState::unsafe;
    return present == components.size() ? FolderState::ready : FolderState::partial;
}

bool createFoldersWithin(
    FileManager& fileManager, const QString& base, const QString& relativeFolder)
{
    switch (folderState(fileManager, base, relativeFolder)) {
    case FolderState::ready:
        return true;
    case FolderState::unsafe:
        return false;
    case FolderState::partial:
        break;
    }
    fileManager.createFolders(join(base, relativeFolder));
    return !fileManager.passesThroughLink(base, inside(relativeFolder));
}

} // namespace SessionFolder
