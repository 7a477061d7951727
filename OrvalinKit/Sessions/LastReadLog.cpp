#include "LastReadLog.h"

#include <mutex>
#include <utility>

namespace {

// Shorter logs decode in a few milliseconds; they are not worth the memory.
constexpr qsizetype smallestKept = qsizetype(1) << 20;

struct Kept
{
    std::mutex mutex;
    QByteArray data;
    RestoreLog log;
};

Kept& kept()
{
    static Kept instance;
    return instance;
}

} // namespace

namespace LastReadLog {

RestoreLog decoded(const QByteArray& data)
{
    if (data.size() < smallestKept)
        return RestoreLog::decoded(data);
    Kept& last = kept();
    {
        const std::lock_guard lock(last.mutex);
        if (last.data == data) {
            last.data.clear();
            return std::exchange(last.log, RestoreLog());
        }
    }
    RestoreLog log = RestoreLog::decoded(data);
    const std::lock_guard lock(last.mutex);
    last.data = data;
    last.log = log;
    return log;
}

} // namespace LastReadLog
