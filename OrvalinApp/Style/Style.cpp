#include "Style.h"

#include "Icons.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPalette>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

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
    return colour(tone, palette, palette.currentColorGroup());
}

QColor colour(Tone tone, const QPalette& palette, QPalette::ColorGroup group)
{
    const QColor text = palette.color(group, QPalette::WindowText);
    const QColor window = palette.color(group, QPalette::Window);
    const double share = tone == Tone::primary ? 1.0 : tone == Tone::secondary ? 0.68 : 0.48;
    return QColor::fromRgbF(text.redF() * share + window.redF() * (1 - share),
        text.greenF() * share + window.greenF() * (1 - share),
        text.blueF() * share + window.blueF() * (1 - share));
}

namespace {

class PaletteFollower;

// Tells the followers when the application's palette changes. Only the application and the
// windows hear of that; the widgets inside a window see a palette change of their own, which
// their own colours set off too.
class PaletteWatcher : public QObject
{
public:
    static PaletteWatcher& shared()
    {
        static QPointer<PaletteWatcher> watcher;
        if (!watcher)
            watcher = new PaletteWatcher;
        return *watcher;
    }

    void add(PaletteFollower* follower) { m_followers.append(follower); }
    void remove(PaletteFollower* follower) { m_followers.removeOne(follower); }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    PaletteWatcher()
        : QObject(QCoreApplication::instance())
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

    QList<PaletteFollower*> m_followers;
};

class PaletteFollower : public QObject
{
public:
    PaletteFollower(QWidget* widget, std::function<void()> apply)
        : QObject(widget)
        , m_apply(std::move(apply))
    {
        PaletteWatcher::shared().add(this);
    }

    ~PaletteFollower() override { PaletteWatcher::shared().remove(this); }

    void apply() const { m_apply(); }

private:
    std::function<void()> m_apply;
};

bool PaletteWatcher::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::ApplicationPaletteChange
        && watched == QCoreApplication::instance()) {
        const QList<PaletteFollower*> followers = m_followers;
        for (const PaletteFollower* follower : followers)
            follower->apply();
    }
    return false;
}

constexpr const char* toneProperty = "orvalinTone";

} // namespace

void followPalette(QWidget* widget, std::function<void()> apply)
{
    apply();
    new PaletteFollower(widget, std::move(apply));
}

void setTone(QWidget* widget, Tone tone)
{
    // The tone is kept on the widget, so that a later tone replaces an earlier one.
    const bool following = widget->property(toneProperty).isValid();
    widget->setProperty(toneProperty, int(tone));
    auto apply = [widget] {
        const Tone tone = Tone(widget->property(toneProperty).toInt());
        const QPalette desktop = QApplication::palette();
        // Only the roles set here are the widget's own; the rest follow its parent. Each colour
        // group has its own, so that a window the desktop dims while it is in the background
        // dims its toned texts with the rest.
        QPalette palette;
        for (const auto group : { QPalette::Active, QPalette::Inactive, QPalette::Disabled }) {
            const QColor text = colour(tone, desktop, group);
            palette.setColor(group, QPalette::WindowText, text);
            palette.setColor(group, QPalette::Text, text);
        }
        widget->setPalette(palette);
    };
    if (following)
        apply();
    else
        followPalette(widget, apply);
}

QColor ink(Ink ink)
{
    switch (ink) {
    case Ink::text:
        return {};
    case Ink::secondary:
        return colour(Tone::secondary);
    case Ink::accent:
        return readableAccent();
    case Ink::orange:
        return orange();
    case Ink::green:
        return green();
    }
    return {};
}

QColor accent()
{
    return QApplication::palette().color(QPalette::Highlight);
}

