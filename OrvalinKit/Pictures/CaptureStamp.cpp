#include "CaptureStamp.h"

namespace {

bool agreeWhereBothPresent(const std::optional<QString>& a, const std::optional<QString>& b)
{
    return !a || !b || *a == *b;
}

} // namespace

bool CaptureStamp::matches(const CaptureStamp& other) const
{
    return date == other.date && agreeWhereBothPresent(subsec, other.subsec)
        && agreeWhereBothPresent(model, other.model);
}
