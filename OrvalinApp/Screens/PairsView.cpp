#include "PairsView.h"

#include "AppModel.h"
#include "PairTableModel.h"
#include "RowDelegate.h"
#include "Style.h"

#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

PairsView::PairsView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    auto* header = new QWidget;
    auto* headerLayout = Style::screenTitle(QStringLiteral("rectangle.on.rectangle"), tr("Pairs"),
        tr("RAW files with their JPEG or HEIC twin. These are never offered for moving."));
    headerLayout->setContentsMargins(16, 16, 16, 16);
    header->setLayout(headerLayout);

    auto* divider = Style::divider();

    m_rows = new PairTableModel(this);
    m_table = new QTableView;
    m_table->setModel(m_rows);
    m_table->setItemDelegate(new RowDelegate(m_table));
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setShowGrid(false);
    m_table->setWordWrap(false);
    m_table->setTextElideMode(Qt::ElideMiddle);
    m_table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->verticalHeader()->hide();
    // Rows of one height need not be measured one by one.
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    QHeaderView* columns = m_table->horizontalHeader();
    columns->setSectionResizeMode(PairTableModel::rawColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(PairTableModel::twinColumn, QHeaderView::Stretch);
    columns->setSectionResizeMode(PairTableModel::matchedByColumn, QHeaderView::Fixed);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    fitLastColumn();
    // Arrows move through the rows; Tab leaves the table, as everywhere else.
    m_table->setTabKeyNavigation(false);
    m_table->setAccessibleName(tr("Pairs"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(divider);
    layout->addWidget(m_table, 1);

    connect(&m_model, &AppModel::resultChanged, this, [this] {
        if (isVisible())
            return refresh();
        // Let go of the previous pairs now rather than when the screen shows again.
        m_rows->setPairs({});
        m_stale = true;
    });
}

void PairsView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (m_stale)
        refresh();
}

void PairsView::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitLastColumn();
}

void PairsView::refresh()
{
    m_stale = false;
    const auto& result = m_model.result();
    m_rows->setPairs(result ? result->pairs : QList<Pair>());
}

// "Matched by" is as wide as its longest text, at least 110 points, so that the two columns
// beside it share the rest of the width and the table never reaches past the window's edge.
void PairsView::fitLastColumn()
{
    const QFontMetrics metrics(m_table->font());
    int widest = 0;
    for (const QString& text : PairTableModel::matchedByTexts())
        widest = qMax(widest, metrics.horizontalAdvance(text));
    const int margins = 2 * m_table->style()->pixelMetric(QStyle::PM_HeaderMargin) + 16;
    m_table->setColumnWidth(PairTableModel::matchedByColumn, qMax(110, widest + margins));
}