double contrast(const QColor& a, const QColor& b)
{
    auto luminance = [](const QColor& colour) {
        auto channel = [](double value) {
            return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF())
            + 0.0722 * channel(colour.blueF());
    };
    const double first = luminance(a);
    const double second = luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

QColor readableAccent()
{
    const QPalette palette = QApplication::palette();
    const QColor window = palette.color(QPalette::Window);
    const bool dark = isDark(palette);
    // Dark desktops often keep a deep blue highlight that white text reads on well, but that
    // sinks into the window as a shape of its own: lighten (or darken) it until it stands out.
    QColor colour = accent();
    for (int step = 0; step < 20 && contrast(colour, window) < 3.0; ++step)
        colour = dark ? colour.lighter(110) : colour.darker(110);
    return colour;
}

bool isDark(const QPalette& palette)
{
    return palette.color(QPalette::Window).lightness() < 128;
}

// The signal colours are brighter on dark backgrounds, so that they keep their contrast.
QColor orange()
{
    return isDark(QApplication::palette()) ? QColor(0xf5, 0x9a, 0x3e) : QColor(0xd9, 0x73, 0x0d);
}

QColor green()
{
    return isDark(QApplication::palette()) ? QColor(0x4c, 0xc3, 0x6c) : QColor(0x2e, 0x9d, 0x4f);
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

QLabel* iconLabel(const QString& symbol, int size, Ink colour, QWidget* parent)
{
    auto* label = new QLabel(parent);
    followPalette(label, [label, symbol, size, colour] {
        label->setPixmap(Icons::symbol(symbol, ink(colour)).pixmap(size, size));
    });
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
    // Tab goes to the controls inside, never to the frame around them.
    scroll->setFocusPolicy(Qt::NoFocus);
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

namespace {

void paintProminent(QPushButton* button, const QString& symbol)
{
    // A style sheet rather than the palette: styles such as Fusion lighten a button's colour
    // into a gradient, and white text on light blue does not read.
    const QPalette desktop = QApplication::palette(button);
    const QColor fill = desktop.color(QPalette::Active, QPalette::Highlight);
    const QColor text = desktop.color(QPalette::Active, QPalette::HighlightedText);
    const bool dark = isDark(desktop);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: %2; border: 1px solid %3;"
                       " border-radius: 4px; padding: 3px 14px; }"
                       "QPushButton:hover { background: %4; }"
                       "QPushButton:pressed { background: %5; }"
                       "QPushButton:focus { border: 2px solid %6; padding: 2px 13px; }"
                       "QPushButton:disabled { background: %7; color: %8; border-color: %9; }")
            .arg(fill.name(), text.name(), fill.darker(125).name(),
                (dark ? fill.lighter(112) : fill.darker(108)).name(), fill.darker(125).name(),
                desktop.color(QPalette::Active, QPalette::WindowText).name(),
                desktop.color(QPalette::Active, QPalette::Button).name(),
                desktop.color(QPalette::Disabled, QPalette::ButtonText).name(),
                desktop.color(QPalette::Active, QPalette::Mid).name()));
    if (!symbol.isEmpty())
        button->setIcon(Icons::symbol(symbol, text));
}

} // namespace

void makeProminent(QPushButton* button, const QString& symbol)
{
    // As tall as the buttons beside it, which the style sizes.
    button->setMinimumHeight(button->sizeHint().height());
    button->setDefault(true);
    followPalette(button, [button, symbol] { paintProminent(button, symbol); });
}

void widenAlert(QMessageBox& alert)
{
    // QMessageBox sizes its text to a narrow column; a spacer across its grid sets the width.
    auto* grid = qobject_cast<QGridLayout*>(alert.layout());
    if (!grid)
        return;
    const int width = QFontMetrics(alert.font()).averageCharWidth() * 75;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
        grid->rowCount(), 0, 1, grid->columnCount());
}

QPalette darkPalette()
{
    const QColor window(0x2b, 0x2b, 0x2d);
    const QColor text(0xe8, 0xe8, 0xea);
    const QColor muted(0x80, 0x80, 0x84);
    QPalette palette(text, window, window.lighter(160), window.darker(160), window.lighter(120),
        text, QColor(Qt::white), QColor(0x1e, 0x1e, 0x20), window);
    palette.setColor(QPalette::Button, QColor(0x3a, 0x3a, 0x3d));
    palette.setColor(QPalette::AlternateBase, QColor(0x26, 0x26, 0x28));
    palette.setColor(QPalette::Highlight, QColor(0x3d, 0x84, 0xe6));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::Link, QColor(0x6c, 0xaa, 0xff));
    palette.setColor(QPalette::LinkVisited, QColor(0xb0, 0x8c, 0xff));
    palette.setColor(QPalette::ToolTipBase, QColor(0x3a, 0x3a, 0x3d));
    palette.setColor(QPalette::ToolTipText, text);
    palette.setColor(QPalette::PlaceholderText, muted);
    for (QPalette::ColorRole role :
        { QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::HighlightedText })
        palette.setColor(QPalette::Disabled, role, muted);
    palette.setColor(QPalette::Disabled, QPalette::Highlight, QColor(0x4a, 0x4a, 0x4e));
    return palette;
}

void makeBar(QWidget* widget)
{
    widget->setAutoFillBackground(true);
    followPalette(widget, [widget] {
        QPalette palette;
        palette.setColor(
            QPalette::Window, QApplication::palette(widget).color(QPalette::Window).darker(104));
        widget->setPalette(palette);
    });
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
