#include "OverviewView.h"

#include "AppModel.h"
#include "Formatting.h"
#include "GroupStyle.h"
#include "Icons.h"
#include "Spinner.h"
#include "Style.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

qint64 groupSize(const AppModel& model, OrphanGroup group)
{
    return model.result() ? model.result()->totalSize(group) : 0;
}

// A rounded, faintly filled panel behind cards and the notes box.
void paintPanel(QWidget* widget, bool highlighted)
{
    QPainter painter(widget);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Style::fill(highlighted ? 0.12 : 0.07));
    painter.drawRoundedRect(QRectF(widget->rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
}

class Panel : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { paintPanel(this, false); }
};

QLabel* transparent(QLabel* label)
{
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

// Names the first few things the scan could not read, with why, and says what was held back for
// them.
QString unreadableNote(const ScanResult& result)
{
    constexpr qsizetype named = 3;
    const UnreadableList& unreadable = result.unreadable;
    QStringList names;
    for (const UnreadableItem& item :
        unreadable.items.first(std::min(named, unreadable.items.size()))) {
        const QString name = item.relativePath.isEmpty()
            ? OverviewView::tr("this folder")
            : OverviewView::tr("“%1”").arg(item.relativePath);
        names << QStringLiteral("%1 (%2)").arg(name, item.reason);
    }
    QString list = names.join(QStringLiteral(", "));
    if (const qsizetype more = unreadable.total - names.size(); more > 0)
        list += OverviewView::tr(" and %Ln more", nullptr, int(more));
    QString note = OverviewView::tr("Couldn’t read %1.").arg(list);
    if (result.heldByUnreadable > 0)
        note += u' '
            + OverviewView::tr("%Ln files could have a twin, photo or sidecar there, so they "
                               "aren’t listed as leftovers.",
                nullptr, int(result.heldByUnreadable));
    return note;
}

} // namespace

GroupCard::GroupCard(AppModel& model, OrphanGroup group, QWidget* parent)
    : QPushButton(parent)
    , m_model(model)
    , m_group(group)
{
    const QString title = GroupStyle::title(group);
    const qsizetype count = model.candidateCount(group);
    const QString size = Formatting::byteCount(groupSize(model, group));
    m_count = Formatting::count(count);

    setMinimumWidth(180);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Minimum);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(tr("%1: %Ln files, %2", nullptr, int(count)).arg(title, size));
    setAccessibleDescription(tr("Shows these files"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(6);
    auto* heading = new QHBoxLayout;
    heading->setSpacing(8);
    heading->addWidget(Style::iconLabel(GroupStyle::iconName(group), 22, Style::Ink::accent));
    heading->addWidget(transparent(Style::label(title, Style::Text::headline)), 1);
    layout->addLayout(heading);
    auto* number = transparent(Style::label(m_count));
    QFont big = Style::font(Style::Text::body);
    big.setPixelSize(34);
    big.setWeight(QFont::DemiBold);
    number->setFont(big);
    layout->addWidget(number);
    layout->addWidget(transparent(Style::label(size, Style::Text::body, Style::Tone::secondary)));
    layout->addWidget(transparent(Style::label(
        GroupStyle::explanation(group), Style::Text::caption, Style::Tone::secondary)));
    layout->addStretch(1);
    for (QLabel* child : findChildren<QLabel*>())
        child->setAttribute(Qt::WA_TransparentForMouseEvents);

    connect(this, &QPushButton::clicked, this,
        [this] { m_model.setSidebar(SidebarItem::forGroup(m_group)); });
}

QString GroupCard::countText() const
{
    return m_count;
}

void GroupCard::paintEvent(QPaintEvent*)
{
    paintPanel(this, underMouse() || isDown());
    if (hasFocus()) {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Style::accent(), 2));
        painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 12, 12);
    }
}

OverviewView::OverviewView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // Tab goes to the cards, never to the frame around them.
    m_scroll->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_scroll);

    // Several fields change together after a scan; one rebuild covers them all.
    auto* pending = new QTimer(this);
    pending->setSingleShot(true);
    pending->setInterval(0);
    connect(pending, &QTimer::timeout, this, &OverviewView::rebuild);
    for (auto signal : { &AppModel::resultChanged, &AppModel::phaseChanged, &AppModel::rootChanged,
             &AppModel::progressChanged })
        connect(&m_model, signal, pending, qOverload<>(&QTimer::start));
    rebuild();
}

