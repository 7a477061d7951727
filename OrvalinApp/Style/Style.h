#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QVBoxLayout>

class QFrame;
class QHBoxLayout;
class QLabel;
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

QFont font(Text text);
// Text colour of a tone on the given widget's palette.
QColor colour(Tone tone, const QWidget* widget = nullptr);
void setTone(QWidget* widget, Tone tone);

QColor accent();
QColor orange();
QColor green();
// The faint grey behind cards and boxes, as a fraction of the text colour.
QColor fill(double opacity);

// A word-wrapping label in a style and tone; selectable text stays off so that clicks go through.
QLabel* label(const QString& text, Text style = Text::body, Tone tone = Tone::primary,
    QWidget* parent = nullptr);
// A fixed-size label showing a symbol, hidden from screen readers because it only decorates.
QLabel* iconLabel(
    const QString& symbol, int size, const QColor& colour = {}, QWidget* parent = nullptr);

// A screen's title row (icon and title) over its explanation, as the detail screens open.
QVBoxLayout* screenTitle(const QString& symbol, const QString& title, const QString& explanation);

// A scroll area that keeps `column` centred while it fits and scrolls when it does not.
QWidget* centred(QWidget* column, QWidget* parent = nullptr);

// A thin horizontal line between a screen's header and its content.
QFrame* divider();

// A light background for bars along the window's edges.
void makeBar(QWidget* widget);
// The row of a bar: a divider above it, then 16 points of horizontal and 10 of vertical padding.
QHBoxLayout* barLayout(QWidget* bar);

} // namespace Style
