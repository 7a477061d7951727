#pragma once

#include "ScanProgress.h"

#include <QTextStream>

// A single status line redrawn in place on a terminal; silent when the stream is not one.
class ProgressLine
{
public:
    ProgressLine(QTextStream& stream, bool isTerminal);
    ~ProgressLine();

    void show(const ScanProgress& progress);
    // Erases the line so that what follows starts on a clean line.
    void clear();

private:
    QTextStream& m_stream;
    bool m_enabled;
    bool m_shown = false;
};
