#include "LogSchedule.h"

#include <algorithm>
#include <chrono>

LogSchedule::LogSchedule(Clock clock)
    : m_clock(std::move(clock))
    , m_lastEnd(m_clock())
{
}

bool LogSchedule::due() const
{
    return m_clock() - m_lastEnd >= std::max(minimumGap, costFactor * m_lastCost);
}

void LogSchedule::write(const std::function<void()>& write)
{
    const qint64 start = m_clock();
    const auto account = [&] {
        m_lastEnd = m_clock();
        m_lastCost = m_lastEnd - start;
    };
    try {
        write();
    } catch (...) {
        account();
        throw;
    }
    account();
}

LogSchedule::Clock LogSchedule::steadyClock()
{
    return [] {
        return qint64(std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch())
                          .count());
    };
}
