// The window driven by keys alone, and what screen readers find in it through QAccessible.
#include "Accessibility.h"
#include "CandidateCell.h"
#include "CandidateGrid.h"
#include "Formatting.h"
#include "GroupGridView.h"
#include "ModelTestSupport.h"
#include "MoveSummarySheet.h"
#include "NoticeBar.h"
#include "OverviewView.h"
#include "PairsView.h"
#include "RestoreView.h"
#include "SelectionBar.h"
#include "SidebarView.h"
#include "StartView.h"

#include <QAccessible>
#include <QTableView>

namespace {

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

    GroupGridView* showGroup(OrphanGroup group)
    {
        model.setSidebar(SidebarItem::forGroup(group));
        return browser()->groupView(group);
    }

    QWidget* focus() const { return QApplication::focusWidget(); }

    QObjectList checkedChanges;
    int pickerShown = 0;
};

TEST_F(KeyboardTest, cellsAndFolderHeadersAreCheckBoxesAndReturnPressesOnlyWhatHasTheFocus)
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

    // A cell is a check box that says when it is ticked and where it is.
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Home);
    CandidateCell* cell = currentCell(*grid);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(accessibleName(cell), "B.NEF, " + Formatting::byteCount(11) + ", in “Day 1”");
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(cell);
    EXPECT_EQ(reader->role(), QAccessible::CheckBox);
    EXPECT_TRUE(reader->state().checkable);
    for (const bool ticked : { true, false }) {
        QTest::keyClick(grid, Qt::Key_Return);
        EXPECT_EQ(bool(reader->state().checked), ticked);
    }
    EXPECT_EQ(checkedChanges.count(cell), 2);

    // Screen readers meet each folder's header, then its cells, as they are shown.
    QAccessibleInterface* viewport = QAccessible::queryAccessibleInterface(grid->viewport());
    QStringList order;
    for (int i = 0; i < viewport->childCount(); ++i)
        order << viewport->child(i)->text(QAccessible::Name).section(',', 0, 0);
    EXPECT_EQ(order.join(" | "), "Day 1 | B.NEF | Day 2 | C.NEF | D.NEF");

    // A folder header's button is a check box for its own folder; the grid's current file stays
    // as it was.
    QTest::keySequence(grid, QKeySequence("End, Tab"));
    QWidget* header = focus();
    ASSERT_EQ(accessibleName(header), "Tick Folder “Day 1”");
    QAccessibleInterface* headerReader = QAccessible::queryAccessibleInterface(header);
    EXPECT_EQ(headerReader->role(), QAccessible::CheckBox);
    for (const auto key : { Qt::Key_Return, Qt::Key_Space }) {
        QTest::keyClick(header, key);
        EXPECT_EQ(sorted(model.selection()), QStringList({ "Day 1/B.NEF" })) << int(key);
        EXPECT_TRUE(headerReader->state().checked) << int(key);
        EXPECT_EQ(checkedChanges.last(), header) << int(key);
        QTest::keyClick(header, key);
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
    EXPECT_TRUE(model.selection().isEmpty());
}

TEST_F(KeyboardTest, theFocusedCellStaysInViewAndTabReachesEveryHeaderAndLeavesTables)
{
    // Six folders: more headers than the screen holds at once, and more cells.
    for (int i = 0; i < 30; ++i)
        writeFiles({ QString("Day 1/R%1.NEF").arg(i) });
    for (int day = 3; day <= 6; ++day)
        writeFiles({ QString("Day %1/X.NEF").arg(day), QString("Day %1/Y.NEF").arg(day),
            QString("Day %1/Y.JPG").arg(day) });
    openAndSettle();
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    showWindow();
    grid->setFocus();
    // The focused cell stays in full view when the space around it changes.
    QTest::keySequence(grid, QKeySequence("End, Up"));
    expectCurrentShownWhole(*grid);
    // The first tick brings up the selection bar; then the window narrows and goes back.
    QTest::keyClick(grid, Qt::Key_Return);
    QTest::qWait(10);
    EXPECT_TRUE(browser()->selectionBar()->isVisible());
    expectCurrentShownWhole(*grid);
    for (const QSize size : { QSize(900, 600), QSize(1400, 600), QSize(900, 760) }) {
        window.resize(size);
        QTest::qWait(10);
        SCOPED_TRACE(std::to_string(size.width()) + "×" + std::to_string(size.height()));
        expectCurrentShownWhole(*grid);
    }

    // Tab reaches every folder header, then leaves the grid.
    window.resize(900, 600);
    QTest::keyClick(grid, Qt::Key_Home);
    QStringList reached;
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(focus(), Qt::Key_Tab);
        reached << accessibleName(focus());
    }
    EXPECT_EQ(reached.first(), "Tick Folder “Day 1”");
    EXPECT_EQ(reached.last(), "Tick Folder “Day 6”");
    QTest::keyClick(focus(), Qt::Key_Tab);
    EXPECT_FALSE(grid->isAncestorOf(focus()));
    // Back over the six headers to the grid.
    for (int i = 0; i < 7; ++i)
        QTest::keyClick(focus(), Qt::Key_Backtab);
    EXPECT_EQ(focus(), grid);

    // The pairs table is left by Tab, both ways.
    model.setSidebar(SidebarItem::pairs());
    QTableView* table = browser()->pairs()->table();
    for (const auto key : { Qt::Key_Tab, Qt::Key_Backtab }) {
        table->setFocus();
        QTest::keyClick(table, key);
        EXPECT_NE(focus(), table) << int(key);
    }
}

