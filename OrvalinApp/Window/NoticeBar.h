#pragma once

#include <QFrame>

class AppModel;
class QLabel;
class QPushButton;

// The bar that reports a finished move or restore, with a way to look at or undo a move.
class NoticeBar : public QFrame
{
    Q_OBJECT

public:
    explicit NoticeBar(AppModel& model, QWidget* parent = nullptr);

    QPushButton* showButton() const { return m_show; }
    QPushButton* restoreButton() const { return m_restore; }
    QString text() const;

private:
    void refresh();

    AppModel& m_model;
    QLabel* m_text;
    QPushButton* m_show;
    QPushButton* m_restore;
};
