#include "ProgressLine.h"

#include "TerminalText.h"

namespace {

constexpr qsizetype widestFolderName = 48;

QString elided(const QString& name)
{
    if (name.size() <= widestFolderName)
        return name;
    return name.left(widestFolderName - 1) + u'…';
}

} // namespace

ProgressLine::ProgressLine(QTextStream& stream, bool isTerminal)
    : m_stream(stream)
    , m_enabled(isTerminal)
{
}

ProgressLine::~ProgressLine()
{
    clear();
}

void ProgressLine::show(const ScanProgress& progress)
{
    if (!m_enabled)
        return;
    m_stream << "\r\x1b[K" << QStringLiteral("Scanning… %1 files").arg(progress.files);
    if (!progress.folder.isEmpty())
        m_stream << QStringLiteral("  %1").arg(elided(TerminalText::escaped(progress.folder)));
    m_stream.flush();
    m_shown = true;
}

void ProgressLine::clear()
{
    if (!m_shown)
        return;
    m_stream << "\r\x1b[K";
    m_stream.flush();
    m_shown = false;
}
