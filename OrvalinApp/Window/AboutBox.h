#pragma once

#include <QString>

class QWidget;

// The Help menu's "About {app}": the version, the licence and where the project lives, as the
// build was configured.
namespace AboutBox {

QString title();
// Rich text, with the project page as a link.
QString text();
void show(QWidget* parent);

} // namespace AboutBox
