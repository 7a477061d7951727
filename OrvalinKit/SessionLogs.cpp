#include "SessionLogs.h"

#include "LogText.h"
#include "Mover.h"
#include "Naming.h"
#include "OperationError.h"

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
    update(log);
    // The restore log last: once it tells a state, the text beside it tells the same, and a
    // session it calls finished is never written again, so nothing of an earlier write may
    // be left to catch up.
    fileManager.writeAtomically(m_session, Mover::textLogName(),
        LogText::text(log, m_session.path(), m_wording, m_lines).toUtf8());
    fileManager.writeAtomically(m_session, Mover::logName(), LogText::json(log, m_json));
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

void SessionLogs::update(const RestoreLog& log)
{
    if (m_entries.size() != log.entries.size()) {
        m_entries.clear();
        m_json.clear();
        m_lines.clear();
    }
    for (qsizetype i = 0; i < log.entries.size(); ++i) {
        const RestoreLog::Entry& entry = log.entries.at(i);
        if (i < m_entries.size()) {
            if (m_entries.at(i) == entry)
                continue;
            m_entries[i] = entry;
            m_json[i] = LogText::jsonEntry(entry);
            m_lines[i] = LogText::textLine(entry);
        } else {
            m_entries.append(entry);
            m_json.append(LogText::jsonEntry(entry));
            m_lines.append(LogText::textLine(entry));
        }
    }
}
