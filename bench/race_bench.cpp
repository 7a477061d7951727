// Moves and restores small shoots while another thread keeps swapping folders of the shoot and
// of the session for symbolic links to folders outside, then prints how many swaps happened and
// how many files were lost or touched outside the scanned folder (both must be 0).
#include "RaceDrill.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int rounds = arguments.size() > 1 ? arguments.at(1).toInt() : 100;
    const int files = arguments.size() > 2 ? arguments.at(2).toInt() : 200;
    const RaceDrillReport report = RaceDrill::run(rounds, files);
    QTextStream out(stdout);
    out << "rounds: " << report.rounds << "\ntries (folders swapped for a link): " << report.swaps
        << "\nfiles checked: " << report.filesChecked << "\nback home: " << report.back
        << "\nlost: " << report.lost << "\noutside touched: " << report.outsideTouched << '\n';
    for (const QString& problem : report.problems.mid(0, 20))
        out << "  " << problem << '\n';
    return report.clean() ? 0 : 1;
}
