#pragma once

#include "RestoreLog.h"

#include <QByteArray>

// The long restore log decoded last, kept with its bytes. Listing the sessions and then
// restoring one reads the same log twice in a row, and decoding a long log costs far more than
// reading it: the very same bytes give back the same log, handed out once and then forgotten,
// while any change to the file is new bytes, decoded afresh. Safe to call from several threads.
namespace LastReadLog {

// `data` decoded, or the log last decoded from exactly these bytes. Throws CodingError.
RestoreLog decoded(const QByteArray& data);

} // namespace LastReadLog
