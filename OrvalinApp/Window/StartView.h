#pragma once

#include <QWidget>

class AppModel;
class QPushButton;
class QVBoxLayout;

// What the window shows before a folder is open: what the application does, the folder
// button, the recent folders and three notes.
class StartView : public QWidget
{
    Q_OBJECT

public:
    explicit StartView(AppModel& model, QWidget* parent = nullptr);

    // Reads the recent folders again; the list is not watched while it is shown.
    void reloadRecents();

private:
    AppModel& m_model;
    QWidget* m_recents;
    QVBoxLayout* m_recentRows;
    QPushButton* m_choose;
};
