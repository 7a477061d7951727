#pragma once

#include "OrphanGroup.h"

#include <QMainWindow>
#include <QMap>
#include <QPointer>
#include <optional>

class AppModel;
class ContentView;
class QAction;
class QToolBar;
class QToolButton;
class SettingsWindow;
class Updater;

// The one main window: the content for the model's phase, the browser's toolbar, the menus
// with their shortcuts, and the settings window.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    enum class Command
    {
        chooseFolder,
        scanAgain,
        stopScanning,
        tickAllInGroup,
        untickAllInGroup,
        untickEverything,
        reviewMove,
        restore,
        settings,
        checkForUpdates,
        about,
        quit,
    };

    // Without an `updater`, the window makes one without a feed, which only explains where
    // updates come from.
    MainWindow(AppModel& model, Updater* updater, QWidget* parent = nullptr);

    QAction* action(Command command) const;
    ContentView* content() const { return m_content; }
    QToolBar* toolBar() const { return m_toolBar; }
    // The toolbar's Stop / Scan Again button and its Tick menu.
    QAction* scanToolAction() const { return m_scanTool; }
    QToolButton* tickButton() const { return m_tickButton; }
    SettingsWindow* settingsWindow();
    Updater* updater() const { return m_updater; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* makeAction(Command command, const QString& text, const QKeySequence& shortcut = {});
    void buildMenus();
    void buildToolBar();
    void refreshActions();
    void refreshTitle();
    std::optional<OrphanGroup> shownGroup() const;

    AppModel& m_model;
    Updater* m_updater;
    QMap<Command, QAction*> m_actions;
    ContentView* m_content;
    QToolBar* m_toolBar;
    QAction* m_scanTool;
    QToolButton* m_tickButton;
    QPointer<SettingsWindow> m_settings;
};
