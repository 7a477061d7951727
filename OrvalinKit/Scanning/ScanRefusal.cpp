#include "ScanRefusal.h"

#include <QCoreApplication>

QString ScanRefusal::message(const QString& app) const
{
    switch (reason) {
    case Reason::insidePhotosLibrary:
        return QCoreApplication::translate("ScanRefusal",
            "This folder is inside “%1”, a Photos library. Photos keeps track of every file in its "
            "library, so moving files there by hand would damage it. Remove unwanted RAW or JPEG "
            "halves in Photos itself.")
            .arg(text);
    case Reason::containsPhotosLibrary:
        return QCoreApplication::translate("ScanRefusal",
            "This folder holds a Photos library (“%1”). %2 won’t work on folders with a Photos "
            "library inside, so it can never touch one. Choose the folder that holds your shoots "
            "instead.")
            .arg(text, app);
    case Reason::containsLightroomCatalog:
        return QCoreApplication::translate("ScanRefusal",
            "This folder holds a Lightroom catalog (“%1”). Moving photos a catalog knows about "
            "makes them show as missing in Lightroom. Choose a folder of shoots without a catalog, "
            "or remove the photos from inside Lightroom.")
            .arg(text);
    case Reason::containsCaptureOne:
        return QCoreApplication::translate("ScanRefusal",
            "This folder holds a Capture One catalog or session (“%1”). Moving its photos would "
            "make them show as missing in Capture One. Choose a folder of shoots without one, or "
            "remove the photos from inside Capture One.")
            .arg(text);
    }
    return {};
}
