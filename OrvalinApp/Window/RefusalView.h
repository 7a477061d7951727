#pragma once

#include <QWidget>

class AppModel;
class QLabel;
class QPushButton;

// Why the chosen folder will not be touched, and a way to choose another.
class RefusalView : public QWidget
{
    Q_OBJECT

public:
    explicit RefusalView(AppModel& model, QWidget* parent = nullptr);

    QString message() const;

private:
    void refresh();

    AppModel& m_model;
    QLabel* m_message;
    QPushButton* m_choose;
};
