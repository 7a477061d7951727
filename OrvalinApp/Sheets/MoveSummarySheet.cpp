#include "MoveSummarySheet.h"

#include "AppModel.h"
#include "Formatting.h"
#include "GroupStyle.h"
#include "Messages.h"
#include "Style.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* cell(const QString& text, Style::Text style = Style::Text::body,
    Style::Tone tone = Style::Tone::primary)
{
    QLabel* label = Style::label(text, style, tone);
    label->setWordWrap(false);
    return label;
}

} // namespace

MoveSummarySheet::MoveSummarySheet(
    AppModel& model, const MovePlan& plan, bool showcase, QWidget* parent)
    : QDialog(parent)
    , m_model(model)
    , m_plan(plan)
    , m_showcase(showcase)
{
    const qsizetype count = plan.fileCount();
    setWindowTitle(tr("Move %Ln files?", nullptr, int(count)));
    setWindowModality(Qt::WindowModal);
    setFixedWidth(580);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(16);
    layout->addWidget(Style::label(windowTitle(), Style::Text::title2));
    layout->addWidget(Style::label(tr("This is a dry run: nothing has moved yet."),
        Style::Text::body, Style::Tone::secondary));

    auto* table = new QGridLayout;
    table->setHorizontalSpacing(18);
    table->setVerticalSpacing(8);
    int row = 0;
    const QStringList headings { tr("Group"), tr("Files"), tr("Sidecars with them"), tr("Size") };
    for (int column = 0; column < headings.size(); ++column)
        table->addWidget(cell(headings[column], Style::Text::caption, Style::Tone::secondary), row,
            column, column == 0 ? Qt::AlignLeft : Qt::AlignRight);
    table->addWidget(Style::divider(), ++row, 0, 1, 4);
    for (const MovePlan::Line& line : plan.lines()) {
        ++row;
        auto* group = new QWidget;
        auto* groupLayout = new QHBoxLayout(group);
        groupLayout->setContentsMargins(0, 0, 0, 0);
        groupLayout->setSpacing(6);
        groupLayout->addWidget(Style::iconLabel(GroupStyle::iconName(line.group), 16));
        groupLayout->addWidget(cell(GroupStyle::title(line.group)));
        table->addWidget(group, row, 0, Qt::AlignLeft);
        table->addWidget(cell(Formatting::count(line.picked)), row, 1, Qt::AlignRight);
        table->addWidget(cell(Formatting::count(line.sidecars)), row, 2, Qt::AlignRight);
        table->addWidget(cell(Formatting::byteCount(line.size)), row, 3, Qt::AlignRight);
    }
    table->addWidget(Style::divider(), ++row, 0, 1, 4);
    ++row;
    table->addWidget(cell(tr("Total"), Style::Text::headline), row, 0, Qt::AlignLeft);
    table->addWidget(cell(Formatting::count(count), Style::Text::headline), row, 1, Qt::AlignRight);
    table->addWidget(cell(Formatting::byteCount(plan.totalSize()), Style::Text::headline), row, 3,
        Qt::AlignRight);
    table->setColumnStretch(0, 1);
    layout->addLayout(table);

    layout->addWidget(Style::label(Messages::planFolderCount(plan.folders().size()),
        Style::Text::callout, Style::Tone::secondary));
    layout->addWidget(Style::divider());
    auto* destination = new QHBoxLayout;
    destination->setSpacing(8);
    destination->addWidget(
        Style::iconLabel(QStringLiteral("tray.full"), 18, Style::Ink::secondary), 0, Qt::AlignTop);
    destination->addWidget(Style::label(Messages::planDestination(model.appName()),
                               Style::Text::callout, Style::Tone::secondary),
        1);
    layout->addLayout(destination);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_cancel = new QPushButton(tr("Cancel"));
    m_cancel->setAutoDefault(false);
    m_move = new QPushButton(tr("Move %Ln Files", nullptr, int(count)));
    Style::makeProminent(m_move);
    buttons->addWidget(m_cancel);
    buttons->addWidget(m_move);
    layout->addLayout(buttons);

    // Screen readers skip the table's loose numbers; the button says it all in sentences.
    m_move->setAccessibleDescription(spokenSummary());

    // QDialog already closes on Escape through reject().
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_move, &QPushButton::clicked, this, &MoveSummarySheet::confirm);
}

QString MoveSummarySheet::spokenSummary() const
{
    QStringList sentences;
    for (const MovePlan::Line& line : m_plan.lines())
        sentences << tr("%1: %2 files, %3 sidecars with them, %4.")
                         .arg(GroupStyle::title(line.group))
                         .arg(line.picked)
                         .arg(line.sidecars)
                         .arg(Formatting::byteCount(line.size));
    sentences << tr("Total: %1 files, %2.")
                     .arg(m_plan.fileCount())
                     .arg(Formatting::byteCount(m_plan.totalSize()));
    sentences << Messages::planFolderCount(m_plan.folders().size());
    return sentences.join(u' ');
}

QStringList MoveSummarySheet::texts() const
{
    QStringList texts;
    for (const QLabel* label : findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

void MoveSummarySheet::confirm()
{
    if (m_showcase)
        return;
    accept();
    Q_EMIT moveConfirmed(m_plan);
}
