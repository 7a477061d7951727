#include "NoticeBar.h"

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
    auto* layout = Style::barLayout(this);
    layout->addWidget(
        Style::iconLabel(QStringLiteral("checkmark.circle.fill"), 18, Style::Ink::green));
    m_text = Style::label(QString());
    layout->addWidget(m_text, 1);
    m_show = new QPushButton(tr("Show in File Manager"));
    m_restore = new QPushButton(tr("Restore"));
    layout->addWidget(m_show);
    layout->addWidget(m_restore);
    auto* close = new QToolButton;
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
    const auto& notice = m_model.notice();
    setVisible(notice.has_value());
    if (!notice)
        return;
    m_text->setText(notice->text);
    m_show->setVisible(notice->session.has_value());
    m_restore->setVisible(notice->session.has_value());
}
