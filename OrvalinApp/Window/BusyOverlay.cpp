#include "BusyOverlay.h"

#include "AppModel.h"
#include "Spinner.h"
#include "Style.h"

#include <QEvent>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

namespace {

class Box : public QWidget
{
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor background = palette().color(QPalette::Window);
        background.setAlphaF(0.94);
        painter.setPen(QPen(Style::fill(0.15), 1));
        painter.setBrush(background);
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 12, 12);
    }
};

} // namespace

BusyOverlay::BusyOverlay(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    m_box = new Box(this);
    auto* boxLayout = new QVBoxLayout(m_box);
    boxLayout->setContentsMargins(24, 20, 24, 20);
    boxLayout->setSpacing(12);
    boxLayout->addWidget(new Spinner(28), 0, Qt::AlignHCenter);
    m_label = Style::label(QString());
    m_label->setWordWrap(false);
    m_label->setAlignment(Qt::AlignHCenter);
    boxLayout->addWidget(m_label);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch(1);
    layout->addWidget(m_box, 0, Qt::AlignHCenter);
    layout->addStretch(1);

    parent->installEventFilter(this);
    connect(&m_model, &AppModel::busyChanged, this, &BusyOverlay::refresh);
    refresh();
}

QString BusyOverlay::text() const
{
    return m_label->text();
}

bool BusyOverlay::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parent() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}

void BusyOverlay::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    QColor veil = palette().color(QPalette::Window);
    veil.setAlphaF(0.45);
    painter.fillRect(rect(), veil);
}

void BusyOverlay::refresh()
{
    const auto& busy = m_model.busy();
    m_label->setText(busy.value_or(QString()));
    m_box->setAccessibleName(busy.value_or(QString()));
    // It holds the focus meanwhile, and screen readers say what is going on.
    setAccessibleName(busy.value_or(QString()));
    setGeometry(parentWidget()->rect());
    // Lay out now, not on the next turn of the event loop, so that the box never shows a label
    // sized for the previous text.
    m_box->layout()->activate();
    layout()->activate();
    // The window's own focus widget: the sheet that started a move may still be the active
    // window.
    if (busy && !isVisible())
        m_focusBefore = window()->focusWidget();
    setVisible(busy.has_value());
    if (busy) {
        raise();
        setFocus();
    }
}
