#pragma once

#include "OrphanGroup.h"

#include <QPushButton>
#include <QWidget>

class AppModel;
class QScrollArea;
class QVBoxLayout;

// One leftover group on the overview: how many files, how big; a click shows the group.
class GroupCard : public QPushButton
{
    Q_OBJECT

public:
    GroupCard(AppModel& model, OrphanGroup group, QWidget* parent = nullptr);

    QString countText() const;
    OrphanGroup group() const { return m_group; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    AppModel& m_model;
    OrphanGroup m_group;
    QString m_count;
};

// What the scan found in the open folder, group by group, and what is worth knowing.
class OverviewView : public QWidget
{
    Q_OBJECT

public:
    explicit OverviewView(AppModel& model, QWidget* parent = nullptr);

    // The texts shown, top to bottom, for tests.
    QStringList texts() const;

private:
    void rebuild();
    void fill();
    QWidget* notScanned();
    QWidget* titleRow();
    QWidget* goodToKnow();

    AppModel& m_model;
    QScrollArea* m_scroll;
};
