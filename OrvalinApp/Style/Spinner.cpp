#include "Spinner.h"

#include <QPainter>
#include <QTimerEvent>

namespace {
constexpr int dots = 12;
}

Spinner::Spinner(int diameter, QWidget* parent)
    : QWidget(parent)
    , m_diameter(diameter)
{
    setFixedSize(diameter, diameter);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

QSize Spinner::sizeHint() const
{
    return { m_diameter, m_diameter };
}

void Spinner::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal radius = m_diameter / 2.0;
    const qreal dot = qMax(2.0, m_diameter / 10.0);
    QColor colour = palette().color(QPalette::WindowText);
    for (int i = 0; i < dots; ++i) {
        // The dot at the current step is darkest; the ones behind it fade out.
        const int age = (m_step - i + dots) % dots;
        colour.setAlphaF(1.0 - age * 0.07);
        painter.setPen(QPen(colour, dot, Qt::SolidLine, Qt::RoundCap));
        painter.save();
        painter.rotate(i * 360.0 / dots);
        painter.drawLine(QPointF(0, -radius + dot), QPointF(0, -radius * 0.5));
        painter.restore();
    }
}

void Spinner::showEvent(QShowEvent*)
{
    if (!m_timer)
        m_timer = startTimer(80);
}

void Spinner::hideEvent(QHideEvent*)
{
    if (m_timer)
        killTimer(m_timer);
    m_timer = 0;
}

void Spinner::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer)
        return;
    m_step = (m_step + 1) % dots;
    update();
}
