// The window driven by keys alone, and what screen readers find in it through QAccessible.
#include "Accessibility.h"
#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "FolderHeader.h"
#include "Formatting.h"
#include "GroupGridView.h"
#include "ModelTestSupport.h"
#include "MoveSummarySheet.h"
#include "NoticeBar.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "RefusalView.h"
#include "RestoreView.h"
#include "ScanningView.h"
#include "SelectionBar.h"
#include "SettingsWindow.h"
#include "SidebarView.h"
#include "StartView.h"

#include <QAccessible>
#include <QTableView>

namespace {

QString accessibleName(QWidget* widget)
{
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The widgets Tab can reach under `root`, as they are shown.
QList<QWidget*> tabStops(QWidget* root)
{
    QList<QWidget*> stops;
    for (QWidget* widget : root->findChildren<QWidget*>()) {
        if (widget->isVisibleTo(root) && widget->isEnabled()
            && (widget->focusPolicy() & Qt::TabFocus))
            stops << widget;
    }
    return stops;
}

class KeyboardTest : public WindowModelTest
{
protected:
    void SetUp() override
    {
        WindowModelTest::SetUp();
        Accessibility::setWatcher([this](const QAccessibleEvent& event) {
            if (event.type() == QAccessible::StateChanged
                && static_cast<const QAccessibleStateChangeEvent&>(event).changedStates().checked)
                checkedChanges << event.object();
        });
        // Two folders with a leftover each, a pair, and an orphaned sidecar.
        writeFiles({ "Day 1/A.NEF", "Day 1/A.JPG", "Day 1/B.NEF", "Day 2/C.NEF", "Day 2/D.NEF",
            "Day 2/P.NEF", "Day 2/P.JPG", "Day 2/E.xmp" });
        model.setFolderPicker([this](QWidget*, const QString&) {
            ++pickerShown;
            return std::optional<QString>();
        });
    }
    void TearDown() override { Accessibility::setWatcher({}); }

    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    GroupGridView* showGroup(OrphanGroup group)
    {
        model.setSidebar(SidebarItem::forGroup(group));
        return browser()->groupView(group);
    }

    // Ticks what the grid's keyboard focus is on, reviews the move and confirms it, all by keys.
    void moveByKeys(CandidateGrid* grid)
    {
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_Return);
        QTest::keyClick(grid, Qt::Key_Return, Qt::ControlModifier);
        ASSERT_TRUE(settle(model));
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() != nullptr; }));
        QTest::keyClick(window.content()->sheet(), Qt::Key_Return);
        // The move starts once the sheet has closed.
        ASSERT_TRUE(QTest::qWaitFor([&] { return model.notice().has_value(); }));
        ASSERT_TRUE(settle(model));
        // The test platform leaves the window inactive once the sheet has gone.
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        QTest::qWait(10);
    }

    QWidget* focus() const { return QApplication::focusWidget(); }

    QObjectList checkedChanges;
    int pickerShown = 0;
};

