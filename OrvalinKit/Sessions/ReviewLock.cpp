#include "ReviewLock.h"

#include "FolderBusy.h"

#include <QCoreApplication>

namespace ReviewLock {

FolderLock take(const FolderHandle& review, FileManager& fileManager, const Waiting& waiting)
{
    if (std::optional<FolderLock> lock = fileManager.tryLock(review))
        return std::move(*lock);
    if (!waiting)
        throw FolderBusy(QCoreApplication::translate("ReviewLock",
            "Another move or restore of this folder is running. Try again when it has finished."));
    waiting(QCoreApplication::translate(
        "ReviewLock", "Another move or restore of this folder is running…"));
    return fileManager.lock(review);
}

} // namespace ReviewLock
