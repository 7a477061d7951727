#include "UnreadableHoldBack.h"

#include "KnownToolNames.h"
#include "Naming.h"

#include <QSet>

namespace {

// Folders by folded name, as the analyzer compares them.
class FolderSet
{
public:
    void insert(QStringView folder) { m_keys.insert(Naming::fold(folder)); }
    bool contains(QStringView folder) const { return m_keys.contains(Naming::fold(folder)); }

private:
    QSet<QString> m_keys;
};

QString lowerExtension(QStringView name)
{
    const qsizetype dot = name.lastIndexOf(u'.');
    return dot < 0 ? QString() : name.sliced(dot + 1).toString().toLower();
}

class HoldBack
{
public:
    HoldBack(const UnreadableList& unreadable, const MatchOptions& options)
        : m_options(options)
        // Past the kept items nothing says where the others were.
        , m_everywhere(!unreadable.isComplete())
    {
        for (const UnreadableItem& item : unreadable.items) {
            const QString folder = item.incompleteFolder();
            m_incomplete.insert(folder);
            if (!m_options.knownToolNames)
                continue;
            if (const std::optional<QStringView> photos
                = KnownToolNames::photoFolderOfSettings(folder))
                m_toolFolderIncomplete.insert(*photos);
            if (const std::optional<QStringView> photos = KnownToolNames::exportedFrom(folder))
                m_toolFolderIncomplete.insert(*photos);
        }
    }

    qsizetype apply(ScanResult& result) const
    {
        const auto photoDepends = [this](const Candidate& candidate) {
            return dependsOnUnreadPhotoFolder(candidate.file);
        };
        const auto sidecarDepends = [this](const Candidate& candidate) {
            return m_everywhere || m_incomplete.contains(photoFolderOfSidecar(candidate.file));
        };
        return result.orphanRaws.removeIf(photoDepends) + result.orphanJPEGs.removeIf(photoDepends)
            + result.orphanSidecars.removeIf(sidecarDepends);
    }

private:
    // Its twin lies in its own folder, in an editor's export folder within it, or anywhere when
    // matching across folders; the sidecars that move with it lie in its folder or in a tool's
    // settings folder within it.
    bool dependsOnUnreadPhotoFolder(const FileEntry& photo) const
    {
        if (m_everywhere || m_options.matchAcrossFolders)
            return true;
        const QString folder = photo.folder();
        return m_incomplete.contains(folder) || m_toolFolderIncomplete.contains(folder);
    }

    // Where the analyzer looks for a sidecar's photo, whatever matchAcrossFolders says.
    QString photoFolderOfSidecar(const FileEntry& sidecar) const
    {
        const QString folder = sidecar.folder();
        if (!m_options.knownToolNames || folder.isEmpty())
            return folder;
        const std::optional<QStringView> photos
            = KnownToolNames::photoFolder(folder, lowerExtension(sidecar.name()));
        return photos ? photos->toString() : folder;
    }

    const MatchOptions& m_options;
    const bool m_everywhere;
    // Folders whose listing misses something.
    FolderSet m_incomplete;
    // Folders with a tool's settings or export folder whose listing misses something.
    FolderSet m_toolFolderIncomplete;
};

} // namespace

namespace UnreadableHoldBack {

void apply(ScanResult& result, const UnreadableList& unreadable, const MatchOptions& options)
{
    result.unreadable = unreadable;
    if (!unreadable.isEmpty())
        result.heldByUnreadable = HoldBack(unreadable, options).apply(result);
}

} // namespace UnreadableHoldBack
