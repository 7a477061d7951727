#pragma once

#include <QWidget>

// An indeterminate progress indicator: a ring of dots turning while work goes on.
class Spinner : public QWidget
{
    Q_OBJECT

public:
    explicit Spinner(int diameter = 32, QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int m_diameter;
    int m_step = 0;
    int m_timer = 0;
};
