#pragma once

#include "MovePlan.h"

#include <QJsonObject>
#include <QString>

// A move plan as the move summary shows it: one line per group, the total, the folders.
namespace PlanReport {

QJsonObject json(const MovePlan& plan);
QString text(const MovePlan& plan, const QString& app);

} // namespace PlanReport
