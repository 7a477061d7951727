#include "Style.h"

#include "Icons.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QScrollArea>
#include <QVBoxLayout>

namespace Style {

QFont font(Text text)
{
    QFont font = QApplication::font();
    const qreal base = font.pointSizeF() > 0 ? font.pointSizeF() : 10.0;
    auto scaled = [&](qreal factor, QFont::Weight weight) {
        font.setPointSizeF(base * factor);
        font.setWeight(weight);
        return font;
    };
    switch (text) {
    case Text::largeTitle:
        return scaled(2.0, QFont::DemiBold);
    case Text::title:
        return scaled(1.7, QFont::DemiBold);
    case Text::title2:
        return scaled(1.35, QFont::DemiBold);
    case Text::headline:
        return scaled(1.0, QFont::Bold);
    case Text::body:
        return scaled(1.0, QFont::Normal);
    case Text::callout:
        return scaled(0.93, QFont::Normal);
    case Text::caption:
        return scaled(0.85, QFont::Normal);
    }
    return font;
}

QColor colour(Tone tone, const QWidget* widget)
{
    const QPalette palette = widget ? widget->palette() : QApplication::palette();
    const QColor text = palette.color(QPalette::WindowText);
    const QColor window = palette.color(QPalette::Window);
    const double share = tone == Tone::primary ? 1.0 : tone == Tone::secondary ? 0.68 : 0.48;
    return QColor::fromRgbF(text.redF() * share + window.redF() * (1 - share),
        text.greenF() * share + window.greenF() * (1 - share),
        text.blueF() * share + window.blueF() * (1 - share));
}

void setTone(QWidget* widget, Tone tone)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour(tone, widget));
    palette.setColor(QPalette::Text, colour(tone, widget));
    widget->setPalette(palette);
}

QColor accent()
{
    return QApplication::palette().color(QPalette::Highlight);
}

QColor orange()
{
    return QColor(0xd9, 0x73, 0x0d);
}

QColor green()
{
    return QColor(0x2e, 0x9d, 0x4f);
}

QColor fill(double opacity)
{
    QColor grey = QApplication::palette().color(QPalette::WindowText);
    grey.setAlphaF(opacity);
    return grey;
}

QLabel* label(const QString& text, Text style, Tone tone, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setFont(font(style));
    label->setWordWrap(true);
    label->setTextFormat(Qt::PlainText);
    if (tone != Tone::primary)
        setTone(label, tone);
    return label;
}

QLabel* iconLabel(const QString& symbol, int size, const QColor& colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    const QIcon icon = colour.isValid() ? Icons::symbol(symbol, colour) : Icons::symbol(symbol);
    label->setPixmap(icon.pixmap(size, size));
    label->setFixedSize(size, size);
    label->setAccessibleName(QString());
    label->setFocusPolicy(Qt::NoFocus);
    return label;
}

QVBoxLayout* screenTitle(const QString& symbol, const QString& title, const QString& explanation)
{
    auto* column = new QVBoxLayout;
    column->setSpacing(4);
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    titleRow->addWidget(iconLabel(symbol, 22));
    titleRow->addWidget(label(title, Text::title2), 1);
    column->addLayout(titleRow);
    column->addWidget(label(explanation, Text::body, Tone::secondary));
    return column;
}

QWidget* centred(QWidget* column, QWidget* parent)
{
    auto* scroll = new QScrollArea(parent);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* page = new QWidget;
    auto* rows = new QVBoxLayout(page);
    rows->setContentsMargins(0, 0, 0, 0);
    rows->addStretch(1);
    // No alignment flags here: they would hide the column's height-for-width from the layout
    // and clip its wrapped text. Stretch factors centre it instead.
    auto* columns = new QHBoxLayout;
    columns->addStretch(1);
    columns->addWidget(column, 100);
    columns->addStretch(1);
    column->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    rows->addLayout(columns);
    rows->addStretch(1);
    scroll->setWidget(page);
    return scroll;
}

QFrame* divider()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

void makeBar(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Window).darker(104));
    widget->setPalette(palette);
}

QHBoxLayout* barLayout(QWidget* bar)
{
    auto* outer = new QVBoxLayout(bar);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(divider());
    auto* row = new QHBoxLayout;
    row->setContentsMargins(16, 10, 16, 10);
    row->setSpacing(12);
    outer->addLayout(row);
    return row;
}

} // namespace Style
