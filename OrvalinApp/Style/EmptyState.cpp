#include "EmptyState.h"

#include "Style.h"

#include <QLabel>
#include <QVBoxLayout>

EmptyState::EmptyState(
    const QString& symbol, const QString& title, const QString& description, QWidget* parent)
    : QWidget(parent)
{
    auto* column = new QWidget;
    column->setMaximumWidth(460);
    auto* layout = new QVBoxLayout(column);
    layout->setSpacing(8);
    layout->addWidget(Style::iconLabel(symbol, 40, Style::Ink::secondary), 0, Qt::AlignHCenter);
    m_title = Style::label(title, Style::Text::title2);
    m_title->setAlignment(Qt::AlignHCenter);
    layout->addWidget(m_title);
    m_description = Style::label(description, Style::Text::body, Style::Tone::secondary);
    m_description->setAlignment(Qt::AlignHCenter);
    layout->addWidget(m_description);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(Style::centred(column));
}

QString EmptyState::title() const
{
    return m_title->text();
}

QString EmptyState::description() const
{
    return m_description->text();
}

void EmptyState::setDescription(const QString& description)
{
    m_description->setText(description);
}
