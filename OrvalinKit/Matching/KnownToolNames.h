#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <span>
#include <string_view>

// The names that phones, file managers, browsers and editing tools give the files they write,
// so that a photo finds its copies, derivatives and settings files under them. Every convention
// is one row of one table, with where it comes from. Texts given to these functions are folded
// (Naming::fold) unless said otherwise.
namespace KnownToolNames {

enum class Rule
{
    // A suffix that marks a copy or a derivative of the photo named before it, in words no
    // camera writes: stripped from both sides, stacked in any order, like edit suffixes.
    copySuffix,
    // A bare number that tells copies of one name apart (IMG_0801 2.JPG): only stripped to reach
    // a photo that has exactly the name left, since cameras and renaming tools end names in
    // numbers too (2026-10-04-002.JPG is no copy of 2026-10-04.NEF).
    counterSuffix,
    // A phone name whose leading part alone names the shot: everything after it is dropped.
    shotPrefix,
    // A prefix that marks an edited copy: replaced by the plain prefix.
    editedPrefix,
    // A sidecar of a duplicate version: "_NN" between the photo's name and its extension.
    duplicateSidecar,
    // A settings file written beside an exported picture: ".out" before the sidecar extension.
    outputProfile,
    // A sidecar extension that only these tools write; ignored while the option is off.
    sidecarExtension,
    // A sidecar kept in a tool's subfolder, belonging to the photo of its name some folders up.
    sidecarFolder,
};

// In a pattern, '#' is a number written without leading zeros (1, 2, 11), '%' two or more
// digits (01, 12, 100), '?' exactly one digit; anything else stands for itself.
struct Convention
{
    const char* tool;
    Rule rule;
    std::u16string_view pattern;
    // For sidecar folders: the extensions kept there, separated by spaces.
    std::u16string_view extensions;
    const char* example;
    const char* source;
};

std::span<const Convention> conventions();

// One copy suffix stripped from the end of `key`, or nothing.
std::optional<QStringView> withoutCopySuffix(QStringView key);
// One counter stripped from the end of `key`, or nothing.
std::optional<QStringView> withoutCounter(QStringView key);
// The part of a phone's name that names the shot, or nothing.
std::optional<QStringView> shotName(QStringView key);
// An edited copy's name with the plain prefix (img_e0102 gives img_0102), or nothing.
std::optional<QString> uneditedName(QStringView key);
// For a duplicate version's target (img_0201_01.cr3), the original's name (img_0201.cr3).
std::optional<QString> originalOfDuplicate(QStringView target);
// `base` (a sidecar's name without its own extension) without the output-profile marker.
std::optional<QStringView> withoutOutputMarker(QStringView base);
// Whether `extension` (lower case, no dot) is a sidecar extension only these tools write.
bool isToolSidecarExtension(QStringView extension);
// For a sidecar with `extension` in `folder` (a relative folder, as written), the folder of its
// photo when `folder` is a tool's settings folder; always a prefix of `folder`.
std::optional<QStringView> photoFolder(QStringView folder, QStringView extension);
// For a folder that is, or begins, a tool's settings folder (NKSC_PARAM, CaptureOne,
// CaptureOne/Settings153), the folder of the photos whose sidecars it may hold; always a prefix
// of `folder`.
std::optional<QStringView> photoFolderOfSettings(QStringView folder);

} // namespace KnownToolNames
