#pragma once

#include <QtGlobal>
#include <functional>

// When a long move or restore rewrites its logs on the way. Every write holds the whole log, so
// a write every so many files would make the time spent writing grow with the square of the
// number of files. Instead a write is due once enough time has passed since the last one: at
// least `minimumGap`, and at least `costFactor` times as long as that write took, so that
// writing never takes more than a fixed share of the time whatever the size of the log.
//
// Nothing depends on these writes for safety: the first log holds every entry before a file
// moves, and a session is always read back against what its folder holds. They keep the logs
// a person may open close to the truth.
class LogSchedule
{
public:
    // A monotonic clock in milliseconds.
    using Clock = std::function<qint64()>;

    static constexpr qint64 minimumGap = 2000;
    static constexpr qint64 costFactor = 10;

    // The schedule starts with a write that has just ended.
    explicit LogSchedule(Clock clock = steadyClock());

    bool due() const;
    // Runs `write`, timing it; the next write is due counted from its end. Whatever `write`
    // throws passes through, and the failed attempt still counts as a write.
    void write(const std::function<void()>& write);

    static Clock steadyClock();

private:
    Clock m_clock;
    qint64 m_lastEnd = 0;
    qint64 m_lastCost = 0;
};
