#include "RestoreOutcome.h"

RestoreOutcome& RestoreOutcome::operator+=(const RestoreOutcome& other)
{
    restored += other.restored;
    conflicts += other.conflicts;
    missing += other.missing;
    failed += other.failed;
    return *this;
}
