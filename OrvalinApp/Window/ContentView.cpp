#include "ContentView.h"

#include "Accessibility.h"
#include "AppModel.h"
#include "BrowserView.h"
#include "BusyOverlay.h"
#include "Icons.h"
#include "MoveSummarySheet.h"
#include "NoticeBar.h"
#include "RefusalView.h"
#include "ScanningView.h"
#include "StartView.h"
#include "Style.h"

#include <QAccessible>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>

ContentView::ContentView(AppModel& model, QAction* reviewMove, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    m_stack = new QStackedWidget;
    // Screen readers pass over it: it only switches what is shown.
    Accessibility::setRole(m_stack, QAccessible::Client);
    m_start = new StartView(model);
    m_scanning = new ScanningView(model);
    m_refusal = new RefusalView(model);
    m_browser = new BrowserView(model, reviewMove);
    for (QWidget* screen : { static_cast<QWidget*>(m_start), static_cast<QWidget*>(m_scanning),
             static_cast<QWidget*>(m_refusal), static_cast<QWidget*>(m_browser) })
        m_stack->addWidget(screen);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    m_busy = new BusyOverlay(model, this);

    connect(&m_model, &AppModel::phaseChanged, this, &ContentView::showScreen);
    connect(&m_model, &AppModel::resultChanged, this, &ContentView::showScreen);
    connect(&m_model, &AppModel::planChanged, this, &ContentView::presentPlan);
    connect(&m_model, &AppModel::errorChanged, this, &ContentView::presentError);
    // After the overlay's own handler, which hides it.
    connect(&m_model, &AppModel::busyChanged, this, &ContentView::returnFocus);
    showScreen();
}

// When a move, restore or matching is over, the focus goes back where the user was; if that
// control has gone (the selection bar's button after a move), into the screen shown. The notice
// that ends the work comes last, so that screen readers read it out in full.
void ContentView::returnFocus()
{
    if (m_model.busy())
        return;
    NoticeBar* notice = m_browser->noticeBar();
    // A screen reader reads a focused control out with the notice around it, while a notice that
    // only appears can be lost among the many events a move sends: there the focus goes to the
    // notice's first button.
    const auto& shown = m_model.notice();
    if (QAccessible::isActive() && shown && shown->session && screen() == Screen::browser) {
        QMetaObject::invokeMethod(
            notice,
            [notice] {
                notice->present();
                notice->takeFocus();
            },
            Qt::QueuedConnection);
        return;
    }
    QWidget* before = m_busy->focusBefore();
    if (before && before->isVisible() && before->isEnabled()
        && (before->focusPolicy() & Qt::TabFocus))
        before->setFocus(Qt::OtherFocusReason);
    else if (screen() == Screen::browser && !m_browser->focusDetail())
        notice->takeFocus();
    QMetaObject::invokeMethod(notice, &NoticeBar::present, Qt::QueuedConnection);
}

MoveSummarySheet* ContentView::sheet() const
{
    return m_sheet;
}

QMessageBox* ContentView::alert() const
{
    return m_alert;
}

ContentView::Screen ContentView::screen() const
{
    QWidget* current = m_stack->currentWidget();
    if (current == m_scanning)
        return Screen::scanning;
    if (current == m_refusal)
        return Screen::refusal;
    if (current == m_browser)
        return Screen::browser;
    return Screen::start;
}

void ContentView::showScreen()
{
    const AppModel::Phase& phase = m_model.phase();
    QWidget* next = m_start;
    switch (phase.kind) {
    case AppModel::Phase::Kind::idle:
        next = m_start;
        break;
    case AppModel::Phase::Kind::scanning:
        // A repeated scan keeps the previous results on screen while it runs.
        next = m_model.result() ? static_cast<QWidget*>(m_browser) : m_scanning;
        break;
    case AppModel::Phase::Kind::ready:
        next = m_browser;
        break;
    case AppModel::Phase::Kind::refused:
        next = m_refusal;
        break;
    }
    if (next == m_stack->currentWidget())
        return;
    if (next == m_start)
        m_start->reloadRecents();
    m_stack->setCurrentWidget(next);
    // Each screen's main control: the folder button, Stop, or what the browser shows first.
    if (next == m_browser)
        m_browser->focusDetail();
    else
        next->setFocus(Qt::OtherFocusReason);
    Q_EMIT screenChanged();
}

void ContentView::presentPlan()
{
    const auto& plan = m_model.plan();
    if (m_sheet && (!plan || m_sheet->plan() != *plan)) {
        // The model dropped or replaced the plan; this sheet no longer shows it.
        m_sheet->disconnect(this);
        m_sheet->close();
        m_sheet->deleteLater();
        m_sheet = nullptr;
    }
    if (!plan || m_sheet)
        return;
    m_sheet = new MoveSummarySheet(m_model, *plan, false, window());
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_sheet, &MoveSummarySheet::moveConfirmed, this, [this](const MovePlan& confirmed) {
        // The sheet is closed first; the move starts once the event loop is back.
        QTimer::singleShot(0, &m_model, [this, confirmed] { m_model.move(confirmed); });
    });
    connect(m_sheet, &QDialog::finished, this, [this](int) {
        m_sheet = nullptr;
        if (m_model.plan())
            m_model.dismissPlan();
    });
    m_sheet->open();
}

void ContentView::presentError()
{
    const auto& error = m_model.error();
    if (!error) {
        if (m_alert)
            m_alert->close();
        return;
    }
    if (m_alert) {
        m_alert->setInformativeText(*error);
        return;
    }
    m_alert = new QMessageBox(QMessageBox::Warning, tr("Something went wrong"),
        tr("Something went wrong"), QMessageBox::Ok, window());
    m_alert->setInformativeText(*error);
    // Drawn at the screen's pixel density, unlike the style's bitmap.
    m_alert->setIconPixmap(
        Icons::symbol(QStringLiteral("exclamationmark.triangle"), Style::orange()).pixmap(48, 48));
    Style::widenAlert(*m_alert);
    m_alert->setAttribute(Qt::WA_DeleteOnClose);
    m_alert->setWindowModality(Qt::WindowModal);
    connect(m_alert, &QMessageBox::finished, this, [this](int) {
        m_alert = nullptr;
        m_model.clearError();
    });
    m_alert->open();
}
