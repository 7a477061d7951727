#pragma once

#include <atomic>
#include <exception>
#include <memory>

// Thrown by work that noticed its token was cancelled; partial results are dropped.
struct Cancelled : std::exception
{
    const char* what() const noexcept override { return "cancelled"; }
};

// Shared between the thread that may cancel and the work that checks at its checkpoints.
// Copies refer to the same flag; a default token is never cancelled unless cancel() is called.
class CancellationToken
{
public:
    CancellationToken()
        : m_flag(std::make_shared<std::atomic_bool>(false))
    {
    }

    void cancel() const { m_flag->store(true, std::memory_order_relaxed); }
    bool isCancelled() const { return m_flag->load(std::memory_order_relaxed); }
    void throwIfCancelled() const
    {
        if (isCancelled())
            throw Cancelled();
    }

    bool operator==(const CancellationToken&) const = default;

private:
    std::shared_ptr<std::atomic_bool> m_flag;
};
