#include "SessionFolder.h"

#include "OperationError.h"

namespace SessionFolder {

QString join(const QString& base, const QString& relative)
{
    return relative.isEmpty() ? base : base + u'/' + relative;
}

bool createFoldersWithin(
    FileManager& fileManager, const QString& base, const QString& relativeFolder)
{
    if (relativeFolder.isEmpty())
        return true;
    // passesThroughLink looks at every folder before the last component; this one stands in
    // for a name inside the folder itself.
    static const QString inside = QStringLiteral("-");
    const QStringList components = relativeFolder.split(u'/');
    qsizetype present = 0;
    QString path = base;
    while (present < components.size() && fileManager.exists(path + u'/' + components.at(present)))
        path += u'/' + components.at(present++);
    if (present > 0
        && fileManager.passesThroughLink(
            base, components.first(present).join(u'/') + u'/' + inside))
        return false;
    if (present < components.size())
        fileManager.createFolders(join(base, relativeFolder));
    return !fileManager.passesThroughLink(base, relativeFolder + u'/' + inside);
}

} // namespace SessionFolder
