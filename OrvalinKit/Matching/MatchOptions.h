#pragma once

#include <QByteArray>

// The switches that decide how files pair and which leftovers are listed.
struct MatchOptions
{
    // IMG_0001-Edit.jpg, IMG_0001 copy.jpg and IMG_0001 (1).jpg pair as IMG_0001.
    bool ignoreEditSuffixes = true;
    // _MG_0001 pairs as IMG_0001.
    bool canonPrefixes = true;
    // Files pair by name whatever subfolder they are in.
    bool matchAcrossFolders = false;
    // Files left unpaired by name pair by capture time and camera model.
    bool matchCaptureTime = false;
    // Leftovers are listed only in folders holding both RAW files and JPEG or HEIC files.
    bool onlyMixedFolders = true;
    // HEIC files without a RAW are offered as leftovers too.
    bool trimHEIC = false;
    // The names phones, file managers, sync clients and editing tools write pair and attach too
    // (PXL_…RAW-01.COVER.jpg, IMG_E0102.JPG, IMG_0801 - Copy.JPG, conflict copies such as
    // IMG_0201.sync-conflict-….JPG, darktable's IMG_0201_01.CR3.xmp, Capture One's
    // CaptureOne/Settings153/IMG_0201.CR3.cos), editors' exports in their default folders are
    // never leftovers, and " (1)" joins only a photo of exactly the name left.
    bool knownToolNames = true;

    // Compact JSON with the keys in field order.
    QByteArray toJson() const;
    // Every key is required but "knownToolNames", which records written before it existed lack
    // (it is then on); extra keys are ignored. Throws CodingError.
    static MatchOptions fromJson(const QByteArray& json);

    bool operator==(const MatchOptions&) const = default;
};
