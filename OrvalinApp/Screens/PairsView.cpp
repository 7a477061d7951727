#include "PairsView.h"

#include "AppModel.h"
#include "Style.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// One row of the table: the RAW file, its twins' names, and how they were matched.
struct PairRow
{
    QString raw;
    QString twins;
    bool byTime = false;

    static PairRow of(const Pair& pair)
    {
        QStringList names;
        for (const FileEntry& twin : pair.twins)
            names << twin.name();
        return { pair.raw.relativePath, names.join(QStringLiteral(", ")), pair.byCaptureTime };
    }
};

} // namespace

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

    m_table = new QTableWidget(0, 3);
    m_table->setHorizontalHeaderLabels({ tr("RAW"), tr("Twin"), tr("Matched by") });
    m_table->setFrameShape(QFrame::NoFrame);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setAlternatingRowColors(true);
    m_table->setShowGrid(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Fixed);
    m_table->horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_table->setColumnWidth(2, 110);
    // Arrows move through the rows; Tab leaves the table, as everywhere else.
    m_table->setTabKeyNavigation(false);
    m_table->setAccessibleName(tr("Pairs"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(header);
    layout->addWidget(divider);
    layout->addWidget(m_table, 1);

    connect(&m_model, &AppModel::resultChanged, this, &PairsView::refresh);
    refresh();
}

void PairsView::refresh()
{
    const auto& result = m_model.result();
    const QList<Pair> pairs = result ? result->pairs : QList<Pair>();
    m_table->setUpdatesEnabled(false);
    m_table->setRowCount(int(pairs.size()));
    for (int row = 0; row < pairs.size(); ++row) {
        const PairRow line = PairRow::of(pairs[row]);
        m_table->setItem(row, 0, new QTableWidgetItem(line.raw));
        m_table->setItem(row, 1, new QTableWidgetItem(line.twins));
        m_table->setItem(
            row, 2, new QTableWidgetItem(line.byTime ? tr("Capture time") : tr("Name")));
    }
    m_table->setUpdatesEnabled(true);
}
