#pragma once

#include <QPointer>
#include <QWidget>

class AppModel;
class QLabel;

// Covers its parent while a move, restore or matching runs, with a spinner and the model's
// busy text; clicks and keys do not reach the screen below meanwhile.
class BusyOverlay : public QWidget
{
    Q_OBJECT

public:
    BusyOverlay(AppModel& model, QWidget* parent);

    QString text() const;
    // The widget that had the focus when the overlay took it, while it still exists.
    QWidget* focusBefore() const { return m_focusBefore; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void refresh();

    AppModel& m_model;
    QWidget* m_box;
    QLabel* m_label;
    QPointer<QWidget> m_focusBefore;
};
