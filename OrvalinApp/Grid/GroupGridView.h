#pragma once

#include "OrphanGroup.h"

#include <QWidget>

class AppModel;
class CandidateGrid;
class EmptyState;
class GroupHeader;
class QStackedWidget;
class ThumbnailCache;

// A leftover group in the browser's detail column: its header over a grid of its files, a
// section per folder, or an empty state when the group holds nothing.
class GroupGridView : public QWidget
{
    Q_OBJECT

public:
    GroupGridView(AppModel& model, OrphanGroup group, QWidget* parent = nullptr);
    GroupGridView(
        AppModel& model, OrphanGroup group, ThumbnailCache& thumbnails, QWidget* parent = nullptr);

    OrphanGroup group() const { return m_group; }
    GroupHeader* header() const { return m_header; }
    CandidateGrid* grid() const { return m_grid; }
    EmptyState* emptyState() const { return m_empty; }
    bool showsEmptyState() const;

private:
    void refresh();
    void refreshEmptyState();

    AppModel& m_model;
    const OrphanGroup m_group;
    GroupHeader* m_header;
    QStackedWidget* m_stack;
    EmptyState* m_empty;
    CandidateGrid* m_grid;
};