TEST_F(KeyboardTest, everyTabStopOnEveryScreenHasANameOfItsOwn)
{
    Recents::add(folder.path());
    window.content()->startView()->reloadRecents();
    QList<std::pair<QString, QWidget*>> screens { { "start", window.content()->startView() } };
    auto check = [&] {
        for (const auto& [screen, root] : std::as_const(screens)) {
            QStringList names;
            for (QWidget* stop : tabStops(root)) {
                const QString name = accessibleName(stop);
                EXPECT_FALSE(name.isEmpty())
                    << screen.toStdString() << ": " << stop->metaObject()->className();
                EXPECT_FALSE(names.contains(name))
                    << screen.toStdString() << ": " << name.toStdString();
                names << name;
            }
            EXPECT_FALSE(names.isEmpty()) << screen.toStdString();
        }
        screens.clear();
    };
    {
        PoolHold hold;
        model.open(folder.path(), false);
        screens << std::pair(QString("scanning"), window.content()->scanningView());
        check();
    }
    ASSERT_TRUE(settle(model));
    tick({ "Day 2/C.NEF" });
    moveTicked();
    tick({ "Day 2/D.NEF" });
    moveTicked();
    QTest::qWait(10);
    // Each detail screen with the notice bar, which names what its buttons act on.
    const std::pair<QString, SidebarItem> details[] = { { "overview", SidebarItem::overview() },
        { "RAW group", SidebarItem::forGroup(OrphanGroup::raw) },
        { "sidecar group", SidebarItem::forGroup(OrphanGroup::sidecar) },
        { "pairs", SidebarItem::pairs() }, { "restore", SidebarItem::restore() } };
    for (const auto& [name, item] : details) {
        model.setSidebar(item);
        screens << std::pair(name, static_cast<QWidget*>(browser()));
        check();
    }
    ASSERT_EQ(browser()->restore()->rows().size(), 2);
    tick({ "Day 1/B.NEF" });
    model.reviewMove();
    ASSERT_TRUE(settle(model));
    screens << std::pair(QString("move summary"), static_cast<QWidget*>(window.content()->sheet()))
            << std::pair(QString("settings"), static_cast<QWidget*>(window.settingsWindow()));
    check();
    EXPECT_TRUE(window.content()->sheet()->moveButton()->accessibleDescription().startsWith(
        "RAW without JPEG: 1 files, 0 sidecars with them"));

    model.dismissPlan();
    folder.write("Catalog.lrcat");
    model.rescan();
    ASSERT_TRUE(settle(model));
    screens << std::pair(QString("refusal"), window.content()->refusalView());
    check();
    // The reason goes with the button that has the focus.
    EXPECT_TRUE(tabStops(window.content()->refusalView())
                    .first()
                    ->accessibleDescription()
                    .startsWith("This folder holds a Lightroom catalog"));
}

TEST_F(KeyboardTest, cellsAreCheckBoxesThatSayWhenTheyAreTickedAndWhereTheyAre)
{
    openAndSettle();
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    showWindow();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Home);
    CandidateCell* cell = grid->cellWidget(*grid->currentCell());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(accessibleName(cell), "B.NEF, " + Formatting::byteCount(11) + ", in “Day 1”");
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(cell);
    EXPECT_EQ(reader->role(), QAccessible::CheckBox);
    EXPECT_TRUE(reader->state().checkable);
    EXPECT_FALSE(reader->state().checked);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_TRUE(reader->state().checked);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_FALSE(reader->state().checked);
    EXPECT_EQ(checkedChanges.count(cell), 2);

    // Screen readers meet each folder's header, then its cells, as they are shown.
    QAccessibleInterface* viewport = QAccessible::queryAccessibleInterface(grid->viewport());
    QStringList order;
    for (int i = 0; i < viewport->childCount(); ++i)
        order << viewport->child(i)->text(QAccessible::Name).section(',', 0, 0);
    EXPECT_EQ(order.join(" | "), "Day 1 | B.NEF | Day 2 | C.NEF | D.NEF");

    // A folder header's button is a check box for its whole folder, whose text flips between
    // Tick Folder and Untick Folder.
    QPushButton* header = grid->visibleHeaders().first()->button();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(header)->role(), QAccessible::CheckBox);
    header->click();
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(header)->state().checked);
    EXPECT_EQ(checkedChanges.last(), header);
}

TEST_F(KeyboardTest, returnOnAFocusedButtonPressesThatButtonAndNothingElse)
{
    // A recent folder opens, not the folder picker.
    Recents::add(folder.path());
    window.content()->startView()->reloadRecents();
    showWindow();
    auto* recent = tabStops(window.content()->startView()).last();
    ASSERT_EQ(qobject_cast<QPushButton*>(recent)->text(), QFileInfo(folder.path()).fileName());
    recent->setFocus();
    QTest::keyClick(recent, Qt::Key_Return);
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(pickerShown, 0);
    EXPECT_EQ(model.root(), folder.path());

    // A folder header's button ticks its own folder; the grid's current file stays as it was.
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_End);
    QTest::keyClick(grid, Qt::Key_Tab);
    ASSERT_EQ(accessibleName(focus()), "Tick Folder “Day 1”");
    for (const auto key : { Qt::Key_Return, Qt::Key_Space }) {
        QTest::keyClick(focus(), key);
        EXPECT_EQ(sortedIds(model.selection()), QStringList({ "Day 1/B.NEF" })) << int(key);
        QTest::keyClick(focus(), key);
        EXPECT_TRUE(model.selection().isEmpty()) << int(key);
    }

    // An overview card opens its group on Return, and the focus goes to the group's files.
    model.setSidebar(SidebarItem::overview());
    QTest::qWait(10);
    auto cards = browser()->overview()->findChildren<GroupCard*>();
    ASSERT_EQ(cards.size(), 3);
    cards[0]->setFocus();
    QTest::keyClick(cards[0], Qt::Key_Return);
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::raw));
    EXPECT_EQ(focus(), grid);
    QTest::keyClick(focus(), Qt::Key_Space);
    EXPECT_TRUE(model.selection().isEmpty());
}

