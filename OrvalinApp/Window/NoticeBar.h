#pragma once

#include <QFrame>

class AppModel;
class QLabel;
class QPushButton;
class QToolButton;

// The bar that reports a finished move or restore, with a way to look at or undo a move. Screen
// readers meet it as a notification and read it out when it appears.
class NoticeBar : public QFrame
{
    Q_OBJECT

public:
    explicit NoticeBar(AppModel& model, QWidget* parent = nullptr);

    QPushButton* showButton() const { return m_show; }
    QPushButton* restoreButton() const { return m_restore; }
    QString text() const;
    // Shows a notice that came while the window was busy.
    void present();
    // Gives the focus to the notice's first button.
    void takeFocus();

private:
    void refresh();

    AppModel& m_model;
    QLabel* m_text;
    QPushButton* m_show;
    QPushButton* m_restore;
    QToolButton* m_close;
};
