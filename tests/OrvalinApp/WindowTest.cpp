// The main window as a user meets it: which screen each phase shows, the bars, the toolbar and
// the menus' enabled states.
#include "BrowserView.h"
#include "GroupGridView.h"
#include "ContentView.h"
#include "MainWindow.h"
#include "ModelTestSupport.h"
#include "NoticeBar.h"
#include "OverviewView.h"
#include "RefusalView.h"
#include "RestoreView.h"
#include "ScanningView.h"
#include "SelectionBar.h"
#include "SidebarView.h"
#include "StartView.h"
#include "Updater.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>

namespace {

using Screen = ContentView::Screen;
using Command = MainWindow::Command;

class WindowTest : public ModelTest
{
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        // A pair, one RAW leftover with two sidecars, and a JPEG leftover.
        writeFiles({ "Shoot/A.CR3", "Shoot/A.JPG", "Shoot/B.CR3", "Shoot/B.CR3.xmp", "Shoot/B.xmp",
            "Shoot/C.JPG" });
    }

    bool enabled(Command command) const { return window.action(command)->isEnabled(); }
    Screen screen() const { return window.content()->screen(); }
    BrowserView* browser() const { return window.content()->browserView(); }

    AppModel model { false };
    MainWindow window { model, nullptr };
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

TEST_F(WindowTest, eachPhaseShowsItsScreen)
{
    EXPECT_EQ(screen(), Screen::start);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Orvalin"));

    // The first scan of a folder has no result to show yet.
    model.open(folder.path(), false);
    ASSERT_TRUE(model.phase().isScanning());
    EXPECT_EQ(screen(), Screen::scanning);
    EXPECT_FALSE(window.toolBar()->isVisibleTo(&window));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(screen(), Screen::browser);
    EXPECT_TRUE(window.toolBar()->isVisibleTo(&window));
    EXPECT_EQ(window.windowTitle(), QFileInfo(folder.path()).fileName());

    // A repeated scan keeps the browser, offers Stop and counts in the title.
    model.rescan();
    EXPECT_EQ(screen(), Screen::browser);
    EXPECT_EQ(window.scanToolAction()->text(), QStringLiteral("Stop"));
    EXPECT_EQ(window.scanToolAction()->toolTip(), QStringLiteral("Stop scanning"));
    EXPECT_TRUE(window.windowTitle().contains(QStringLiteral(" — Scanning… ")));
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(window.scanToolAction()->text(), QStringLiteral("Scan Again"));
    EXPECT_EQ(window.windowTitle(), QFileInfo(folder.path()).fileName());

    // A catalog deeper down is met during the walk; its relative path is named.
    folder.write(QStringLiteral("Lightroom/Catalog.lrcat"));
    model.rescan();
    ASSERT_TRUE(settle(model));
    EXPECT_EQ(screen(), Screen::refusal);
    const QString message = window.content()->refusalView()->message();
    EXPECT_TRUE(message.contains(QStringLiteral("(“Lightroom/Catalog.lrcat”)")))
        << message.toStdString();
    EXPECT_TRUE(message.startsWith(QStringLiteral("This folder holds a Lightroom catalog")));
    EXPECT_TRUE(
        labelTexts(window.content()->refusalView()).contains(QStringLiteral("Nothing was moved.")));
}

TEST_F(WindowTest, escapeStopsTheFirstScanAndReturnsToTheStartScreen)
{
    // Enough files that the scan is still walking when the key arrives.
    for (int i = 0; i < 4000; ++i)
        folder.write(QStringLiteral("Many/IMG_%1.JPG").arg(i));
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    model.open(folder.path(), false);
    ASSERT_EQ(screen(), Screen::scanning);
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_TRUE(settle(model));
    EXPECT_TRUE(model.phase().isIdle());
    EXPECT_EQ(screen(), Screen::start);
}

TEST_F(WindowTest, startScreenListsRecentFoldersOnlyWhenThereAreSome)
{
    const auto heading = [this] {
        return labelTexts(window.content()->startView()).contains(QStringLiteral("Recent folders"));
    };
    window.content()->startView()->reloadRecents();
    EXPECT_FALSE(heading());

    Recents::add(folder.path());
    window.content()->startView()->reloadRecents();
    EXPECT_TRUE(heading());
    const auto rows = window.content()->startView()->findChildren<QPushButton*>();
    const auto row = std::find_if(rows.begin(), rows.end(),
        [&](QPushButton* button) { return button->toolTip() == folder.path(); });
    ASSERT_NE(row, rows.end());
    EXPECT_EQ((*row)->text(), QFileInfo(folder.path()).fileName());
}

TEST_F(WindowTest, selectionBarAppearsWithTheTickCount)
{
    openAndSettle(model, folder.path());
    SelectionBar* bar = browser()->selectionBar();
    EXPECT_FALSE(bar->isVisibleTo(browser()));
    EXPECT_FALSE(enabled(Command::reviewMove));
    EXPECT_FALSE(enabled(Command::untickEverything));

    tick(model, { QStringLiteral("Shoot/B.CR3") });
    EXPECT_TRUE(bar->isVisibleTo(browser()));
    // One tick, though the RAW brings two sidecars along.
    EXPECT_EQ(bar->countText(), QStringLiteral("Ticked: 1"));
    EXPECT_TRUE(enabled(Command::reviewMove));
    EXPECT_TRUE(enabled(Command::untickEverything));

    window.action(Command::untickEverything)->trigger();
    EXPECT_FALSE(bar->isVisibleTo(browser()));
}

TEST_F(WindowTest, sidebarBadgesCountAndHideAtZero)
{
    openAndSettle(model, folder.path());
    SidebarView* sidebar = browser()->sidebar();
    EXPECT_EQ(sidebar->badge(SidebarItem::forGroup(OrphanGroup::raw)), 1);
    EXPECT_EQ(sidebar->badge(SidebarItem::forGroup(OrphanGroup::jpeg)), 1);
    EXPECT_EQ(sidebar->badge(SidebarItem::forGroup(OrphanGroup::sidecar)), 0);
    EXPECT_EQ(sidebar->badge(SidebarItem::pairs()), 1);
    EXPECT_EQ(sidebar->badge(SidebarItem::restore()), 0);
    EXPECT_EQ(
        sidebar->row(SidebarItem::forGroup(OrphanGroup::raw))->data(0, Qt::AccessibleTextRole),
        QStringLiteral("RAW without JPEG, 1 files"));

    // Choosing a row shows its screen; a card on the overview does the same.
    sidebar->setCurrentItem(sidebar->row(SidebarItem::restore()));
    EXPECT_EQ(model.sidebar(), SidebarItem::restore());
    EXPECT_EQ(browser()->currentDetail(), browser()->restore());
    model.setSidebar(SidebarItem::overview());
    EXPECT_EQ(sidebar->currentItem(), sidebar->row(SidebarItem::overview()));
    auto cards = browser()->overview()->findChildren<GroupCard*>();
    ASSERT_EQ(cards.size(), 3);
    cards[1]->click();
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::jpeg));
    EXPECT_EQ(browser()->currentDetail(), browser()->groupView(OrphanGroup::jpeg));
}

