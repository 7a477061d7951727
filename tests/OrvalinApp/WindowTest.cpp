// The main window as a user meets it: which screen each phase shows, the bars, the toolbar, the
// menus' enabled states, and the move summary sheet.
#include "GroupGridView.h"
#include "ModelTestSupport.h"
#include "MoveSummarySheet.h"
#include "OverviewView.h"
#include "RefusalView.h"
#include "RestoreView.h"
#include "ScanningView.h"
#include "SelectionBar.h"
#include "SidebarView.h"
#include "StartView.h"
#include "Updater.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {

using Screen = ContentView::Screen;
using Command = MainWindow::Command;

class WindowTest : public WindowModelTest
{
protected:
    void SetUp() override
    {
        WindowModelTest::SetUp();
        // A pair, one RAW leftover with two sidecars, and a JPEG leftover.
        writeFiles({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/B.CR3", "Shoot/B.CR3.xmp", "Shoot/B.xmp",
            "Shoot/C.JPG" });
    }

    // The screen shown, the toolbar if it shows, and the enabled commands that follow the state.
    QSet<QString> state() const
    {
        static const char* const screens[] = { "start", "scanning", "refusal", "browser" };
        QSet<QString> seen { screens[int(window.content()->screen())] };
        if (window.toolBar()->isVisibleTo(&window))
            seen << "toolbar";
        for (int command = int(Command::chooseFolder); command <= int(Command::restore);
             ++command) {
            if (window.action(Command(command))->isEnabled())
                seen << window.action(Command(command))->text();
        }
        return seen;
    }

    const QSet<QString> browsing { "browser", "toolbar", "Choose Folder…", "Scan Again",
        "Restore…" };
};

QStringList labelTexts(const QWidget* widget)
{
    QStringList texts;
    for (const QLabel* label : widget->findChildren<QLabel*>()) {
        if (label->isVisibleTo(widget) && !label->text().isEmpty())
            texts << label->text();
    }
    return texts;
}

// A menu as it reads, "-" for a separator; only what can be chosen.
QStringList menuTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (action->isVisible() && action->isEnabled())
            texts << (action->text().isEmpty() ? "-" : action->text());
    }
    return texts;
}

