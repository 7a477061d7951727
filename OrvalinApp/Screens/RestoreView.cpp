#include "RestoreView.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "EmptyState.h"
#include "Formatting.h"
#include "Reveal.h"
#include "Style.h"

#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The locale's long date with the month abbreviated and no weekday, then a short time.
QString abbreviatedDateShortTime(const QDateTime& when)
{
    const QLocale locale;
    QString pattern = locale.dateFormat(QLocale::LongFormat);
    pattern.replace(QRegularExpression(QStringLiteral("d{4}[^dMy']*")), QString());
    pattern.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    const QDateTime local = when.toLocalTime();
    return locale.toString(local.date(), pattern.trimmed()) + u' '
        + locale.toString(local.time(), QLocale::ShortFormat);
}

} // namespace

SessionState SessionState::of(const RestoreLog& log)
{
    SessionState state;
    for (const RestoreLog::Entry& entry : log.entries) {
        if (entry.status == RestoreLog::Status::moved) {
            ++state.inReview;
            state.inReviewSize += entry.size;
        } else if (entry.status == RestoreLog::Status::conflict) {
            ++state.waiting;
        }
    }
    return state;
}

SessionRow::SessionRow(AppModel& model, const ReviewSession& session, QWidget* parent)
    : QWidget(parent)
    , m_folder(session.folder)
{
    const SessionState state = SessionState::of(session.log);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 4, 16, 4);
    layout->setSpacing(12);
    auto* icon = Style::iconLabel(QStringLiteral("tray.full"), 24, Style::Ink::accent);
    icon->setFixedWidth(30);
    icon->setAlignment(Qt::AlignCenter);
    layout->addWidget(icon, 0, Qt::AlignTop);

    auto* column = new QVBoxLayout;
    column->setSpacing(2);
    column->addWidget(
        Style::label(abbreviatedDateShortTime(session.log.created), Style::Text::headline));
    const QString held = state.inReview > 0
        ? tr("%Ln files (%1) in the review folder", nullptr, int(state.inReview))
              .arg(Formatting::byteCount(state.inReviewSize))
        : tr("Put back");
    column->addWidget(Style::label(held, Style::Text::body, Style::Tone::secondary));
    if (state.waiting > 0) {
        auto* waiting
            = Style::label(tr("%1 waiting: a file with the same name is back in the original place")
                               .arg(Formatting::count(state.waiting)),
                Style::Text::caption);
        Style::followPalette(waiting, [waiting] {
            QPalette palette;
            palette.setColor(QPalette::WindowText, Style::orange());
            waiting->setPalette(palette);
        });
        column->addWidget(waiting);
    }
    layout->addLayout(column, 1);

    m_show = new QPushButton(tr("Show in File Manager"));
    m_restore = new QPushButton(tr("Restore"));
    m_restore->setEnabled(state.canRestore());
    // Every row has these buttons: screen readers hear which move they act on, by the name of
    // its folder, which two moves in the same minute do not share.
    const QString name = QFileInfo(session.folder).fileName();
    m_show->setAccessibleName(tr("Show in File Manager: move “%1”").arg(name));
    m_restore->setAccessibleName(tr("Restore: move “%1”").arg(name));
    layout->addWidget(m_show, 0, Qt::AlignVCenter);
    layout->addWidget(m_restore, 0, Qt::AlignVCenter);
    const QString folder = session.folder;
    connect(m_show, &QPushButton::clicked, this, [folder] { Reveal::inFileManager(folder); });
    connect(m_restore, &QPushButton::clicked, &model,
        [&model, session] { model.restore({ session }); });
}

// The row's Restore button while there is something to restore, else its other button.
void SessionRow::takeFocus()
{
    (m_restore->isEnabled() ? m_restore : m_show)->setFocus(Qt::OtherFocusReason);
}

QStringList SessionRow::texts() const
{
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

RestoreView::RestoreView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    auto* header = new QWidget;
    auto* headerLayout = new QHBoxLayout(header);
    headerLayout->setContentsMargins(16, 16, 16, 16);
    headerLayout->setSpacing(12);
    auto* headerText
        = Style::screenTitle(QStringLiteral("arrow.uturn.backward.circle"), tr("Restore"),
            tr("Every move is logged in “%1”. Restore puts files back where they were; it never "
               "overwrites a file that is there now.")
                .arg(model.reviewFolderName()));
    headerLayout->addLayout(headerText, 1);
    m_restoreAll = new QPushButton(tr("Restore All"));
    Style::makeProminent(m_restoreAll);
    headerLayout->addWidget(m_restoreAll, 0, Qt::AlignTop);
    connect(m_restoreAll, &QPushButton::clicked, this,
        [this] { m_model.restore(m_model.restorableSessions()); });

    auto* divider = Style::divider();

    m_empty = new EmptyState(QStringLiteral("tray"), tr("No moves yet"),
        tr("Files you move from this folder can be put back from here, even after quitting."));
    auto* scroll = new QScrollArea;
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setFocusPolicy(Qt::NoFocus);
    m_list = new QWidget;
    m_rows = new QVBoxLayout(m_list);
    m_rows->setContentsMargins(0, 8, 0, 8);
    m_rows->setSpacing(0);
    scroll->setWidget(m_list);
    m_stack = new QStackedWidget;
    // Screen readers pass over it: it only switches what is shown.
    Accessibility::setRole(m_stack, QAccessible::Client);
    m_stack->addWidget(m_empty);
    m_stack->addWidget(scroll);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(divider);
    layout->addWidget(m_stack, 1);

    connect(&m_model, &AppModel::sessionsChanged, this, &RestoreView::refresh);
    refresh();
}

bool RestoreView::focusLastRestored()
{
    for (SessionRow* row : rows()) {
        if (m_lastRestored && row->folder() == *m_lastRestored) {
            row->takeFocus();
            return true;
        }
    }
    return false;
}

QList<SessionRow*> RestoreView::rows() const
{
    return m_list->findChildren<SessionRow*>(Qt::FindDirectChildrenOnly);
}

bool RestoreView::showsEmptyState() const
{
    return m_stack->currentWidget() == m_empty;
}

void RestoreView::refresh()
{
    // The rows are made anew; the focus stays with the same move, or the first one if it is gone.
    std::optional<QString> focused;
    for (SessionRow* row : rows()) {
        if (row->isAncestorOf(window()->focusWidget()))
            focused = row->folder();
    }
    while (QLayoutItem* item = m_rows->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    const QList<ReviewSession>& sessions = m_model.sessions();
    // Made after the window's other controls, the rows would come last in the Tab order.
    QWidget* previous = m_restoreAll;
    for (const ReviewSession& session : sessions) {
        auto* row = new SessionRow(m_model, session, m_list);
        m_rows->addWidget(row);
        connect(row->restoreButton(), &QPushButton::clicked, this,
            [this, folder = session.folder] { m_lastRestored = folder; });
        for (QPushButton* button : row->findChildren<QPushButton*>()) {
            QWidget::setTabOrder(previous, button);
            previous = button;
        }
    }
    m_rows->addStretch(1);
    m_stack->setCurrentWidget(sessions.isEmpty() ? m_empty : m_stack->widget(1));
    m_restoreAll->setEnabled(!m_model.restorableSessions().isEmpty());
    if (focused && !rows().isEmpty()) {
        const QList<SessionRow*> made = rows();
        const auto same = std::find_if(made.begin(), made.end(),
            [&](const SessionRow* row) { return row->folder() == *focused; });
        (same == made.end() ? made.first() : *same)->takeFocus();
    }
}
