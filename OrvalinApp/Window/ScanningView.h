#pragma once

#include <QWidget>

class AppModel;
class QLabel;
class QPushButton;
class QShortcut;

// The first scan of a folder: what is being read and how far it has got, and a way to stop.
class ScanningView : public QWidget
{
    Q_OBJECT

public:
    explicit ScanningView(AppModel& model, QWidget* parent = nullptr);

    QPushButton* stopButton() const { return m_stop; }
    QShortcut* escapeKey() const { return m_escape; }

private:
    void refresh();

    AppModel& m_model;
    QWidget* m_column;
    QLabel* m_title;
    QLabel* m_count;
    QLabel* m_folder;
    QPushButton* m_stop;
    QShortcut* m_escape;
};
