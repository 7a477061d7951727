#pragma once

#include <QPointer>
#include <QWidget>

class AppModel;
class BrowserView;
class BusyOverlay;
class MoveSummarySheet;
class QAction;
class QMessageBox;
class QStackedWidget;
class RefusalView;
class ScanningView;
class StartView;

// The main window's content: the screen for the model's phase, and over it the busy overlay,
// the move summary sheet and the error alert.
class ContentView : public QWidget
{
    Q_OBJECT

public:
    enum class Screen
    {
        start,
        scanning,
        refusal,
        browser
    };

    ContentView(AppModel& model, QAction* reviewMove, QWidget* parent = nullptr);

    Screen screen() const;
    StartView* startView() const { return m_start; }
    ScanningView* scanningView() const { return m_scanning; }
    RefusalView* refusalView() const { return m_refusal; }
    BrowserView* browserView() const { return m_browser; }
    BusyOverlay* busyOverlay() const { return m_busy; }
    MoveSummarySheet* sheet() const;
    QMessageBox* alert() const;

Q_SIGNALS:
    void screenChanged();

private:
    void showScreen();
    void presentPlan();
    void presentError();
    void returnFocus();

    AppModel& m_model;
    QStackedWidget* m_stack;
    StartView* m_start;
    ScanningView* m_scanning;
    RefusalView* m_refusal;
    BrowserView* m_browser;
    BusyOverlay* m_busy;
    QPointer<MoveSummarySheet> m_sheet;
    QPointer<QMessageBox> m_alert;
};
