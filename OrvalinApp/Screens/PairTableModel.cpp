#include "PairTableModel.h"

#include "PathOrder.h"

namespace {

// One row of the table: the RAW file, its twins' names, and how they were matched.
struct PairRow
{
    QString raw;
    QString twins;
    bool byTime = false;

    static PairRow of(const Pair& pair)
    {
        QStringList names;
        for (const FileEntry& twin : pair.twins)
            names << twin.name();
        return { pair.raw.relativePath, names.join(QStringLiteral(", ")), pair.byCaptureTime };
    }
};

QString matchedBy(bool byTime)
{
    return byTime ? PairTableModel::tr("Capture time") : PairTableModel::tr("Name");
}

} // namespace

void PairTableModel::setPairs(const QList<Pair>& pairs)
{
    beginResetModel();
    m_pairs = pairs;
    m_order = PathOrder::order(
        m_pairs.size(), [this](qsizetype i) { return m_pairs[i].raw.relativePath; });
    endResetModel();
}

int PairTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_order.size());
}

int PairTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : columns;
}

QVariant PairTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= m_order.size())
        return {};
    // Paths and names may be cut short in their column; the tooltip reads them in full.
    if (role == Qt::DisplayRole || (role == Qt::ToolTipRole && index.column() != matchedByColumn))
        return text(m_pairs[m_order[size_t(index.row())]], index.column());
    return {};
}

QVariant PairTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case rawColumn:
        return tr("RAW");
    case twinColumn:
        return tr("Twin");
    case matchedByColumn:
        return tr("Matched by");
    }
    return {};
}

QStringList PairTableModel::matchedByTexts()
{
    return { tr("Matched by"), matchedBy(true), matchedBy(false) };
}

QString PairTableModel::text(const Pair& pair, int column) const
{
    const PairRow row = PairRow::of(pair);
    switch (column) {
    case rawColumn:
        return row.raw;
    case twinColumn:
        return row.twins;
    case matchedByColumn:
        return matchedBy(row.byTime);
    }
    return {};
}
