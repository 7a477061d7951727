#pragma once

#include <QString>

// Why a folder may not be scanned: it belongs to a photo catalogue, and moving files out from
// under a catalogue would damage it. Thrown by Scanner::scan, returned by checkLocation.
struct ScanRefusal
{
    enum class Reason
    {
        // The text is the path component that is a Photos library.
        insidePhotosLibrary,
        // The texts below are relative paths of what the scan found, or, from checkLocation,
        // the path component that carries the marker.
        containsPhotosLibrary,
        containsLightroomCatalog,
        containsCaptureOne,
    };

    Reason reason = Reason::insidePhotosLibrary;
    QString text;

    // The refusal screen's explanation, with {app} filled in; translated where a translator
    // for the "ScanRefusal" context is installed.
    QString message(const QString& app) const;

    bool operator==(const ScanRefusal&) const = default;
};
