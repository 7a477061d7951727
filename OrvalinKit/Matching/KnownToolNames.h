#pragma once

#include <QString>
#include <QStringView>
#include <QVarLengthArray>
#include <optional>
#include <span>
#include <string_view>

// The names that phones, file managers, browsers, sync clients and editing tools give the files
// they write, so that a photo finds its copies, derivatives, exports and settings files under
// them. Every convention
// is one row of one table, with where it comes from. Texts given to these functions are folded
// (Naming::fold) unless said otherwise.
namespace KnownToolNames {

enum class Rule
{
    // A suffix that marks a copy or a derivative of the photo named before it, in words no
    // camera writes: stripped from both sides, stacked in any order, like edit suffixes.
    copySuffix,
    // A bare number or a computer's name that tells copies of one name apart (IMG_0801 2.JPG):
    // only stripped to reach a photo that has exactly the name left, since cameras and renaming
    // tools end names in numbers and words too (2026-10-04-002.JPG is no copy of 2026-10-04.NEF).
    counterSuffix,
    // The edit suffix " (1)", which renaming tools number whole shoots with: with known tools'
    // names, a counter rather than a copy suffix, and only while edit suffixes are ignored.
    editCounter,
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
    // An editor's default export folder: its pictures are finished exports of the photos one
    // folder up, which they pair with, and never leftovers.
    exportFolder,
};

struct Convention
{
    const char* tool;
    Rule rule;
    // In the language of NamePattern.
    std::u16string_view pattern;
    // For sidecar folders: the extensions kept there, separated by spaces.
    std::u16string_view extensions;
    const char* example;
    const char* source;
};

std::span<const Convention> conventions();

// One copy suffix stripped from the end of `key`, or nothing.
std::optional<QStringView> withoutCopySuffix(QStringView key);
// `key` with one counter stripped from its end, in every way it can be: the first counter
// pattern that fits, and each reading of a computer's name. With `editCounters`, " (1)" too.
using Shorter = QVarLengthArray<QStringView, 4>;
Shorter withoutCounter(QStringView key, bool editCounters);
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
// When `folder` (a relative folder, as written) is an editor's export folder, the folder of the
// photos it holds exports of; always a prefix of `folder`.
std::optional<QStringView> exportedFrom(QStringView folder);

} // namespace KnownToolNames
