#pragma once

#include <QString>

// A command line that cannot be carried out as written; answered with the usage text, exit 2.
struct UsageError
{
    QString message;
};
