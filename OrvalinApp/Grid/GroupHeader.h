#pragma once

#include "OrphanGroup.h"

#include <QWidget>

class AppModel;
class QLabel;
class QPushButton;

// The top of a group's grid: what the group is, how many files it holds and how many are
// ticked, with buttons to tick or untick all of them.
class GroupHeader : public QWidget
{
    Q_OBJECT

public:
    GroupHeader(AppModel& model, OrphanGroup group, QWidget* parent = nullptr);

    // "{n} files · {size} · ticked: {m}".
    QString summary() const;
    QPushButton* tickAllButton() const { return m_tickAll; }
    QPushButton* untickAllButton() const { return m_untickAll; }

    void refresh();

private:
    AppModel& m_model;
    const OrphanGroup m_group;
    QLabel* m_summary;
    QPushButton* m_tickAll;
    QPushButton* m_untickAll;
};
