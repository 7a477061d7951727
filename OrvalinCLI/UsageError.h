#pragma once

#include <QString>

// A command line that is not understood, whatever the disk holds; answered with the command's
// usage line, exit 2.
struct UsageError
{
    QString message;
};
