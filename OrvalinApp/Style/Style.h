#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <QVBoxLayout>
#include <functional>

class QFrame;
class QHBoxLayout;
class QLabel;
class QMessageBox;
class QPushButton;
class QWidget;

// The few text styles and colours every screen shares, scaled from the desktop's own font so
// that the window follows the user's font size.
namespace Style {

enum class Text
{
    largeTitle,
    title,
    title2,
    headline,
    body,
    callout,
    caption
};
enum class Tone
{
    primary,
    secondary,
    tertiary
};
// The colours icons are painted in.
enum class Ink
{
    text,
    secondary,
    accent,
    orange,
    green
};

QFont font(Text text);
// Text colour of a tone on the given widget's palette, in its current colour group.
QColor colour(Tone tone, const QWidget* widget = nullptr);
// Text colour of a tone in one colour group of a palette.
QColor colour(Tone tone, const QPalette& palette, QPalette::ColorGroup group);
// Gives the widget's text a tone, now and whenever the desktop's palette changes.
void setTone(QWidget* widget, Tone tone);
QColor ink(Ink ink);

// Runs `apply` now and again whenever the application's palette changes, for colours that are
// worked out from the palette and set on a widget.
void followPalette(QWidget* widget, std::function<void()> apply);

// Whether a palette is a dark one (light text on a dark window).
bool isDark(const QPalette& palette);

QColor accent();
// The accent as a colour of its own (icons, outlines on the window): the accent, made lighter on
// dark windows or darker on light ones until it stands out from the window (a contrast of 3:1).
QColor readableAccent();
// The contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrast(const QColor& a, const QColor& b);
QColor orange();
QColor green();
// The faint grey behind cards and boxes, as a fraction of the text colour.
QColor fill(double opacity);

// A word-wrapping label in a style and tone; selectable text stays off so that clicks go through.
QLabel* label(const QString& text, Text style = Text::body, Tone tone = Tone::primary,
    QWidget* parent = nullptr);
// A fixed-size label showing a symbol, hidden from screen readers because it only decorates.
QLabel* iconLabel(const QString& symbol, int size, Ink ink = Ink::text, QWidget* parent = nullptr);

// A screen's title row (icon and title) over its explanation, as the detail screens open.
QVBoxLayout* screenTitle(const QString& symbol, const QString& title, const QString& explanation);

// A scroll area that keeps `column` centred while it fits and scrolls when it does not.
QWidget* centred(QWidget* column, QWidget* parent = nullptr);

// A thin horizontal line between a screen's header and its content.
QFrame* divider();

// The button a screen is for ("Choose Folder…", "Move {n} Files"): the default button, filled
// with the palette's highlight colour, in light and dark palettes alike; `symbol` is its icon.
void makeProminent(QPushButton* button, const QString& symbol = {});

// Alerts keep a readable line length instead of wrapping their text into a narrow column.
void widenAlert(QMessageBox& alert);

// A dark palette of the kind dark desktop themes give, to look at and test the window under
// when the desktop at hand is light.
QPalette darkPalette();

// A light background for bars along the window's edges.
void makeBar(QWidget* widget);
// The row of a bar: a divider above it, then 16 points of horizontal and 10 of vertical padding.
QHBoxLayout* barLayout(QWidget* bar);

} // namespace Style
