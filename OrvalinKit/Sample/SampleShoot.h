#pragma once

#include <QString>

// Writes a small, fixed example folder of shoots with pairs, leftovers and sidecars.
namespace SampleShoot {

// Creates missing folders and overwrites files of the same names; returns the number of files
// written. Throws OperationError on the first file-system failure.
int create(const QString& root);

} // namespace SampleShoot
