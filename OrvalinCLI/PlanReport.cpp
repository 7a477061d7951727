#include "PlanReport.h"

#include "Formatting.h"
#include "Messages.h"

#include <QJsonArray>
#include <algorithm>
#include <array>

namespace {

using Row = std::array<QString, 4>;

QString table(const QList<Row>& rows, qsizetype totalRow)
{
    std::array<qsizetype, 4> widths {};
    for (const Row& row : rows) {
        for (size_t column = 0; column < row.size(); ++column)
            widths[column] = std::max(widths[column], row[column].size());
    }
    QString text;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i == 1 || i == totalRow)
            text += QString(widths[0] + widths[1] + widths[2] + widths[3] + 6, u'-') + u'\n';
        const Row& row = rows.at(i);
        // Names to the left, numbers to the right.
        QString line = row[0].leftJustified(widths[0]) + QStringLiteral("  ")
            + row[1].rightJustified(widths[1]) + QStringLiteral("  ")
            + row[2].rightJustified(widths[2]) + QStringLiteral("  ")
            + row[3].rightJustified(widths[3]);
        text += line.trimmed().isEmpty() ? QString() : line + u'\n';
    }
    return text;
}

} // namespace

namespace PlanReport {

QJsonObject json(const MovePlan& plan)
{
    QJsonArray lines;
    for (const MovePlan::Line& line : plan.lines()) {
        lines.append(QJsonObject { { QStringLiteral("group"), OrphanGroups::rawValue(line.group) },
            { QStringLiteral("picked"), double(line.picked) },
            { QStringLiteral("sidecars"), double(line.sidecars) },
            { QStringLiteral("size"), double(line.size) } });
    }
    return { { QStringLiteral("fileCount"), double(plan.fileCount()) },
        { QStringLiteral("totalSize"), double(plan.totalSize()) },
        { QStringLiteral("lines"), lines },
        { QStringLiteral("folders"), QJsonArray::fromStringList(plan.folders()) } };
}

QString text(const MovePlan& plan, const QString& app)
{
    QList<Row> rows { { QStringLiteral("Group"), QStringLiteral("Files"),
        QStringLiteral("Sidecars with them"), QStringLiteral("Size") } };
    for (const MovePlan::Line& line : plan.lines()) {
        rows.append({ Messages::groupTitle(line.group), QString::number(line.picked),
            QString::number(line.sidecars), Formatting::byteCount(line.size) });
    }
    const qsizetype totalRow = rows.size();
    rows.append({ QStringLiteral("Total"), QString::number(plan.fileCount()), QString(),
        Formatting::byteCount(plan.totalSize()) });
    return table(rows, totalRow) + Messages::planFolderCount(plan.folders().size()) + u'\n'
        + Messages::planDestination(app) + u'\n';
}

} // namespace PlanReport