TEST_F(KeyboardTest, tabReachesEveryFolderHeaderAndLeavesThePairsTable)
{
    // Six folders: more headers than the screen holds at once.
    for (int day = 3; day <= 6; ++day)
        writeFiles({ QString("Day %1/X.NEF").arg(day), QString("Day %1/Y.NEF").arg(day),
            QString("Day %1/Y.JPG").arg(day) });
    openAndSettle();
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    window.resize(900, 600);
    showWindow();
    grid->setFocus();
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(focus(), Qt::Key_Tab);
        reached << accessibleName(focus());
    }
    EXPECT_EQ(reached.first(), "Tick Folder “Day 1”");
    EXPECT_EQ(reached.last(), "Tick Folder “Day 6”");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_FALSE(grid->isAncestorOf(focus()));
    QTest::keyClick(focus(), Qt::Key_Backtab);
    for (int i = 0; i < 6; ++i)
        QTest::keyClick(focus(), Qt::Key_Backtab);
    EXPECT_EQ(focus(), grid);

    // The pairs table is left by Tab, both ways.
    model.setSidebar(SidebarItem::pairs());
    QTableView* table = browser()->pairs()->table();
    table->setFocus();
    for (const auto key : { Qt::Key_Tab, Qt::Key_Backtab }) {
        table->setFocus();
        QTest::keyClick(table, key);
        EXPECT_NE(focus(), table) << int(key);
    }
}

TEST_F(KeyboardTest, theFocusedCellStaysInFullViewWhenTheSpaceAroundItChanges)
{
    for (int i = 0; i < 30; ++i)
        writeFiles({ QString("Day 1/R%1.NEF").arg(i) });
    openAndSettle();
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    showWindow();
    grid->setFocus();
    const auto shownWhole = [&] {
        CandidateCell* cell
            = grid->currentCell() ? grid->cellWidget(*grid->currentCell()) : nullptr;
        return cell && grid->viewport()->rect().contains(cell->geometry());
    };
    QTest::keyClick(grid, Qt::Key_End);
    QTest::keyClick(grid, Qt::Key_Up);
    ASSERT_TRUE(shownWhole());
    // The first tick brings up the selection bar; then the window narrows and goes back.
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_TRUE(browser()->selectionBar()->isVisible());
    EXPECT_TRUE(shownWhole());
    for (const QSize size : { QSize(900, 600), QSize(1400, 600), QSize(900, 760) }) {
        window.resize(size);
        QTest::qWait(10);
        EXPECT_TRUE(shownWhole()) << size.width() << "×" << size.height();
    }
}

