#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

// The window's icons, named by the symbol names the screens are designed with ("folder",
// "camera.aperture", ...), all drawn by us, one set in one style and weight. Desktop icon themes
// name only about half of these symbols, so taking what a theme has would mix its style and
// sizes with ours on one screen; our drawings are single-colour shapes painted in the palette's
// text colour, so they follow light and dark desktops all the same.
namespace Icons {

// Monochrome icons are painted in the palette's text colour, so that they read on dark desktops.
QIcon symbol(const QString& name);
// The same icon painted in one colour (accent, warning orange, success green), keeping its shape
// and the holes in it; an invalid colour is the palette's text colour.
QIcon symbol(const QString& name, const QColor& colour);

// The drawing as it is, in its own dark grey.
QIcon bundled(const QString& name);
// Every symbol name we can draw.
QStringList names();

} // namespace Icons
