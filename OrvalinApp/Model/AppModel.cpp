#include "AppModel.h"

#include "AppIdentity.h"
#include "FolderDialog.h"
#include "Messages.h"
#include "Scanner.h"

#include <QDir>
#include <QFileInfo>

AppModel::AppModel(bool persist, QObject* parent)
    : QObject(parent)
    , m_app(AppIdentity::name())
    , m_reviewFolderName(AppIdentity::reviewFolderName(m_app))
    , m_folderPicker(&FolderDialog::run)
    , m_settings(persist)
{
}

void AppModel::setFileManagerFactory(FileManagerFactory factory)
{
    m_moves.setFileManagerFactory(std::move(factory));
}

void AppModel::setFolderPicker(FolderPicker picker)
{
    m_folderPicker = std::move(picker);
}

void AppModel::setClock(Clock clock)
{
    m_moves.setClock(std::move(clock));
}

// Folders

void AppModel::chooseFolder(QWidget* parent)
{
    const QString message = tr("Choose a folder of shoots. %1 only reads it until you choose to "
                               "move files, and never deletes anything.")
                                .arg(m_app);
    if (const std::optional<QString> folder = m_folderPicker(parent, message))
        open(*folder, true);
}

void AppModel::openRecent(const Recents::Item& item)
{
    const std::optional<QString> folder = m_settings.resolveRecent(item);
    if (!folder) {
        setErrorText(tr("“%1” can’t be found any more. It may have been moved, renamed or be on a "
                        "disk that isn’t connected.")
                         .arg(item.name));
        return;
    }
    open(*folder, true);
}

void AppModel::open(const QString& folder, bool remember)
{
    if (folder.isEmpty())
        return;
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    m_scan.abandon();

    // Without sandbox scopes, access to a folder is always granted.
    setAccessing(path);
    setRoot(path);
    forgetFolder();

    if (remember)
        m_settings.rememberFolder(path);

    if (const std::optional<ScanRefusal> refusal = Scanner::checkLocation(path)) {
        m_scan.setPhase(Phase::refused(*refusal));
        return;
    }
    refreshSessions();
    rescan();
}

void AppModel::forgetFolder()
{
    m_scan.clear();
    m_groups.clear();
    m_moves.setNotice(std::nullopt);
    // A plan, a preview or the sessions of the previous folder have no meaning in this one; a
    // plan confirmed later would move files of the wrong folder.
    m_moves.setPlan(std::nullopt);
    setPreviewUrl(std::nullopt);
    m_moves.clearSessions();
    setSidebar(SidebarItem::overview());
}

// Scanning and matching

void AppModel::rescan()
{
    m_scan.rescan();
}

void AppModel::cancelScan()
{
    m_scan.cancel();
}

void AppModel::setOptions(const MatchOptions& options)
{
    if (options == m_settings.options())
        return;
    m_settings.setOptions(options);
    Q_EMIT optionsChanged();
    reanalyze();
}

void AppModel::reanalyze()
{
    if (m_scan.canReanalyze())
        reanalyzeThen([this] { endBusy(); });
}

void AppModel::reanalyzeThen(std::function<void()> done)
{
    if (!m_scan.canReanalyze()) {
        done();
        return;
    }
    setBusy(tr("Matching…"));
    m_scan.reanalyze(std::move(done));
}

void AppModel::endBusy()
{
    if (!m_scan.isAnalysing())
        setBusy(std::nullopt);
}

// Ticks

void AppModel::toggle(const Candidate& candidate)
{
    m_groups.toggle(candidate);
}

void AppModel::setTicked(const QList<Candidate>& candidates, bool ticked)
{
    m_groups.setTicked(candidates, ticked);
}

void AppModel::setTicked(OrphanGroup group, bool ticked)
{
    m_groups.setTicked(group, ticked);
}

void AppModel::untickEverything()
{
    m_groups.setSelection({});
}

void AppModel::tickGroupAndShow(OrphanGroup group)
{
    setTicked(group, true);
    setSidebar(SidebarItem::forGroup(group));
}

