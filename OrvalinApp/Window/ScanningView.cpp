#include "ScanningView.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "Spinner.h"
#include "Style.h"

#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

ScanningView::ScanningView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    m_column = new QWidget;
    m_column->setMaximumWidth(640);
    auto* layout = new QVBoxLayout(m_column);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(16);
    layout->addWidget(new Spinner(32), 0, Qt::AlignHCenter);
    m_title = Style::label(QString(), Style::Text::title2);
    m_count = Style::label(QString(), Style::Text::body, Style::Tone::secondary);
    m_folder = Style::label(QString(), Style::Text::callout, Style::Tone::tertiary);
    for (QLabel* label : { m_title, m_count, m_folder }) {
        label->setAlignment(Qt::AlignHCenter);
        layout->addWidget(label);
    }
    m_stop = new QPushButton(tr("Stop"));
    connect(m_stop, &QPushButton::clicked, &m_model, &AppModel::cancelScan);
    // A button's own shortcut clicks it a moment later, by which time a small scan may be done;
    // Escape stops it at once instead.
    m_escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    m_escape->setContext(Qt::WidgetWithChildrenShortcut);
    connect(m_escape, &QShortcut::activated, &m_model, &AppModel::cancelScan);
    layout->addWidget(m_stop, 0, Qt::AlignHCenter);
    setFocusProxy(m_stop);
    // Screen readers find the count where they look for what a window is busy with.
    Accessibility::setRole(m_column, QAccessible::StatusBar);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Style::centred(m_column));

    connect(&m_model, &AppModel::progressChanged, this, &ScanningView::refresh);
    connect(&m_model, &AppModel::rootChanged, this, &ScanningView::refresh);
    refresh();
}

void ScanningView::refresh()
{
    const QString folder = QFileInfo(m_model.root().value_or(QString())).fileName();
    const ScanProgress& progress = m_model.progress();
    m_title->setText(tr("Scanning “%1”…").arg(folder));
    m_count->setText(tr("%Ln files so far", nullptr, int(progress.files)));
    m_folder->setText(progress.folder);
    m_folder->setVisible(!progress.folder.isEmpty());
    // Read out as one sentence rather than as a spinner and three labels.
    QStringList spoken { m_title->text(), m_count->text() };
    if (!progress.folder.isEmpty())
        spoken << progress.folder;
    m_column->setAccessibleName(spoken.join(QStringLiteral(", ")));
    // Said with the button that has the focus; the count changes too often to be read out.
    if (m_stop->accessibleDescription() != m_title->text())
        m_stop->setAccessibleDescription(m_title->text());
}
