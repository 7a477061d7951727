#include "SessionLogs.h"

#include "LogText.h"
#include "Mover.h"
#include "Naming.h"
#include "OperationError.h"
#include "SideTask.h"

#include <numeric>

SessionLogs::SessionLogs(const FolderHandle& session, LogWording wording, LogSchedule::Clock clock)
    : m_session(session.duplicate())
    , m_wording(std::move(wording))
    , m_schedule(std::move(clock))
{
}

void SessionLogs::write(const RestoreLog& log, FileManager& fileManager)
{
    m_schedule.write([&] { writeNow(log, fileManager); });
}

void SessionLogs::writeIfDue(const RestoreLog& log, FileManager& fileManager)
{
    if (!m_schedule.due())
        return;
    try {
        write(log, fileManager);
    } catch (const OperationError&) {
        // The last write that succeeded stays; the next one or the final one catches up.
    }
}

void SessionLogs::writeNow(const RestoreLog& log, FileManager& fileManager)
{
    const QList<qsizetype> changed = changedSinceEncoded(log);
    // The two logs are each a pass over every entry, so they are encoded side by side.
    std::future<QByteArray> text = SideTask::start([&] {
        for (qsizetype i : changed)
            m_lines[i] = LogText::textLine(log.entries.at(i));
        return LogText::text(log, m_session.path(), m_wording, m_lines).toUtf8();
    });
    for (qsizetype i : changed)
        m_json[i] = LogText::jsonEntry(log.entries.at(i));
    // Both logs write dates, and dates read the time zone through the C library, whose own locks
    // a thread checker cannot see: the JSON's are written once the text is done.
    const QByteArray textBytes = text.get();
    const QByteArray json = LogText::json(log, m_json);
    // Noted only now, so that a write cut short encodes the same entries again.
    m_entries = log.entries;
    // The restore log last: once it tells a state, the text beside it tells the same, and a
    // session it calls finished is never written again, so nothing of an earlier write may
    // be left to catch up.
    fileManager.writeAtomically(m_session, Mover::textLogName(), textBytes);
    fileManager.writeAtomically(m_session, Mover::logName(), json);
}

bool SessionLogs::isOwnFile(const QString& name)
{
    // Folded, as case-insensitive file systems compare names.
    const QString folded = Naming::fold(name);
    for (const QString& log : { Mover::logName(), Mover::textLogName() }) {
        const QString own = Naming::fold(log);
        // The writer's temporary files are ".{name}.{random}.tmp".
        if (folded == own || (folded.startsWith(u'.' + own + u'.') && folded.endsWith(u".tmp")))
            return true;
    }
    return false;
}

QList<qsizetype> SessionLogs::changedSinceEncoded(const RestoreLog& log)
{
    QList<qsizetype> changed;
    if (m_entries.size() != log.entries.size()) {
        m_json.resize(log.entries.size());
        m_lines.resize(log.entries.size());
        changed.resize(log.entries.size());
        std::iota(changed.begin(), changed.end(), 0);
        return changed;
    }
    for (qsizetype i = 0; i < log.entries.size(); ++i) {
        if (!(m_entries.at(i) == log.entries.at(i)))
            changed.append(i);
    }
    return changed;
}