TEST_F(WindowTest, eachPhasesScreenAndCommandsTheTickMenuSidebarEscapeAndAlertsWorkAsSeen)
{
    // The start screen lists recent folders once there are some.
    StartView* start = window.content()->startView();
    start->reloadRecents();
    EXPECT_FALSE(labelTexts(start).contains("Recent folders"));
    Recents::add(folder.path());
    start->reloadRecents();
    EXPECT_TRUE(labelTexts(start).contains("Recent folders"));
    EXPECT_EQ(tabStops(start).last()->toolTip(), folder.path());
    EXPECT_EQ(state(), QSet<QString>({ "start", "Choose Folder…" }));
    EXPECT_EQ(window.windowTitle(), "Orvalin");

    // Escape stops the first scan, which goes back to the start.
    showWindow();
    {
        PoolHold hold;
        model.open(folder.path(), false);
        ASSERT_EQ(window.content()->screen(), Screen::scanning);
        QTest::keyClick(&window, Qt::Key_Escape);
    }
    ASSERT_TRUE(settle(model));
    EXPECT_TRUE(model.phase().isIdle());
    EXPECT_FALSE(model.error() || model.result());
    EXPECT_EQ(window.content()->screen(), Screen::start);

    // The first scan of a folder has no result to show yet.
    model.open(folder.path(), false);
    ASSERT_TRUE(model.phase().isScanning());
    EXPECT_EQ(
        state(), QSet<QString>({ "scanning", "Choose Folder…", "Stop Scanning", "Restore…" }));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(state(), browsing);
    EXPECT_EQ(window.windowTitle(), QFileInfo(folder.path()).fileName());

    // Group commands only while a leftover group is shown.
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::jpeg));
    const QSet<QString> inGroup
        = browsing + QSet<QString>({ "Tick All in This Group", "Untick All in This Group" });
    EXPECT_EQ(state(), inGroup);
    window.action(Command::tickAllInGroup)->trigger();
    EXPECT_EQ(sorted(model.selection()), QStringList { "Shoot/C.JPG" });
    window.action(Command::untickAllInGroup)->trigger();
    EXPECT_TRUE(model.selection().isEmpty());
    window.action(Command::restore)->trigger();
    EXPECT_EQ(model.sidebar(), SidebarItem::restore());
    EXPECT_EQ(state(), browsing);

    // A repeated scan keeps the browser, offers Stop and counts in the title.
    model.rescan();
    EXPECT_EQ(window.content()->screen(), Screen::browser);
    EXPECT_EQ(window.scanToolAction()->text(), "Stop");
    EXPECT_EQ(window.scanToolAction()->toolTip(), "Stop scanning");
    EXPECT_TRUE(window.windowTitle().contains(" — Scanning… "));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.scanToolAction()->text(), "Scan Again");
    EXPECT_EQ(window.windowTitle(), QFileInfo(folder.path()).fileName());

    // The Tick menu's presets tick a whole group; the selection bar counts the ticks.
    SelectionBar* selectionBar = browser()->selectionBar();
    EXPECT_FALSE(selectionBar->isVisibleTo(browser()));
    EXPECT_EQ(state(), browsing);
    QMenu* menu = window.tickButton()->menu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menuTexts(menu),
        QStringList({ "What did you cull?", "I deleted JPEGs: tick RAWs without a JPEG",
            "I deleted RAWs: tick JPEGs without a RAW", "Tick orphaned sidecars", "-",
            "Untick Everything" }));
    EXPECT_EQ(window.tickButton()->toolTip(),
        "Tick a whole group at once (nothing is ticked until you choose)");

    menu->actions()[1]->trigger();
    EXPECT_EQ(sorted(model.selection()), QStringList { "Shoot/B.CR3" });
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::raw));
    EXPECT_TRUE(selectionBar->isVisibleTo(browser()));
    // One tick, though the RAW brings two sidecars along.
    EXPECT_EQ(selectionBar->countText(), "Ticked: 1");
    EXPECT_EQ(state(), inGroup + QSet<QString>({ "Untick Everything", "Review Move…" }));
    menu->actions()[2]->trigger();
    EXPECT_EQ(model.selection().size(), 2);
    menu->actions().last()->trigger();
    EXPECT_TRUE(model.selection().isEmpty());
    EXPECT_FALSE(selectionBar->isVisibleTo(browser()));

    // Sidebar badges count, and a row or a card shows its screen.
    SidebarView* sidebar = browser()->sidebar();
    const std::pair<SidebarItem, int> badges[] = { { SidebarItem::forGroup(OrphanGroup::raw), 1 },
        { SidebarItem::forGroup(OrphanGroup::jpeg), 1 },
        { SidebarItem::forGroup(OrphanGroup::sidecar), 0 }, { SidebarItem::pairs(), 1 },
        { SidebarItem::restore(), 0 } };
    for (const auto& [item, count] : badges)
        EXPECT_EQ(sidebar->badge(item), count);
    EXPECT_EQ(
        sidebar->row(SidebarItem::forGroup(OrphanGroup::raw))->data(0, Qt::AccessibleTextRole),
        "RAW without JPEG, 1 file");

    // Choosing a row shows its screen; a card on the overview does the same.
    sidebar->setCurrentItem(sidebar->row(SidebarItem::restore()));
    EXPECT_EQ(model.sidebar(), SidebarItem::restore());
    EXPECT_EQ(browser()->currentDetail(), browser()->restore());
    model.setSidebar(SidebarItem::overview());
    EXPECT_EQ(sidebar->selectedItems(), QList({ sidebar->row(SidebarItem::overview()) }));
    // The overview rebuilds once the scan's news has all come in, on the next turn of the loop.
    QList<GroupCard*> cards;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        cards = browser()->overview()->findChildren<GroupCard*>();
        return cards.size() == 3;
    }));
    cards[1]->click();
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::jpeg));
    EXPECT_EQ(browser()->currentDetail(), browser()->groupView(OrphanGroup::jpeg));

    // A catalog deeper down is met during the walk; its relative path is named.
    folder.write("Lightroom/Catalog.lrcat");
    model.rescan();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.content()->screen(), Screen::refusal);
    const QString message = window.content()->refusalView()->message();
    EXPECT_TRUE(message.contains("(“Lightroom/Catalog.lrcat”)")) << message.toStdString();
    EXPECT_TRUE(labelTexts(window.content()->refusalView()).contains("Nothing was moved."));

    // Errors show in a readable alert that clears them; the Help menu answers.
    const QString error = "Nothing was moved: Couldn’t create the folder “/home/someone/Pictures/"
                          "Shoots/Orvalin Review/2026-10-05 at 14.03.12”: Permission denied.";
    model.setError(error);
    QMessageBox* alert = window.content()->alert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), "Something went wrong");
    EXPECT_EQ(alert->informativeText(), error);
    // A readable line length: unwidened, the text wrapped at about 160 points, some 25 characters.
    alert->show();
    QApplication::processEvents();
    const auto* label = alert->findChild<QLabel*>("qt_msgbox_informativelabel");
    ASSERT_TRUE(label && label->text() == error);
    EXPECT_GE(label->width(), QFontMetrics(alert->font()).averageCharWidth() * 45);
    alert->button(QMessageBox::Ok)->click();
    EXPECT_FALSE(model.error());

    QAction* help = window.menuBar()->actions().last();
    EXPECT_EQ(help->text(), "&Help");
    EXPECT_EQ(menuTexts(help->menu()),
        QStringList(
            { "Check for Updates…", "-", QString("About %1").arg(model.appName()), "About Qt" }));

    // This build has no update feed: the check says where updates come from.
    QStringList alerts;
    window.updater()->setAlert([&](const QString& title, const QString&) { alerts << title; });
    window.action(Command::checkForUpdates)->trigger();
    EXPECT_EQ(alerts, QStringList({ "Updates come with your package" }));

    QString about;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            about = box->text();
            box->accept();
        }
    });
    window.action(Command::about)->trigger();
    EXPECT_TRUE(QRegularExpression("<b>.+ \\d+\\.\\d+\\.\\d+</b>").match(about).hasMatch());
    EXPECT_TRUE(about.contains("GPL-3.0-or-later"));
    EXPECT_TRUE(about.contains("<a href=\"https://")) << about.toStdString();
}

