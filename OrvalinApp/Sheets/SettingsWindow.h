#pragma once

#include "MatchOptions.h"

#include <QMap>
#include <QWidget>

class AppModel;
class QCheckBox;
class QTabWidget;

// The matching switches and the privacy note. The switches act on the open folder at once; the
// chosen tab is remembered under "settingsTab".
class SettingsWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SettingsWindow(AppModel& model, QWidget* parent = nullptr);

    // "matching" or "privacy".
    QString currentTab() const;
    void setCurrentTab(const QString& identifier);
    // Shows the window over `owner` and wholly on its screen, or brings it to the front where
    // the user left it.
    void present(const QWidget& owner);
    // The switch bound to an option, for tests.
    QCheckBox* toggle(bool MatchOptions::*field) const;

private:
    QWidget* matchingTab();
    QWidget* privacyTab();
    QCheckBox* addToggle(const QString& label, bool MatchOptions::*field);
    void refresh();

    AppModel& m_model;
    QTabWidget* m_tabs;
    QList<std::pair<bool MatchOptions::*, QCheckBox*>> m_toggles;
};
