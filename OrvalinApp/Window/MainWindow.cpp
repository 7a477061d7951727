#include "MainWindow.h"

#include "AboutBox.h"
#include "AppModel.h"
#include "ContentView.h"
#include "Icons.h"
#include "ReturnKey.h"
#include "SettingsWindow.h"
#include "Updater.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

MainWindow::MainWindow(AppModel& model, Updater* updater, QWidget* parent)
    : QMainWindow(parent)
    , m_model(model)
    , m_updater(updater ? updater : new Updater(QUrl(), QApplication::applicationVersion(), this))
{
    m_updater->setWindow(this);
    setObjectName(QStringLiteral("main"));
    setMinimumSize(900, 600);
    resize(1180, 760);
    setUnifiedTitleAndToolBarOnMac(true);

    new ReturnKey(this);
    buildMenus();
    m_content = new ContentView(model, action(Command::reviewMove));
    setCentralWidget(m_content);
    buildToolBar();

    for (auto signal : { &AppModel::rootChanged, &AppModel::phaseChanged,
             &AppModel::scanningChanged, &AppModel::sidebarChanged, &AppModel::selectionChanged,
             &AppModel::resultChanged, &AppModel::progressChanged }) {
        connect(&m_model, signal, this, &MainWindow::refreshActions);
        connect(&m_model, signal, this, &MainWindow::refreshTitle);
    }
    connect(m_content, &ContentView::screenChanged, this, &MainWindow::refreshActions);
    connect(m_content, &ContentView::screenChanged, this, &MainWindow::refreshTitle);
    refreshActions();
    refreshTitle();
}

QAction* MainWindow::action(Command command) const
{
    return m_actions.value(command);
}

QAction* MainWindow::makeAction(Command command, const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, this);
    // Window shortcuts: the keys act on this window, never on the settings window's switches.
    if (!shortcut.isEmpty())
        action->setShortcut(shortcut);
    m_actions.insert(command, action);
    return action;
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(makeAction(
        Command::chooseFolder, tr("Choose Folder…"), QKeySequence(Qt::CTRL | Qt::Key_O)));
    file->addAction(
        makeAction(Command::scanAgain, tr("Scan Again"), QKeySequence(Qt::CTRL | Qt::Key_R)));
    file->addAction(makeAction(
        Command::stopScanning, tr("Stop Scanning"), QKeySequence(Qt::CTRL | Qt::Key_Period)));
    file->addSeparator();
    file->addAction(
        makeAction(Command::settings, tr("Settings…"), QKeySequence(Qt::CTRL | Qt::Key_Comma)));
    file->addSeparator();
    file->addAction(makeAction(Command::quit, tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q)));

    QMenu* files = menuBar()->addMenu(tr("F&iles"));
    files->addAction(makeAction(Command::tickAllInGroup, tr("Tick All in This Group"),
        QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_A)));
    files->addAction(makeAction(Command::untickAllInGroup, tr("Untick All in This Group"),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)));
    files->addAction(makeAction(Command::untickEverything, tr("Untick Everything")));
    files->addSeparator();
    files->addAction(makeAction(
        Command::reviewMove, tr("Review Move…"), QKeySequence(Qt::CTRL | Qt::Key_Return)));
    files->addAction(makeAction(Command::restore, tr("Restore…")));

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    help->addAction(makeAction(Command::checkForUpdates, tr("Check for Updates…")));
    connect(action(Command::checkForUpdates), &QAction::triggered, m_updater,
        &Updater::checkForUpdates);
    help->addSeparator();
    help->addAction(makeAction(Command::about, AboutBox::title()));
    connect(action(Command::about), &QAction::triggered, this, [this] { AboutBox::show(this); });
    QAction* aboutQt = help->addAction(tr("About Qt"));
    connect(aboutQt, &QAction::triggered, qApp, &QApplication::aboutQt);

    connect(action(Command::chooseFolder), &QAction::triggered, this,
        [this] { m_model.chooseFolder(this); });
    connect(action(Command::scanAgain), &QAction::triggered, &m_model, &AppModel::rescan);
    connect(action(Command::stopScanning), &QAction::triggered, &m_model, &AppModel::cancelScan);
    connect(action(Command::tickAllInGroup), &QAction::triggered, this, [this] {
        if (const auto group = shownGroup())
            m_model.setTicked(*group, true);
    });
    connect(action(Command::untickAllInGroup), &QAction::triggered, this, [this] {
        if (const auto group = shownGroup())
            m_model.setTicked(*group, false);
    });
    connect(action(Command::untickEverything), &QAction::triggered, &m_model,
        &AppModel::untickEverything);
    connect(action(Command::reviewMove), &QAction::triggered, &m_model, &AppModel::reviewMove);
    connect(action(Command::restore), &QAction::triggered, this,
        [this] { m_model.setSidebar(SidebarItem::restore()); });
    connect(action(Command::settings), &QAction::triggered, this,
        [this] { settingsWindow()->present(*this); });
    connect(action(Command::quit), &QAction::triggered, this, &QWidget::close);
}

