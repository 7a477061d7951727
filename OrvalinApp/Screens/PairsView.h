#pragma once

#include <QWidget>

class AppModel;
class PairTableModel;
class QTableView;

// The complete pairs, which stay where they are, in path order.
class PairsView : public QWidget
{
    Q_OBJECT

public:
    explicit PairsView(AppModel& model, QWidget* parent = nullptr);

    QTableView* table() const { return m_table; }
    PairTableModel* rows() const { return m_rows; }

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void refresh();
    void fitLastColumn();

    AppModel& m_model;
    PairTableModel* m_rows;
    QTableView* m_table;
    // The rows are read again only when the screen shows: a large folder's pairs are sorted
    // only for a user who looks at them.
    bool m_stale = true;
};
