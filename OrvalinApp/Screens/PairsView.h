#pragma once

#include <QWidget>

class AppModel;
class QTableWidget;

// The complete pairs, which stay where they are.
class PairsView : public QWidget
{
    Q_OBJECT

public:
    explicit PairsView(AppModel& model, QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }

private:
    void refresh();

    AppModel& m_model;
    QTableWidget* m_table;
};
