#pragma once

#include <QColor>
#include <QIcon>
#include <QString>
#include <QStringList>

// The window's icons, named by the symbol names the screens are designed with ("folder",
// "camera.aperture", ...). Each comes from the desktop's icon theme when the theme has a fitting
// icon, and otherwise from the drawings bundled with the application, so that no icon is blank.
namespace Icons {

// Monochrome icons are painted in the palette's text colour, so that they read on dark desktops.
QIcon symbol(const QString& name);
// The same icon painted in one colour (accent, warning orange, success green), keeping its shape
// and the holes in it; an invalid colour is the palette's text colour.
QIcon symbol(const QString& name, const QColor& colour);

// The bundled drawing alone, whatever the theme holds.
QIcon bundled(const QString& name);
// Every symbol name we can draw.
QStringList names();

} // namespace Icons
