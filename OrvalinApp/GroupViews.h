#pragma once

#include "OrphanGroup.h"

class AppModel;
class QWidget;

// The detail shown for a leftover group, made in one place so that the browser does not need
// to know which widget that is.
namespace GroupViews {

QWidget* make(AppModel& model, OrphanGroup group, QWidget* parent = nullptr);

} // namespace GroupViews