TEST_F(KeyboardTest, aMoveAndARestoreAreReadOutAndTheFocusGoesBackWhereTheUserWas)
{
    openAndSettle();
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    showWindow();
    NoticeBar* notice = browser()->noticeBar();
    int shown = 0;
    struct Counter : QObject
    {
        int& count;
        Counter(int& count)
            : count(count)
        {
        }
        bool eventFilter(QObject*, QEvent* event) override
        {
            count += event->type() == QEvent::Show;
            return false;
        }
    } counter(shown);
    notice->installEventFilter(&counter);

    moveByKeys(grid);
    ASSERT_TRUE(model.notice());
    EXPECT_EQ(focus(), grid);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(shown, 1);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(notice);
    EXPECT_EQ(reader->role(), QAccessible::Notification);
    EXPECT_EQ(reader->text(QAccessible::Name), model.notice()->text);

    // Restored from the notice: a new notice appears in its place; the button it was on has
    // gone, so the focus goes back to the files.
    notice->restoreButton()->setFocus();
    QTest::keyClick(notice->restoreButton(), Qt::Key_Return);
    ASSERT_TRUE(settle(model));
    QTest::qWait(10);
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(reader->text(QAccessible::Name), "Put back 1 file.");
    EXPECT_EQ(focus(), grid);

    // Restored from the restore screen, the focus stays on that screen, not on the toolbar.
    tick({ "Day 1/B.NEF" });
    moveTicked();
    model.setSidebar(SidebarItem::restore());
    QList<SessionRow*> rows = browser()->restore()->rows();
    ASSERT_EQ(rows.size(), 2);
    QPushButton* restore = rows.first()->restoreButton();
    restore->setFocus();
    QTest::keyClick(restore, Qt::Key_Space);
    ASSERT_TRUE(settle(model));
    QTest::qWait(10);
    EXPECT_TRUE(browser()->restore()->isAncestorOf(window.focusWidget()))
        << accessibleName(window.focusWidget()).toStdString();
}

TEST_F(KeyboardTest, theSidebarTakesTheFocusOnItsShownRowAndArrowsSkipTheHeadings)
{
    openAndSettle();
    showWindow();
    SidebarView* sidebar = browser()->sidebar();
    const auto rowFocused = [&](const SidebarItem& item) {
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(sidebar);
        for (int i = 0; i < tree->childCount(); ++i) {
            QAccessibleInterface* row = tree->child(i);
            if (row->text(QAccessible::Name) == sidebar->row(item)->text(0)
                || row->text(QAccessible::Name)
                    == sidebar->row(item)->data(0, Qt::AccessibleTextRole).toString())
                return bool(row->state().focused);
        }
        return false;
    };
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::raw));
    browser()->focusDetail();
    EXPECT_FALSE(rowFocused(SidebarItem::forGroup(OrphanGroup::raw)));
    sidebar->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(rowFocused(SidebarItem::forGroup(OrphanGroup::raw)));

    const std::pair<Qt::Key, SidebarItem> steps[] = { { Qt::Key_Up, SidebarItem::overview() },
        { Qt::Key_Down, SidebarItem::forGroup(OrphanGroup::raw) },
        { Qt::Key_End, SidebarItem::restore() }, { Qt::Key_Up, SidebarItem::pairs() },
        { Qt::Key_Up, SidebarItem::forGroup(OrphanGroup::sidecar) },
        { Qt::Key_Down, SidebarItem::pairs() }, { Qt::Key_Home, SidebarItem::overview() } };
    for (const auto& [key, item] : steps) {
        QTest::keyClick(sidebar, key);
        EXPECT_EQ(model.sidebar(), item) << int(key);
    }
    // Tab goes on to the overview's cards, though they were made after the toolbar.
    QTest::qWait(10);
    QTest::keyClick(sidebar, Qt::Key_Tab);
    EXPECT_NE(qobject_cast<GroupCard*>(focus()), nullptr)
        << (focus() ? focus()->metaObject()->className() : "none");
    for (const auto& [item, text] : { std::pair(SidebarItem::pairs(), "Pairs, 2 pairs"),
             std::pair(SidebarItem::restore(), "Restore, 0 moves to restore") })
        EXPECT_EQ(sidebar->row(item)->data(0, Qt::AccessibleTextRole), text);

    // Rows without children are not open; once the focus has gone, no row claims it.
    QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(sidebar);
    for (int i = 0; i < tree->childCount(); ++i) {
        QAccessibleInterface* row = tree->child(i);
        if (row->text(QAccessible::Name) == "Overview") {
            EXPECT_FALSE(row->state().expanded);
        }
    }
    browser()->focusDetail();
    EXPECT_FALSE(rowFocused(SidebarItem::overview()));
}

} // namespace
