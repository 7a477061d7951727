#include "Messages.h"

#include "Formatting.h"

#include <QCoreApplication>
#include <algorithm>

QString Messages::groupTitle(OrphanGroup group)
{
    switch (group) {
    case OrphanGroup::raw:
        return tr("RAW without JPEG");
    case OrphanGroup::jpeg:
        return tr("JPEG without RAW");
    case OrphanGroup::sidecar:
        return tr("Orphaned sidecars");
    }
    return {};
}

QString Messages::groupExplanation(OrphanGroup group)
{
    switch (group) {
    case OrphanGroup::raw:
        return tr("RAW files whose JPEG or HEIC twin is gone: usually the shots you culled as "
                  "JPEGs. Their sidecars move with them.");
    case OrphanGroup::jpeg:
        return tr("JPEGs whose RAW file is gone: usually the shots you culled as RAWs.");
    case OrphanGroup::sidecar:
        return tr("Edit-settings files (XMP, PP3, DOP, ON1, ACR, COS, AAE, THM) whose photo is "
                  "gone.");
    }
    return {};
}

QString Messages::reviewFolderName(const QString& app)
{
    // A name on disk, not a sentence: translating it would hide the sessions made under another
    // language.
    return app + QStringLiteral(" Review");
}

LogWording Messages::logWording(const QString& app)
{
    return {
        [](const QString& appName, qsizetype count, const QString& date) {
            return tr("%1 moved %Ln files on %2.", nullptr, int(count)).arg(appName, date);
        },
        tr("From:"),
        tr("To:"),
        tr("To put everything back, open the folder in %1 and choose Restore. Each line below "
           "shows where a file was and where it is now, so you can also move files back by hand.")
            .arg(app),
        tr("Moved"),
        tr("Not moved"),
        tr("Put back"),
    };
}

QString Messages::movedFiles(const QString& app, const MoveOutcome& outcome)
{
    return tr("Moved %Ln files (%1) to “%2”. Restore puts them back.", nullptr,
        int(outcome.log.movedCount()))
        .arg(Formatting::byteCount(outcome.log.movedSize()), reviewFolderName(app));
}

QString Messages::moveNotice(const QString& app, const MoveOutcome& outcome)
{
    QString text = movedFiles(app, outcome);
    if (const qsizetype failed = outcome.failed().size())
        text += u' ' + tr("%Ln couldn’t be moved; see the log.", nullptr, int(failed));
    return text;
}

QString Messages::planFolderCount(qsizetype folders)
{
    return tr("The files come from %Ln folders.", nullptr, int(folders));
}

QString Messages::planDestination(const QString& app)
{
    return tr("Files move to “%1” in this folder, keeping their folders, with a restore log. Look "
              "them over, then delete the review folder yourself when you’re sure.")
        .arg(reviewFolderName(app));
}

QString Messages::restoreNotice(const RestoreOutcome& outcome)
{
    QString text = tr("Put back %Ln files.", nullptr, int(outcome.restored));
    if (!outcome.conflicts.isEmpty())
        text += u' '
            + tr("%Ln stayed in the review folder because a file with the same name is back in the "
                 "original place.",
                nullptr, int(outcome.conflicts.size()));
    if (!outcome.missing.isEmpty())
        text += u' '
            + tr("%Ln weren’t where the log says (moved or deleted by hand).", nullptr,
                int(outcome.missing.size()));
    // One sentence per reason, in the order the reasons first came up.
    QList<RestoreFailure::Reason> reasons;
    for (const RestoreFailure& failure : outcome.failed) {
        if (!reasons.contains(failure.reason))
            reasons.append(failure.reason);
    }
    for (const RestoreFailure::Reason reason : reasons) {
        const auto count = std::count_if(outcome.failed.begin(), outcome.failed.end(),
            [&](const RestoreFailure& failure) { return failure.reason == reason; });
        text += u' '
            + (reason == RestoreFailure::Reason::other
                    ? tr("%Ln couldn’t be put back; see the log.", nullptr, int(count))
                    : tr("%Ln couldn’t be put back: %1.", nullptr, int(count))
                          .arg(restoreFailureReason(reason)));
    }
    return text;
}

QString Messages::restoreFailureReason(RestoreFailure::Reason reason)
{
    switch (reason) {
    case RestoreFailure::Reason::permissionDenied:
        return tr("permission denied");
    case RestoreFailure::Reason::onAnotherDrive:
        return tr("on another drive");
    case RestoreFailure::Reason::cannotBeChanged:
        return tr("can’t be changed");
    case RestoreFailure::Reason::diskFull:
        return tr("the disk is full");
    case RestoreFailure::Reason::linkOnTheWay:
        return tr("a folder on the way is a symbolic link");
    case RestoreFailure::Reason::fileOnTheWay:
        return tr("a file is where a folder belongs");
    case RestoreFailure::Reason::unsafePathInLog:
        return tr("the log names an unsafe place");
    case RestoreFailure::Reason::other:
        break;
    }
    return tr("see the log");
}
