#pragma once

#include <QWidget>

class AppModel;
class QLabel;
class QPushButton;

// The first scan of a folder: what is being read and how far it has got, and a way to stop.
class ScanningView : public QWidget
{
    Q_OBJECT

public:
    explicit ScanningView(AppModel& model, QWidget* parent = nullptr);

    QPushButton* stopButton() const { return m_stop; }

private:
    void refresh();

    AppModel& m_model;
    QWidget* m_column;
    QLabel* m_title;
    QLabel* m_count;
    QLabel* m_folder;
    QPushButton* m_stop;
};