TEST_F(WindowTest, menuItemsFollowTheirEnabledRules)
{
    EXPECT_TRUE(enabled(Command::chooseFolder));
    EXPECT_FALSE(enabled(Command::scanAgain));
    EXPECT_FALSE(enabled(Command::stopScanning));
    EXPECT_FALSE(enabled(Command::restore));
    EXPECT_FALSE(enabled(Command::tickAllInGroup));

    model.open(folder.path(), false);
    EXPECT_FALSE(enabled(Command::scanAgain));
    EXPECT_TRUE(enabled(Command::stopScanning));
    ASSERT_TRUE(settle(model));
    EXPECT_TRUE(enabled(Command::scanAgain));
    EXPECT_FALSE(enabled(Command::stopScanning));
    EXPECT_TRUE(enabled(Command::restore));

    // Group commands only while a leftover group is shown.
    EXPECT_FALSE(enabled(Command::tickAllInGroup));
    model.setSidebar(SidebarItem::forGroup(OrphanGroup::jpeg));
    EXPECT_TRUE(enabled(Command::tickAllInGroup));
    EXPECT_TRUE(enabled(Command::untickAllInGroup));
    window.action(Command::tickAllInGroup)->trigger();
    EXPECT_EQ(sortedIds(model.selection()), QStringList { QStringLiteral("Shoot/C.JPG") });
    window.action(Command::untickAllInGroup)->trigger();
    EXPECT_TRUE(model.selection().isEmpty());

    window.action(Command::restore)->trigger();
    EXPECT_EQ(model.sidebar(), SidebarItem::restore());
    EXPECT_FALSE(enabled(Command::tickAllInGroup));
    EXPECT_FALSE(enabled(Command::untickAllInGroup));
}

