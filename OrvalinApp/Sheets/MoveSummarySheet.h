#pragma once

#include "MovePlan.h"

#include <QDialog>

class AppModel;
class QPushButton;

// What a move will do, shown before anything moves: files and sidecars by group, sizes, the
// number of folders and where the files go. Cancel leaves everything as it is.
class MoveSummarySheet : public QDialog
{
    Q_OBJECT

public:
    // With `showcase` the sheet only shows the plan: its move button does nothing.
    MoveSummarySheet(
        AppModel& model, const MovePlan& plan, bool showcase, QWidget* parent = nullptr);

    const MovePlan& plan() const { return m_plan; }
    QPushButton* moveButton() const { return m_move; }
    QPushButton* cancelButton() const { return m_cancel; }
    // Every text in reading order, for tests.
    QStringList texts() const;
    // The table and the folder count in sentences, as screen readers say them.
    QString spokenSummary() const;

Q_SIGNALS:
    // The user confirmed the move; the sheet has closed.
    void moveConfirmed(const MovePlan& plan);

private:
    void confirm();

    AppModel& m_model;
    MovePlan m_plan;
    bool m_showcase;
    QPushButton* m_move;
    QPushButton* m_cancel;
};