TEST_F(KeyboardTest, theSidebarSkipsHeadingsAndMovesAndRestoresAreReadOutKeepingTheFocus)
{
    openAndSettle();
    showWindow();
    SidebarView* sidebar = browser()->sidebar();
    // What screen readers find of a row.
    const auto rowState = [&](const SidebarItem& item) {
        QAccessibleInterface* tree = QAccessible::queryAccessibleInterface(sidebar);
        for (int i = 0; i < tree->childCount(); ++i) {
            const QString name = tree->child(i)->text(QAccessible::Name);
            if (name == sidebar->row(item)->text(0)
                || name == sidebar->row(item)->data(0, Qt::AccessibleTextRole).toString())
                return tree->child(i)->state();
        }
        return QAccessible::State();
    };
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::raw));
    browser()->focusDetail();
    EXPECT_FALSE(rowState(SidebarItem::forGroup(OrphanGroup::raw)).focused);
    sidebar->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(rowState(SidebarItem::forGroup(OrphanGroup::raw)).focused);

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
    EXPECT_FALSE(rowState(SidebarItem::overview()).expanded);
    browser()->focusDetail();
    EXPECT_FALSE(rowState(SidebarItem::overview()).focused);

    // A move and a restore are read out, and the focus goes back where the user was.
    CandidateGrid* grid = showGroup(OrphanGroup::raw)->grid();
    NoticeBar* notice = browser()->noticeBar();
    struct : QObject
    {
        int shown = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            shown += event->type() == QEvent::Show;
            return false;
        }
    } counter;
    notice->installEventFilter(&counter);
    EXPECT_FALSE(notice->isVisible());

    // The notice of a move offers to show and to restore its session.
    // Ticked, reviewed and moved by keys alone.
    grid->setFocus();
    QTest::keySequence(grid, QKeySequence("Return, Ctrl+Return"));
    ASSERT_TRUE(settle(model));
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() != nullptr; }));
    QTest::keyClick(window.content()->sheet(), Qt::Key_Return);
    // The move starts once the sheet has closed.
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.notice().has_value(); }));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.content()->sheet(), nullptr);
    // The test platform leaves the window inactive once the sheet has gone.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::qWait(10);
    ASSERT_TRUE(model.notice() && model.notice()->session);
    EXPECT_EQ(focus(), grid);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(counter.shown, 1);
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(notice);
    EXPECT_EQ(reader->role(), QAccessible::Notification);
    EXPECT_EQ(reader->text(QAccessible::Name), model.notice()->text);
    EXPECT_TRUE(notice->showButton()->isVisibleTo(notice));
    EXPECT_EQ(notice->showButton()->text(), "Show in File Manager");
    EXPECT_EQ(browser()->sidebar()->badge(SidebarItem::restore()), 1);

    // Restored from the notice: a new notice appears in its place; the button it was on has
    // gone, so the focus goes back to the files.
    notice->restoreButton()->setFocus();
    QTest::keyClick(notice->restoreButton(), Qt::Key_Return);
    ASSERT_TRUE(settle(model));
    QTest::qWait(10);
    EXPECT_EQ(counter.shown, 2);
    EXPECT_EQ(reader->text(QAccessible::Name), "Put back 1 file.");
    EXPECT_EQ(focus(), grid);
    // A restore's notice names no session: nothing to show or restore from it.
    EXPECT_FALSE(notice->showButton()->isVisibleTo(notice));
    EXPECT_FALSE(notice->restoreButton()->isVisibleTo(notice));
    // The session stays listed, with nothing left to restore.
    ASSERT_EQ(browser()->restore()->rows().size(), 1);
    EXPECT_FALSE(browser()->restore()->restoreAllButton()->isEnabled());

    // Restored from the restore screen, the focus stays on that screen, not on the toolbar.
    moveTicked({ "Day 1/B.NEF" });
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

    for (QAbstractButton* button : notice->findChildren<QAbstractButton*>()) {
        if (button->accessibleName() == "Dismiss")
            button->click();
    }
    EXPECT_FALSE(model.notice());
    EXPECT_FALSE(notice->isVisible());
}

} // namespace
