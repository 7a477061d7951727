// Kills a hundred `orvalin-cli move` runs at random moments, and every other restore that follows
// them, then restores each shoot and prints how many files were checked, how many were not back
// as they were, and how often the listing or the restore's report told something else.
#include "CrashDrill.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int kills = arguments.size() > 1 ? arguments.at(1).toInt() : 100;
    const CrashDrillReport report
        = CrashDrill::run(QStringLiteral(ORVALIN_CLI_PATH), kills, 3000, 7);
    QTextStream out(stdout);
    out << "kills: " << report.kills << " moves, " << report.restoreKills << " restores"
        << "\nfiles checked: " << report.filesChecked << "\nlost: " << report.lost
        << "\nextra: " << report.extra << "\noutside touched: " << report.outsideTouched
        << "\nmisreported: " << report.misreported << '\n';
    for (const QString& problem : report.problems.mid(0, 20))
        out << "  " << problem << '\n';
    return report.clean() ? 0 : 1;
}
