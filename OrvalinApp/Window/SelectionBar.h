#pragma once

#include <QFrame>

class AppModel;
class QAction;
class QLabel;
class QPushButton;

// The bar that says how many files are ticked and leads on to the move.
class SelectionBar : public QFrame
{
    Q_OBJECT

public:
    // `reviewMove` is the window's action, which owns the keyboard shortcut.
    SelectionBar(AppModel& model, QAction* reviewMove, QWidget* parent = nullptr);

    QString countText() const;
    QPushButton* reviewButton() const { return m_review; }

private:
    void refresh();

    AppModel& m_model;
    QLabel* m_count;
    QPushButton* m_review;
};