QStringList OverviewView::texts() const
{
    QStringList texts;
    for (const QLabel* label : m_scroll->widget()->findChildren<QLabel*>()) {
        if (!label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

void OverviewView::rebuild()
{
    // The page is made anew, during a scan at every count; the focus stays on the same card.
    std::optional<OrphanGroup> focusedCard;
    QWidget* focus = window()->focusWidget();
    if (auto* card = qobject_cast<GroupCard*>(focus); card && isAncestorOf(card))
        focusedCard = card->group();
    const bool hadFocus = focus && isAncestorOf(focus);
    fill();
    if (!hadFocus)
        return;
    const QList<GroupCard*> cards = m_scroll->widget()->findChildren<GroupCard*>();
    for (GroupCard* card : cards) {
        if (!focusedCard || card->group() == *focusedCard) {
            card->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (auto* scan = m_scroll->widget()->findChild<QPushButton*>())
        scan->setFocus(Qt::OtherFocusReason);
}

void OverviewView::fill()
{
    // Cards of about 350 points at most, and notes of as many as the three: in a wide window
    // the page keeps to a readable width on the left.
    constexpr int maximumWidth = 3 * 350 + 2 * 12 + 2 * 24;
    auto* page = new QWidget;
    auto* pageRow = new QHBoxLayout(page);
    pageRow->setContentsMargins(0, 0, 0, 0);
    auto* column = new QWidget;
    column->setMaximumWidth(maximumWidth);
    pageRow->addWidget(column, 1);
    pageRow->addStretch(0);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(24, 24, 24, 24);
    layout->setSpacing(20);

    const auto& result = m_model.result();
    if (!result) {
        layout->addWidget(notScanned());
        layout->addStretch(1);
        m_scroll->setWidget(page);
        return;
    }

    layout->addWidget(titleRow());
    // Pieces, so that each count has its own plural.
    const QString summary = tr("%Ln files: ", nullptr, int(result->fileCount))
        + Formatting::count(result->rawCount) + tr(" RAW, ") + Formatting::count(result->twinCount)
        + tr(" JPEG or HEIC, ") + tr("%Ln sidecars. ", nullptr, int(result->sidecarCount))
        + tr("%Ln pairs are complete and stay where they are.", nullptr, int(result->pairs.size()));
    layout->addWidget(Style::label(summary, Style::Text::body, Style::Tone::secondary));

    auto* cards = new QHBoxLayout;
    cards->setSpacing(12);
    for (OrphanGroup group : OrphanGroups::allCases())
        cards->addWidget(new GroupCard(m_model, group), 1, Qt::AlignTop);
    layout->addLayout(cards);
    layout->addWidget(goodToKnow());
    layout->addStretch(1);
    m_scroll->setWidget(page);
    // Made after the window's other controls, the cards would come last in the Tab order: they
    // go after the control before this screen (the sidebar).
    QWidget* previous = previousInFocusChain();
    while (previous != this && previous->focusPolicy() == Qt::NoFocus)
        previous = previous->previousInFocusChain();
    for (GroupCard* card : page->findChildren<GroupCard*>()) {
        QWidget::setTabOrder(previous, card);
        previous = card;
    }
}

QWidget* OverviewView::notScanned()
{
    auto* box = new QWidget;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    layout->addWidget(
        Style::label(tr("This folder hasn’t been scanned yet."), Style::Text::title2));
    auto* scan = new QPushButton(tr("Scan Now"));
    Style::makeProminent(scan);
    connect(scan, &QPushButton::clicked, &m_model, &AppModel::rescan);
    layout->addWidget(scan, 0, Qt::AlignLeft);
    return box;
}

QWidget* OverviewView::titleRow()
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(12);
    const QString folder = QFileInfo(m_model.root().value_or(QString())).fileName();
    auto* title = Style::label(tr("“%1”").arg(folder), Style::Text::largeTitle);
    layout->addWidget(title, 1);
    if (m_model.phase().isScanning()) {
        layout->addWidget(new Spinner(16));
        auto* scanning
            = Style::label(tr("Scanning… %Ln files", nullptr, int(m_model.progress().files)),
                Style::Text::callout, Style::Tone::secondary);
        scanning->setWordWrap(false);
        layout->addWidget(scanning);
    }
    return row;
}

QWidget* OverviewView::goodToKnow()
{
    const ScanResult& result = *m_model.result();
    auto* box = new Panel;
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(8);
    layout->addWidget(Style::label(tr("Good to know"), Style::Text::headline));
    auto line = [&](const QString& symbol, const QString& text) {
        auto* row = new QHBoxLayout;
        row->setSpacing(8);
        row->addWidget(Style::iconLabel(symbol, 16, Style::Ink::secondary), 0, Qt::AlignTop);
        row->addWidget(Style::label(text, Style::Text::body, Style::Tone::secondary), 1);
        layout->addLayout(row);
    };
    line(QStringLiteral("checkmark.circle"),
        tr("Nothing is ticked until you choose. Use Tick ▸ “What did you cull?”, or tick files one "
           "by one."));
    line(QStringLiteral("arrow.uturn.backward.circle"),
        tr("Moves go to “%1” inside this folder, keeping each file’s folders, with a restore log. "
           "Restore puts them back.")
            .arg(m_model.reviewFolderName()));
    if (!result.unreadable.isEmpty())
        line(QStringLiteral("lock.folder"), unreadableNote(result));
    if (result.heldInSingleKindFolders > 0)
        line(QStringLiteral("folder.badge.questionmark"),
            tr("%Ln files are in folders with only RAW or only JPEG files, so they aren’t listed "
               "as leftovers. Change this in Settings.",
                nullptr, int(result.heldInSingleKindFolders)));
    if (result.heldHEIC > 0)
        line(QStringLiteral("photo.stack"),
            tr("%Ln HEIC files have no RAW. HEIC files aren’t offered for moving unless you turn "
               "that on in Settings.",
                nullptr, int(result.heldHEIC)));
    if (const qsizetype byTime = result.pairedByTime(); byTime > 0)
        line(QStringLiteral("clock.arrow.2.circlepath"),
            tr("%Ln renamed files were paired by capture time.", nullptr, int(byTime)));
    line(QStringLiteral("exclamationmark.triangle"),
        tr("If Lightroom or Capture One knows about these photos, moved files will show as "
           "missing there."));
    return box;
}
