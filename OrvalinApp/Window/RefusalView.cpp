#include "RefusalView.h"

#include "AppModel.h"
#include "Icons.h"
#include "Style.h"

#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

RefusalView::RefusalView(AppModel& model, QWidget* parent)
    : QWidget(parent)
    , m_model(model)
{
    auto* column = new QWidget;
    column->setMaximumWidth(640);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(40, 40, 40, 40);
    layout->setSpacing(16);
    layout->addWidget(Style::iconLabel(QStringLiteral("hand.raised.fill"), 52, Style::Ink::orange),
        0, Qt::AlignHCenter);
    auto* title
        = Style::label(tr("%1 won’t work on this folder").arg(model.appName()), Style::Text::title);
    title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(title);
    m_message = Style::label(QString(), Style::Text::body, Style::Tone::secondary);
    m_message->setAlignment(Qt::AlignHCenter);
    layout->addWidget(m_message);
    auto* nothing
        = Style::label(tr("Nothing was moved."), Style::Text::callout, Style::Tone::secondary);
    nothing->setAlignment(Qt::AlignHCenter);
    layout->addWidget(nothing);

    auto* choose
        = new QPushButton(Icons::symbol(QStringLiteral("folder")), tr("Choose Another Folder…"));
    Style::makeProminent(choose, QStringLiteral("folder"));
    connect(choose, &QPushButton::clicked, this, [this] { m_model.chooseFolder(window()); });
    for (const auto key : { Qt::Key_Return, Qt::Key_Enter }) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, choose, &QPushButton::click);
    }
    layout->addWidget(choose, 0, Qt::AlignHCenter);
    setFocusProxy(choose);
    m_choose = choose;

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Style::centred(column));

    connect(&m_model, &AppModel::phaseChanged, this, &RefusalView::refresh);
    refresh();
}

QString RefusalView::message() const
{
    return m_message->text();
}

void RefusalView::refresh()
{
    if (const auto& refusal = m_model.phase().refusal)
        m_message->setText(refusal->message(m_model.appName()));
    // Screen readers say why with the button that has the focus.
    m_choose->setAccessibleDescription(m_message->text() + u' ' + tr("Nothing was moved."));
}
