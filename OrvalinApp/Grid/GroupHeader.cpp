#include "GroupHeader.h"

#include "AppModel.h"
#include "Formatting.h"
#include "GroupStyle.h"
#include "Style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

GroupHeader::GroupHeader(AppModel& model, OrphanGroup group, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
    , m_group(group)
{
    auto* texts = Style::screenTitle(
        GroupStyle::iconName(group), GroupStyle::title(group), GroupStyle::explanation(group));
    m_summary = Style::label(QString(), Style::Text::callout, Style::Tone::secondary);
    texts->addWidget(m_summary);

    m_tickAll = new QPushButton(tr("Tick All"));
    m_untickAll = new QPushButton(tr("Untick All"));
    // The selection bar has an "Untick All" too, for every group.
    m_tickAll->setAccessibleName(tr("Tick All in This Group"));
    m_untickAll->setAccessibleName(tr("Untick All in This Group"));
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    buttons->addWidget(m_tickAll);
    buttons->addWidget(m_untickAll);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(16);
    row->addLayout(texts, 1);
    row->addLayout(buttons);
    row->setAlignment(buttons, Qt::AlignTop);

    connect(m_tickAll, &QPushButton::clicked, this, [this] { m_model.setTicked(m_group, true); });
    connect(
        m_untickAll, &QPushButton::clicked, this, [this] { m_model.setTicked(m_group, false); });
    connect(&m_model, &AppModel::resultChanged, this, &GroupHeader::refresh);
    connect(&m_model, &AppModel::selectionChanged, this, &GroupHeader::refresh);
    refresh();
}

QString GroupHeader::summary() const
{
    return m_summary->text();
}

void GroupHeader::refresh()
{
    const auto& result = m_model.result();
    const qsizetype count = result ? result->candidates(m_group).size() : 0;
    const qint64 size = result ? result->totalSize(m_group) : 0;
    const qsizetype ticked = m_model.tickedCandidates(m_group).size();
    m_summary->setText(tr("%Ln files · %1 · ticked: %2", nullptr, int(count))
                           .arg(Formatting::byteCount(size), Formatting::count(ticked)));
    m_tickAll->setEnabled(ticked < count);
    m_untickAll->setEnabled(ticked > 0);
}
