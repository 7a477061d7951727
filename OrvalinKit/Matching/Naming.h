#pragma once

#include "KnownToolNames.h"
#include "MatchOptions.h"
#include "NameFolding.h"

#include <QString>
#include <QStringView>
#include <optional>
#include <utility>

// Pure text functions that reduce a bare file name (never a path) to the keys under which a
// photo, its twins and its sidecars find each other.
namespace Naming {

// The one folding used for every comparison of file and folder names; the scanner needs it too,
// so it lives below the matching.
using NameFolding::appendFolded;
using NameFolding::fold;

// The folded name without its trailing photo or clip extensions: IMG_0001.CR3.JPG gives img_0001,
// DSC_0106.NEF.xmp stays dsc_0106.nef.xmp.
QString stem(QStringView name);

// What a sidecar's name points at.
struct SidecarTarget
{
    enum class Kind
    {
        // A full folded file name: DSC_0106.NEF.xmp was written for dsc_0106.nef.
        exact,
        // A stem: DSC_0099.xmp was written for whichever photo has the stem dsc_0099.
        stem,
    };

    Kind kind = Kind::stem;
    QString text;

    bool operator==(const SidecarTarget&) const = default;
};

// Reads knownToolNames only.
SidecarTarget sidecarTarget(QStringView name, const MatchOptions& options);

// The name under which a photo pairs with its twin; reads ignoreEditSuffixes, canonPrefixes and
// knownToolNames.
QString pairName(QStringView name, const MatchOptions& options);

// The same keys for a name that is already folded. Each is a prefix of the folded text, so a
// caller that folds every name once can build its indexes without allocating.
namespace Folded {

QStringView stem(QStringView folded);
// Strips stacked edit and copy suffixes, the last one first.
QStringView withoutEditSuffixes(QStringView folded);
// The same with the copy suffixes of known tools as well, as `options` say.
QStringView withoutSuffixes(QStringView key, const MatchOptions& options);
std::pair<SidecarTarget::Kind, QStringView> sidecarTarget(
    QStringView folded, const MatchOptions& options);
// A prefix of `folded`, or, when a Canon prefix had to be rewritten, a view of `storage`.
QStringView pairName(QStringView folded, const MatchOptions& options, QString& storage);
// The same from the stem, for a caller that keeps it.
QStringView pairNameOfStem(QStringView stem, const MatchOptions& options, QString& storage);
// A pair name with one counter of a known tool taken off its end (IMG_0801 2 gives img_0801),
// then its copy suffixes, in each way the counter can be read; none when it ends in none or
// knownToolNames is off. Such a name pairs only with a photo whose own pair name it is.
KnownToolNames::Shorter withoutCounter(QStringView key, const MatchOptions& options);

} // namespace Folded

} // namespace Naming
