#include "SelectionBar.h"

#include "AppModel.h"
#include "Formatting.h"
#include "Style.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

SelectionBar::SelectionBar(AppModel& model, QAction* reviewMove, QWidget* parent)
    : QFrame(parent)
    , m_model(model)
{
    Style::makeBar(this);
    auto* layout = Style::barLayout(this);
    m_count = Style::label(QString(), Style::Text::headline);
    m_count->setWordWrap(false);
    layout->addWidget(m_count);
    auto* untick = new QPushButton(tr("Untick All"));
    untick->setFlat(true);
    // A group's header has an "Untick All" too, for that group only.
    untick->setAccessibleName(tr("Untick All in Every Group"));
    layout->addWidget(untick);
    layout->addStretch(1);
    m_review = new QPushButton(tr("Review Move…"));
    Style::makeProminent(m_review);
    m_review->setToolTip(tr("See what will move, and where, before anything moves"));
    layout->addWidget(m_review);

    connect(untick, &QPushButton::clicked, &m_model, &AppModel::untickEverything);
    connect(m_review, &QPushButton::clicked, reviewMove, &QAction::trigger);
    connect(&m_model, &AppModel::selectionChanged, this, &SelectionBar::refresh);
    refresh();
}

QString SelectionBar::countText() const
{
    return m_count->text();
}

void SelectionBar::refresh()
{
    setVisible(m_model.tickedCount() > 0);
    m_count->setText(tr("Ticked: %1").arg(Formatting::count(m_model.tickedCount())));
}
