#pragma once

#include "ReviewSession.h"

#include <QJsonArray>
#include <QString>

// Past review sessions as `orvalin-cli sessions` lists them.
namespace SessionReport {

// Files waiting because something is back at their original place.
qsizetype waiting(const RestoreLog& log);

QJsonArray json(const QList<ReviewSession>& sessions);
QString text(const QList<ReviewSession>& sessions);

} // namespace SessionReport