TEST_F(WindowTest, noticeBarOffersSessionButtonsOnlyAfterAMove)
{
    openAndSettle(model, folder.path());
    NoticeBar* bar = browser()->noticeBar();
    EXPECT_FALSE(bar->isVisibleTo(browser()));

    tick(model, { QStringLiteral("Shoot/C.JPG") });
    model.reviewMove();
    ASSERT_TRUE(model.plan());
    model.move(*model.plan());
    ASSERT_TRUE(settle(model));
    ASSERT_TRUE(model.notice() && model.notice()->session);
    EXPECT_TRUE(bar->isVisibleTo(browser()));
    EXPECT_TRUE(bar->showButton()->isVisibleTo(bar));
    EXPECT_TRUE(bar->restoreButton()->isVisibleTo(bar));
    EXPECT_EQ(bar->showButton()->text(), QStringLiteral("Show in File Manager"));
    EXPECT_EQ(browser()->sidebar()->badge(SidebarItem::restore()), 1);

    // A restore's notice names no session, so there is nothing to show or restore from it.
    bar->restoreButton()->click();
    ASSERT_TRUE(settle(model));
    ASSERT_TRUE(model.notice());
    EXPECT_FALSE(model.notice()->session);
    EXPECT_EQ(bar->text(), QStringLiteral("Put back 1 files."));
    EXPECT_FALSE(bar->showButton()->isVisibleTo(bar));
    EXPECT_FALSE(bar->restoreButton()->isVisibleTo(bar));
    EXPECT_TRUE(QFile::exists(folder.at(QStringLiteral("Shoot/C.JPG"))));

    // The session stays listed, put back, with nothing left to restore.
    RestoreView* restore = browser()->restore();
    ASSERT_EQ(restore->rows().size(), 1);
    EXPECT_TRUE(restore->rows().first()->texts().contains(QStringLiteral("Put back")));
    EXPECT_FALSE(restore->restoreAllButton()->isEnabled());

    const auto close = bar->findChildren<QAbstractButton*>();
    const auto dismiss = std::find_if(close.begin(), close.end(), [](QAbstractButton* button) {
        return button->accessibleName() == QStringLiteral("Dismiss");
    });
    ASSERT_NE(dismiss, close.end());
    (*dismiss)->click();
    EXPECT_FALSE(model.notice());
    EXPECT_FALSE(bar->isVisibleTo(browser()));
}

TEST_F(WindowTest, tickMenuPresetsTickAWholeGroupAndShowIt)
{
    openAndSettle(model, folder.path());
    QMenu* menu = window.tickButton()->menu();
    ASSERT_NE(menu, nullptr);
    QStringList items;
    for (QAction* action : menu->actions())
        items << (action->text().isEmpty() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items,
        (QStringList { QStringLiteral("What did you cull?"),
            QStringLiteral("I deleted JPEGs: tick RAWs without a JPEG"),
            QStringLiteral("I deleted RAWs: tick JPEGs without a RAW"),
            QStringLiteral("Tick orphaned sidecars"), QStringLiteral("-"),
            QStringLiteral("Untick Everything") }));
    EXPECT_EQ(window.tickButton()->toolTip(),
        QStringLiteral("Tick a whole group at once (nothing is ticked until you choose)"));

    menu->actions()[1]->trigger();
    EXPECT_EQ(sortedIds(model.selection()), QStringList { QStringLiteral("Shoot/B.CR3") });
    EXPECT_EQ(model.sidebar(), SidebarItem::forGroup(OrphanGroup::raw));
    EXPECT_EQ(browser()->currentDetail(), browser()->groupView(OrphanGroup::raw));
    menu->actions()[2]->trigger();
    EXPECT_EQ(model.selection().size(), 2);
    menu->actions().last()->trigger();
    EXPECT_TRUE(model.selection().isEmpty());
}

TEST_F(WindowTest, errorsShowInAnAlertThatClearsThemWhenClosed)
{
    model.setError(QStringLiteral("The disk went away."));
    QMessageBox* alert = window.content()->alert();
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->text(), QStringLiteral("Something went wrong"));
    EXPECT_EQ(alert->informativeText(), QStringLiteral("The disk went away."));
    alert->button(QMessageBox::Ok)->click();
    EXPECT_FALSE(model.error());
}

TEST_F(WindowTest, helpMenuAboutAndUpdateCheckWithoutAFeed)
{
    QMenu* help = nullptr;
    for (QAction* menu : window.menuBar()->actions()) {
        if (menu->text() == QStringLiteral("&Help"))
            help = menu->menu();
    }
    ASSERT_NE(help, nullptr);
    QStringList items;
    for (QAction* item : help->actions()) {
        if (!item->isSeparator() && item->isVisible() && item->isEnabled())
            items << item->text();
    }
    EXPECT_EQ(items,
        QStringList({ QStringLiteral("Check for Updates…"),
            QStringLiteral("About %1").arg(model.appName()), QStringLiteral("About Qt") }));

    // This build has no update feed: the check says where updates come from.
    QStringList alerts;
    window.updater()->setAlert([&](const QString& title, const QString&) { alerts << title; });
    window.action(Command::checkForUpdates)->trigger();
    EXPECT_EQ(alerts, QStringList({ QStringLiteral("Updates come with your package") }));

    QString about;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            about = box->text();
            box->accept();
        }
    });
    window.action(Command::about)->trigger();
    EXPECT_TRUE(QRegularExpression(QStringLiteral("<b>.+ \\d+\\.\\d+\\.\\d+</b>")).match(about).hasMatch())
        << about.toStdString();
    EXPECT_TRUE(about.contains(QStringLiteral("GPL-3.0-or-later"))) << about.toStdString();
    EXPECT_TRUE(about.contains(QStringLiteral("<a href=\"https://"))) << about.toStdString();
}

} // namespace
