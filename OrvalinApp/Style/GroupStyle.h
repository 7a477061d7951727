#pragma once

#include "OrphanGroup.h"

#include <QString>

// How a leftover group is shown wherever it appears: sidebar, headers, cards, move summary.
namespace GroupStyle {

QString title(OrphanGroup group);
QString iconName(OrphanGroup group);
QString explanation(OrphanGroup group);

} // namespace GroupStyle