// The move summary: what it counts, and that only its move button moves anything.
using MoveSummarySheetTest = WindowModelTest;

TEST_F(MoveSummarySheetTest, countsFilesAndFoldersEscapeKeepsTheTicksAndOnlyItsMoveButtonMoves)
{
    scan({ "IMG_1.CR3", "IMG_1.CR3.xmp", "IMG_1.xmp", "IMG_2.CR3", "IMG_2.JPG", "Sub/IMG_3.CR3",
        "Sub/IMG_4.CR3", "Sub/IMG_4.JPG" });
    const auto review = [&] {
        model.reviewMove();
        settle(model);
        return window.content()->sheet();
    };
    tick({ "IMG_1.CR3", "Sub/IMG_3.CR3" });
    MoveSummarySheet* sheet = review();
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(sheet->texts().contains("The files come from 2 folders."));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.content()->sheet() == nullptr; }));
    EXPECT_FALSE(model.plan());
    EXPECT_EQ(model.selection().size(), 2);

    // A showcase sheet only shows the plan: its button and Return do nothing.
    MoveSummarySheet showcase(
        model, MovePlan::make(model.result()->allCandidates(), model.selection()), true);
    showcase.show();
    QTest::keyClick(&showcase, Qt::Key_Return);
    showcase.moveButton()->click();
    QTest::qWait(50);
    EXPECT_TRUE(showcase.isVisible());
    EXPECT_FALSE(model.busy());
    EXPECT_TRUE(QFile::exists(folder.at("IMG_1.CR3")));

    // A RAW with two sidecars counts as three files from one folder.
    tick({ "Sub/IMG_3.CR3" });
    sheet = review();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->moveButton()->text(), "Move 3 Files");
    EXPECT_TRUE(sheet->moveButton()->isDefault());
    // The RAW line: 1 ticked file, 2 sidecars; then the total of 3, each file holding its path.
    EXPECT_EQ(sheet->texts(),
        QStringList({ "Move 3 files?", "This is a dry run: nothing has moved yet.", "Group",
            "Files", "Sidecars with them", "Size", "RAW without JPEG", "1", "2", "31 bytes",
            "Total", "3", "31 bytes", "The files come from 1 folder.",
            "Files move to “Orvalin Review” in this folder, keeping their folders, with a "
            "restore log. Look them over, then delete the review folder yourself when you’re "
            "sure." }));
}

} // namespace
