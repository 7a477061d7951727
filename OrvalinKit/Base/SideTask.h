#pragma once

#include <future>
#include <system_error>
#include <type_traits>

// Work for the other core while this thread does its own share: started on a thread of its own,
// or, when the system will not give one, run by whoever asks for its result. Either way get()
// returns what the work returned or throws what it threw, and the future waits for the work
// before it goes away.
namespace SideTask {

template <typename Work> std::future<std::invoke_result_t<Work>> start(Work work)
{
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, std::move(work));
    }
}

} // namespace SideTask
