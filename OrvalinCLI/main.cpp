#include "Cli.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTranslator>
#include <cstdio>
#include <unistd.h>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

// A scan of a large tree makes hundreds of thousands of small allocations on several threads in
// a process that lives for seconds: growing the heap in large steps, and keeping what was freed
// for what comes next, spares thousands of system calls and page faults. Pages are still only
// taken as they are used.
void growTheHeapInLargeSteps()
{
#if defined(__GLIBC__)
    mallopt(M_TOP_PAD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    growTheHeapInLargeSteps();
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Orvalin"));
    // English alone, with the plural forms of the sentences shared with the window.
    QTranslator plurals;
    if (plurals.load(QStringLiteral(":/i18n/orvalin_en.qm")))
        QCoreApplication::installTranslator(&plurals);

    QTextStream out(stdout);
    QTextStream err(stderr);
    Console console { out, err, isatty(STDERR_FILENO) == 1 };
    const int code = Cli::run(QCoreApplication::arguments().mid(1), console);
    out.flush();
    err.flush();
    return code;
}
