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
#include <QStyledItemDelegate>
#include <QTimer>

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
            paintFocus(painter, option);
            return;
        }
        QStyledItemDelegate::paint(painter, option, index);
        paintFocus(painter, option);
    }

    // The selected row looks the same with and without the focus; a ring inside it tells.
    static void paintFocus(QPainter* painter, const QStyleOptionViewItem& option)
    {
        if (!(option.state & QStyle::State_HasFocus))
            return;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(QPen(
            option.palette.color(selected ? QPalette::HighlightedText : QPalette::Highlight), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRoundedRect(QRectF(option.rect).adjusted(2, 2, -2, -2), 4, 4);
        painter->restore();
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
    // Only the headings open; rows without children would tell screen readers they are open.
    for (int i = 0; i < topLevelItemCount(); ++i)
        topLevelItem(i)->setExpanded(true);
    setAccessibleName(tr("Sidebar"));

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
            row->setData(0, Qt::AccessibleTextRole, tr("Pairs, %1 pairs").arg(count));
            break;
        case SidebarItem::Kind::restore:
            count = int(m_model.restorableSessions().size());
            row->setData(0, Qt::AccessibleTextRole, tr("Restore, %1 moves to restore").arg(count));
            break;
        case SidebarItem::Kind::overview:
            break;
        }
        row->setData(0, badgeRole, count);
    }
}

// The shown entry is selected; it is also the current row, which screen readers take for the
// focused one, only while the sidebar has the focus.
void SidebarView::refreshSelection()
{
    const auto& selected = m_model.sidebar();
    QTreeWidgetItem* target = selected ? row(*selected) : nullptr;
    const QSignalBlocker blocker(this);
    if (!target) {
        clearSelection();
        return;
    }
    if (hasFocus()) {
        if (target != currentItem())
            setCurrentItem(target);
        return;
    }
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    selectionModel()->select(indexFromItem(target), QItemSelectionModel::ClearAndSelect);
}

void SidebarView::focusInEvent(QFocusEvent* event)
{
    // Tab lands on the shown entry.
    refreshSelection();
    QTreeWidget::focusInEvent(event);
    // Once the window has told screen readers that the sidebar has the focus, the view tells
    // them which row has it.
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && currentIndex().isValid())
            currentChanged(currentIndex(), currentIndex());
    });
}

void SidebarView::focusOutEvent(QFocusEvent* event)
{
    QTreeWidget::focusOutEvent(event);
    refreshSelection();
}

// Up, Down, Home and End go from entry to entry, over the headings.
QModelIndex SidebarView::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex landed = QTreeWidget::moveCursor(action, modifiers);
    const bool down
        = action == MoveDown || action == MoveNext || action == MovePageDown || action == MoveEnd;
    // On past a heading the way the key goes, or back the other way at the top or bottom.
    for (const bool onward : { down, !down }) {
        QModelIndex index = landed;
        while (index.isValid() && !index.data(itemRole).isValid())
            index = onward ? indexBelow(index) : indexAbove(index);
        if (index.isValid())
            return index;
    }
    return currentIndex();
}
