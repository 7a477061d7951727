// Kills a hundred `orvalin-cli move` runs at random moments and restores each one, then prints
// how many files were checked and how many were not back as they were.
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
    out << "kills: " << report.kills << "\nfiles checked: " << report.filesChecked
        << "\nlost: " << report.lost << "\nextra: " << report.extra
        << "\noutside touched: " << report.outsideTouched << '\n';
    for (const QString& problem : report.problems.mid(0, 20))
        out << "  " << problem << '\n';
    return report.clean() ? 0 : 1;
}
