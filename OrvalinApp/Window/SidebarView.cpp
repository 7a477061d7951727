#include "SidebarView.h"

#include "AppModel.h"
#include "Formatting.h"
#include "GroupStyle.h"
#include "Icons.h"
#include "RowDelegate.h"
#include "Style.h"

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QPainter>

namespace {

constexpr int itemRole = Qt::UserRole;
constexpr int badgeRole = Qt::UserRole + 1;

// Draws a row's count as a rounded badge at its right edge; a count of 0 draws nothing.
class BadgeDelegate : public RowDelegate
{
public:
    using RowDelegate::RowDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& given,
        const QModelIndex& index) const override
    {
        const QStyleOptionViewItem option = inActiveWindow(given);
        if (!index.data(itemRole).isValid()) {
            // Headings start where their rows' icons start, not at the sidebar's edge.
            QStyleOptionViewItem heading = option;
            const auto* tree = qobject_cast<const QTreeView*>(option.widget);
            heading.rect.setLeft(heading.rect.left() + (tree ? tree->indentation() : 0));
            // Worked out at each paint from the row's own palette, so that the heading follows
            // the desktop and dims with its rows while the window is in the background.
            for (const auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled })
                heading.palette.setColor(group, QPalette::Text,
                    Style::colour(Style::Tone::secondary, option.palette, group));
            QStyledItemDelegate::paint(painter, heading, index);
            return;
        }
        const int count = index.data(badgeRole).toInt();
        QRect badge;
        if (count > 0) {
            const QString text = Formatting::count(count);
            QFont font = option.font;
            font.setPointSizeF(font.pointSizeF() * 0.9);
            const int width = qMax(QFontMetrics(font).horizontalAdvance(text) + 12, 22);
            const int height = QFontMetrics(font).height() + 2;
            badge = QRect(option.rect.right() - width - 6, option.rect.center().y() - height / 2,
                width, height);
            // The row and its highlight span the full width; names are short enough to leave
            // the badge's corner free.
            QStyledItemDelegate::paint(painter, option, index);
            painter->save();
            painter->setRenderHint(QPainter::Antialiasing);
            const bool selected = option.state & QStyle::State_Selected;
            QColor fill = selected ? option.palette.color(QPalette::HighlightedText)
                                   : option.palette.color(QPalette::WindowText);
            fill.setAlphaF(selected ? 0.25 : 0.1);
            painter->setPen(Qt::NoPen);
            painter->setBrush(fill);
            painter->drawRoundedRect(badge, height / 2.0, height / 2.0);
            painter->setFont(font);
            painter->setPen(
                option.palette.color(selected ? QPalette::HighlightedText : QPalette::WindowText));
            painter->drawText(badge, Qt::AlignCenter, text);
            painter->restore();
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(qMax(size.height(), 26));
        return size;
    }
};

} // namespace

SidebarView::SidebarView(AppModel& model, QWidget* parent)
    : QTreeWidget(parent)
    , m_model(model)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(8);
    setFrameShape(QFrame::NoFrame);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setIconSize(QSize(18, 18));
    setItemDelegate(new BadgeDelegate(this));
    setMinimumWidth(220);
    setAutoFillBackground(true);
    Style::followPalette(this, [this] {
        QPalette sidebarPalette;
        sidebarPalette.setColor(
            QPalette::Base, QApplication::palette(this).color(QPalette::Window));
        setPalette(sidebarPalette);
    });

    m_folderSection = addSection(QString());
    addRow(m_folderSection, SidebarItem::overview(), QStringLiteral("chart.bar.doc.horizontal"),
        tr("Overview"));
    QTreeWidgetItem* leftovers = addSection(tr("Leftovers"));
    for (OrphanGroup group : OrphanGroups::allCases())
        addRow(leftovers, SidebarItem::forGroup(group), GroupStyle::iconName(group),
            GroupStyle::title(group));
    addRow(addSection(tr("Kept")), SidebarItem::pairs(), QStringLiteral("rectangle.on.rectangle"),
        tr("Pairs"));
    addRow(addSection(tr("Undo")), SidebarItem::restore(),
        QStringLiteral("arrow.uturn.backward.circle"), tr("Restore"));
    expandAll();

    connect(this, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        if (!current || !current->data(0, itemRole).isValid())
            return;
        for (const auto& [item, row] : std::as_const(m_rows)) {
            if (row == current)
                m_model.setSidebar(item);
        }
    });
    connect(&m_model, &AppModel::sidebarChanged, this, &SidebarView::refreshSelection);
    for (auto signal :
        { &AppModel::resultChanged, &AppModel::sessionsChanged, &AppModel::rootChanged })
        connect(&m_model, signal, this, &SidebarView::refreshCounts);
    refreshCounts();
    refreshSelection();
}

void SidebarView::drawBranches(QPainter*, const QRect&, const QModelIndex&) const
{
    // A list under headings, not a tree: no branch lines, whatever the desktop's style draws.
}

QTreeWidgetItem* SidebarView::addSection(const QString& title)
{
    auto* section = new QTreeWidgetItem(this, { title });
    section->setFlags(Qt::ItemIsEnabled);
    QFont font = Style::font(Style::Text::caption);
    font.setBold(true);
    section->setFont(0, font);
    return section;
}

QTreeWidgetItem* SidebarView::addRow(
    QTreeWidgetItem* section, const SidebarItem& item, const QString& symbol, const QString& title)
{
    auto* row = new QTreeWidgetItem(section, { title });
    row->setIcon(0, Icons::symbol(symbol));
    row->setData(0, itemRole, true);
    row->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_rows.append({ item, row });
    return row;
}

QTreeWidgetItem* SidebarView::row(const SidebarItem& item) const
{
    for (const auto& [candidate, row] : m_rows) {
        if (candidate == item)
            return row;
    }
    return nullptr;
}

int SidebarView::badge(const SidebarItem& item) const
{
    const QTreeWidgetItem* found = row(item);
    return found ? found->data(0, badgeRole).toInt() : 0;
}

void SidebarView::refreshCounts()
{
    m_folderSection->setText(0, QFileInfo(m_model.root().value_or(QString())).fileName());
    const auto& result = m_model.result();
    for (const auto& [item, row] : std::as_const(m_rows)) {
        int count = 0;
        switch (item.kind) {
        case SidebarItem::Kind::group:
            count = int(m_model.candidateCount(*item.group));
            row->setData(0, Qt::AccessibleTextRole,
                tr("%1, %Ln files", nullptr, count).arg(GroupStyle::title(*item.group)));
            break;
        case SidebarItem::Kind::pairs:
            count = result ? int(result->pairs.size()) : 0;
            break;
        case SidebarItem::Kind::restore:
            count = int(m_model.restorableSessions().size());
            break;
        case SidebarItem::Kind::overview:
            break;
        }
        row->setData(0, badgeRole, count);
    }
}

void SidebarView::refreshSelection()
{
    const auto& selected = m_model.sidebar();
    QTreeWidgetItem* target = selected ? row(*selected) : nullptr;
    if (target == currentItem())
        return;
    const QSignalBlocker blocker(this);
    if (target)
        setCurrentItem(target);
    else
        clearSelection();
}