// Moves and restores

void AppModel::reviewMove()
{
    m_moves.reviewMove();
}

void AppModel::dismissPlan()
{
    m_moves.setPlan(std::nullopt);
}

void AppModel::move(const MovePlan& confirmed)
{
    if (!m_root || confirmed.isEmpty())
        return;
    // The sheet confirms the model's own plan, which is cleared next.
    const MovePlan plan = confirmed;
    m_moves.setPlan(std::nullopt);
    setBusy(tr("Moving files to the review folder…"));
    m_moves.move(
        plan, [this, root = *m_root](const MoveActions::Moved& moved) { finishMove(root, moved); });
}

void AppModel::finishMove(const QString& root, const MoveActions::Moved& moved)
{
    if (!moved.outcome) {
        // The engine's message says whether anything moved.
        setErrorText(moved.error);
        // Files moved before a final log write failed are in a session that may be listed.
        refreshSessions();
        setBusy(std::nullopt);
        return;
    }
    // Another folder is open now; the moved files belonged to the one that was.
    if (m_root != root) {
        setBusy(std::nullopt);
        return;
    }
    const MoveActions::AfterMove after = MoveActions::remaining(moved, files(), selection());
    m_scan.setFiles(after.filesAfter);
    m_groups.setSelection(after.selectionAfter);
    refreshSessions();
    // A walk that started before the move may still list the moved files at their old places.
    if (m_scan.isScanning())
        rescan();
    const Notice notice { Messages::moveNotice(m_app, *moved.outcome), moved.outcome->session };
    reanalyzeThen([this, notice] {
        m_moves.setNotice(notice);
        endBusy();
    });
}

void AppModel::restore(const QList<ReviewSession>& sessions)
{
    if (sessions.isEmpty())
        return;
    setBusy(tr("Putting files back…"));
    m_moves.restore(sessions, [this, root = m_root](const MoveActions::Restored& result) {
        finishRestore(root, result.total);
        if (!result.declined.isEmpty() && root == m_root)
            setErrorText(result.declined);
    });
}

void AppModel::finishRestore(const std::optional<QString>& root, const RestoreOutcome& total)
{
    // Another folder is open now; what came back belongs to the one that was.
    if (root != m_root) {
        setBusy(std::nullopt);
        return;
    }
    refreshSessions();
    m_moves.setNotice(Notice { Messages::restoreNotice(total), std::nullopt });
    rescan();
    setBusy(std::nullopt);
}

void AppModel::restoreNoticeSession()
{
    if (const std::optional<ReviewSession> session = m_moves.noticeSession())
        restore({ *session });
}

void AppModel::refreshSessions()
{
    m_moves.refreshSessions();
}

// Plain view state

void AppModel::dismissNotice()
{
    m_moves.setNotice(std::nullopt);
}

void AppModel::setError(const QString& message)
{
    setErrorText(message);
}

void AppModel::clearError()
{
    setErrorText(std::nullopt);
}

template <typename T> void AppModel::change(T& field, const T& value, void (AppModel::*changed)())
{
    if (value == field)
        return;
    field = value;
    Q_EMIT(this->*changed)();
}

void AppModel::setSidebar(const std::optional<SidebarItem>& item)
{
    change(m_sidebar, item, &AppModel::sidebarChanged);
}

void AppModel::setPreviewUrl(const std::optional<QString>& url)
{
    change(m_previewUrl, url, &AppModel::previewUrlChanged);
}

void AppModel::setRoot(const std::optional<QString>& root)
{
    change(m_root, root, &AppModel::rootChanged);
}

void AppModel::setAccessing(const std::optional<QString>& folder)
{
    change(m_accessing, folder, &AppModel::accessingChanged);
}

void AppModel::setBusy(const std::optional<QString>& label)
{
    change(m_busy, label, &AppModel::busyChanged);
}

void AppModel::setErrorText(const std::optional<QString>& message)
{
    change(m_error, message, &AppModel::errorChanged);
}
