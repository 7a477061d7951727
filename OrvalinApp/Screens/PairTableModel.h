#pragma once

#include "Pair.h"

#include <QAbstractTableModel>
#include <vector>

// The rows of the pairs table, read straight from the scan's pairs in path order of their RAW
// files: a table of a hundred thousand pairs holds an index per pair, not three items.
class PairTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        rawColumn,
        twinColumn,
        matchedByColumn
    };
    static constexpr int columns = matchedByColumn + 1;

    using QAbstractTableModel::QAbstractTableModel;

    void setPairs(const QList<Pair>& pairs);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(
        int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    // The texts of the "Matched by" column, for its width.
    static QStringList matchedByTexts();

private:
    QString text(const Pair& pair, int column) const;

    QList<Pair> m_pairs;
    // Positions in m_pairs, in the order shown.
    std::vector<qsizetype> m_order;
};
