#pragma once

#include "ReviewSession.h"

#include <QWidget>
#include <optional>

class AppModel;
class QPushButton;
class QStackedWidget;
class QVBoxLayout;

// What a session still holds, as the restore screen shows it.
struct SessionState
{
    // Entries whose file is in the review folder, and their size.
    qsizetype inReview = 0;
    qint64 inReviewSize = 0;
    // Entries left in the review folder because their place was taken.
    qsizetype waiting = 0;

    static SessionState of(const RestoreLog& log);
    bool canRestore() const { return inReview > 0 || waiting > 0; }
};

// One past move: when, what is still in the review folder, and the buttons for it.
class SessionRow : public QWidget
{
    Q_OBJECT

public:
    SessionRow(AppModel& model, const ReviewSession& session, QWidget* parent = nullptr);

    const QString& folder() const { return m_folder; }
    QPushButton* restoreButton() const { return m_restore; }
    QStringList texts() const;
    void takeFocus();

private:
    QString m_folder;
    QPushButton* m_show;
    QPushButton* m_restore;
};

// The review sessions of the open folder, newest first, each of which can be put back.
class RestoreView : public QWidget
{
    Q_OBJECT

public:
    explicit RestoreView(AppModel& model, QWidget* parent = nullptr);

    QList<SessionRow*> rows() const;
    bool showsEmptyState() const;
    QPushButton* restoreAllButton() const { return m_restoreAll; }
    // Puts the focus on the row of the move last restored here; false when it is not listed.
    bool focusLastRestored();

private:
    void refresh();

    AppModel& m_model;
    QPushButton* m_restoreAll;
    QStackedWidget* m_stack;
    QWidget* m_empty;
    QWidget* m_list;
    QVBoxLayout* m_rows;
    std::optional<QString> m_lastRestored;
};