void MainWindow::buildToolBar()
{
    m_toolBar = addToolBar(tr("Toolbar"));
    m_toolBar->setObjectName(QStringLiteral("toolbar"));
    m_toolBar->setMovable(false);
    m_toolBar->setFloatable(false);
    m_toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_toolBar->toggleViewAction()->setEnabled(false);
    setContextMenuPolicy(Qt::NoContextMenu);

    QAction* choose
        = m_toolBar->addAction(Icons::symbol(QStringLiteral("folder")), tr("Choose Folder"));
    choose->setToolTip(tr("Scan another folder"));
    connect(choose, &QAction::triggered, this, [this] { m_model.chooseFolder(this); });

    m_scanTool = m_toolBar->addAction(QString());
    connect(m_scanTool, &QAction::triggered, this, [this] {
        if (m_model.phase().isScanning())
            m_model.cancelScan();
        else
            m_model.rescan();
    });

    auto* tickMenu = new QMenu(this);
    tickMenu->addSection(tr("What did you cull?"));
    const std::pair<OrphanGroup, QString> presets[] = {
        { OrphanGroup::raw, tr("I deleted JPEGs: tick RAWs without a JPEG") },
        { OrphanGroup::jpeg, tr("I deleted RAWs: tick JPEGs without a RAW") },
        { OrphanGroup::sidecar, tr("Tick orphaned sidecars") },
    };
    for (const auto& [group, text] : presets) {
        const OrphanGroup chosen = group;
        connect(tickMenu->addAction(text), &QAction::triggered, this,
            [this, chosen] { m_model.tickGroupAndShow(chosen); });
    }
    tickMenu->addSeparator();
    connect(tickMenu->addAction(tr("Untick Everything")), &QAction::triggered, &m_model,
        &AppModel::untickEverything);
    m_tickButton = new QToolButton;
    m_tickButton->setIcon(Icons::symbol(QStringLiteral("checkmark.circle")));
    m_tickButton->setText(tr("Tick"));
    m_tickButton->setToolTip(tr("Tick a whole group at once (nothing is ticked until you choose)"));
    m_tickButton->setAccessibleDescription(tr("Opens a menu. %1").arg(m_tickButton->toolTip()));
    m_tickButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_tickButton->setPopupMode(QToolButton::InstantPopup);
    m_tickButton->setMenu(tickMenu);
    m_toolBar->addWidget(m_tickButton);
}

SettingsWindow* MainWindow::settingsWindow()
{
    if (!m_settings)
        m_settings = new SettingsWindow(m_model, this);
    return m_settings;
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The settings and quick look windows belong to this one; closing the main window ends the
    // application rather than leaving them behind.
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child->isWindow() && child->isVisible())
            child->close();
    }
    QMainWindow::closeEvent(event);
}

std::optional<OrphanGroup> MainWindow::shownGroup() const
{
    const auto& sidebar = m_model.sidebar();
    if (m_content->screen() != ContentView::Screen::browser || !sidebar || !sidebar->isGroup())
        return std::nullopt;
    return sidebar->group;
}

void MainWindow::refreshActions()
{
    const bool open = m_model.root().has_value();
    const bool scanning = m_model.isScanning();
    const bool ticked = m_model.tickedCount() > 0;
    const bool group = shownGroup().has_value();
    action(Command::scanAgain)->setEnabled(open && !scanning);
    action(Command::stopScanning)->setEnabled(scanning);
    action(Command::tickAllInGroup)->setEnabled(group);
    action(Command::untickAllInGroup)->setEnabled(group);
    action(Command::untickEverything)->setEnabled(ticked);
    action(Command::reviewMove)->setEnabled(ticked);
    action(Command::restore)->setEnabled(open);

    m_toolBar->setVisible(m_content->screen() == ContentView::Screen::browser);
    if (m_model.phase().isScanning()) {
        m_scanTool->setIcon(Icons::symbol(QStringLiteral("stop.circle")));
        m_scanTool->setText(tr("Stop"));
        m_scanTool->setToolTip(tr("Stop scanning"));
    } else {
        m_scanTool->setIcon(Icons::symbol(QStringLiteral("arrow.clockwise")));
        m_scanTool->setText(tr("Scan Again"));
        m_scanTool->setToolTip(tr("Scan the folder again"));
    }
}

void MainWindow::refreshTitle()
{
    if (m_content->screen() != ContentView::Screen::browser) {
        setWindowTitle(m_model.appName());
        return;
    }
    // Desktop title bars have no subtitle line; it follows the title after a dash.
    QString title = QFileInfo(m_model.root().value_or(QString())).fileName();
    if (m_model.phase().isScanning())
        title += QStringLiteral(" — ")
            + tr("Scanning… %Ln files", nullptr, int(m_model.progress().files));
    setWindowTitle(title);
}
