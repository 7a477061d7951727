#include "FolderHeader.h"

#include "Accessibility.h"
#include "ElidedLabel.h"
#include "Formatting.h"
#include "Style.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

FolderHeader::FolderHeader(QWidget* parent)
    : QWidget(parent)
{
    // The grid's viewport paints the base colour; the header is a bar over it.
    setBackgroundRole(QPalette::Window);
    Style::makeBar(this);
    // Long paths lose letters from their middle, never their end: the folder's own name stays.
    m_title = new ElidedLabel;
    m_title->setFont(Style::font(Style::Text::headline));
    m_count = Style::label(QString(), Style::Text::body, Style::Tone::secondary);
    m_count->setWordWrap(false);
    m_button = new QPushButton;
    m_button->setFlat(true);
    m_button->setCursor(Qt::PointingHandCursor);
    Style::followPalette(m_button, [button = m_button] {
        QPalette link;
        link.setColor(QPalette::ButtonText, QApplication::palette(button).color(QPalette::Link));
        button->setPalette(link);
    });

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(16, 6, 12, 6);
    row->setSpacing(8);
    row->addWidget(Style::iconLabel(QStringLiteral("folder"), 16));
    row->addWidget(m_title, 1);
    row->addWidget(m_count);
    row->addWidget(m_button);

    // Its text flips between Tick Folder and Untick Folder; screen readers hear a check box for
    // the whole folder, checked while every file in it is ticked.
    Accessibility::presentAsCheckBox(m_button, [this] { return m_allTicked; });
    connect(m_button, &QPushButton::clicked, this,
        [this] { Q_EMIT tickRequested(m_folder, !m_allTicked); });
    m_button->installEventFilter(this);
}

bool FolderHeader::eventFilter(QObject* watched, QEvent* event)
{
    // A borderless button shows no focus; it takes a frame while Tab has brought it the focus.
    if (watched == m_button
        && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut))
        m_button->setFlat(event->type() == QEvent::FocusOut);
    return QWidget::eventFilter(watched, event);
}

int FolderHeader::preferredHeight()
{
    return FolderHeader().sizeHint().height();
}

void FolderHeader::bind(
    const QString& folder, const QString& rootName, qsizetype count, bool allTicked)
{
    const bool flipped = folder == m_folder && allTicked != m_allTicked;
    m_folder = folder;
    m_allTicked = allTicked;
    m_title->setText(folder.isEmpty() ? rootName : folder);
    m_count->setText(Formatting::count(count));
    m_button->setText(buttonText());
    // Every folder has this button: screen readers hear which folder it acts on.
    if (accessibleName() != title())
        setAccessibleName(title());
    const QString name = tr("Tick Folder “%1”").arg(title());
    if (m_button->accessibleName() != name)
        m_button->setAccessibleName(name);
    if (flipped)
        Accessibility::checkedChanged(m_button);
}

QString FolderHeader::title() const
{
    return m_title->text();
}

QString FolderHeader::shownTitle() const
{
    return m_title->shownText();
}

QString FolderHeader::buttonText() const
{
    return m_allTicked ? tr("Untick Folder") : tr("Tick Folder");
}
