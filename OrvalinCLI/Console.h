#pragma once

#include <QTextStream>

// Where a command writes: its report on standard output, messages and progress on standard
// error. Tests hand in string streams.
struct Console
{
    QTextStream& out;
    QTextStream& err;
    // Whether standard error is a terminal that a live progress line may be drawn on.
    bool errIsTerminal = false;
};
