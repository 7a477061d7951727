#include "Cli.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Orvalin"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    Console console { out, err, isatty(STDERR_FILENO) == 1 };
    const int code = Cli::run(QCoreApplication::arguments().mid(1), console);
    out.flush();
    err.flush();
    return code;
}
