#include "NoticeBar.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "Icons.h"
#include "Reveal.h"
#include "Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

NoticeBar::NoticeBar(AppModel& model, QWidget* parent)
    : QFrame(parent)
    , m_model(model)
{
    Style::makeBar(this);
    setFrameShape(QFrame::NoFrame);
    // Screen readers read a notification out as it appears, wherever the focus is.
    Accessibility::setRole(this, QAccessible::Notification);
    auto* layout = Style::barLayout(this);
    layout->addWidget(
        Style::iconLabel(QStringLiteral("checkmark.circle.fill"), 18, Style::Ink::green));
    m_text = Style::label(QString());
    layout->addWidget(m_text, 1);
    m_show = new QPushButton(tr("Show in File Manager"));
    m_restore = new QPushButton(tr("Restore"));
    // The restore screen lists the same buttons for every move.
    m_show->setAccessibleName(tr("Show in File Manager: the files just moved"));
    m_restore->setAccessibleName(tr("Restore: the files just moved"));
    layout->addWidget(m_show);
    layout->addWidget(m_restore);
    auto* close = new QToolButton;
    m_close = close;
    close->setIcon(Icons::symbol(QStringLiteral("xmark")));
    close->setAutoRaise(true);
    close->setAccessibleName(tr("Dismiss"));
    close->setToolTip(tr("Dismiss"));
    layout->addWidget(close);

    connect(m_show, &QPushButton::clicked, this, [this] {
        if (const auto& notice = m_model.notice(); notice && notice->session)
            Reveal::inFileManager(*notice->session);
    });
    connect(m_restore, &QPushButton::clicked, &m_model, &AppModel::restoreNoticeSession);
    connect(close, &QToolButton::clicked, &m_model, &AppModel::dismissNotice);
    connect(&m_model, &AppModel::noticeChanged, this, &NoticeBar::refresh);
    refresh();
}

QString NoticeBar::text() const
{
    return m_text->text();
}

void NoticeBar::refresh()
{
    // Hidden first, so that even a notice that takes the place of another one appears anew.
    hide();
    const auto& notice = m_model.notice();
    if (!notice)
        return;
    m_text->setText(notice->text);
    setAccessibleName(notice->text);
    m_show->setVisible(notice->session.has_value());
    m_restore->setVisible(notice->session.has_value());
    // A notice that ends a move or restore waits until the window has put the focus back, so
    // that moving the focus does not cut it short.
    if (!m_model.busy())
        present();
}

void NoticeBar::takeFocus()
{
    for (QPushButton* button : { m_show, m_restore }) {
        if (button->isVisibleTo(this)) {
            button->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    m_close->setFocus(Qt::OtherFocusReason);
}

void NoticeBar::present()
{
    if (m_model.notice())
        show();
}
