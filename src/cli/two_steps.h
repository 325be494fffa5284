// Work in two steps on two threads: the calling thread makes items, a second
// one takes them in the same order, a few items apart at most.
#pragma once

#include <exception>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "cli/bounded_queue.h"

namespace tavik::cli {

// Items made ahead of the one being taken, at most.
inline constexpr size_t kItemsAhead = 8;

// Calls `make` until it gives nothing, and `take` on each item it gave, on a
// second thread. An exception thrown by either ends both, and is thrown
// here once the second thread has ended. False, with nothing made, when no
// thread could be started.
template <typename Item, typename Make, typename Take>
bool RunInTwoSteps(Make&& make, Take&& take) {
    BoundedQueue<Item> queue(kItemsAhead);
    std::exception_ptr takeFailed;
    std::thread taker;
    try {
        taker = std::thread([&] {
            try {
                while (std::optional<Item> item = queue.Pop()) take(*item);
            } catch (...) {
                takeFailed = std::current_exception();
                queue.Close();  // the maker stops at its next item
            }
        });
    } catch (const std::system_error&) {
        return false;
    }
    // Ends the second thread on every way out of here, a throw included.
    struct Join {
        BoundedQueue<Item>& queue;
        std::thread& taker;
        ~Join() {
            queue.Close();
            taker.join();
        }
    };
    {
        Join join{queue, taker};
        while (std::optional<Item> item = make())
            if (!queue.Push(std::move(*item))) break;
    }
    if (takeFailed) std::rethrow_exception(takeFailed);
    return true;
}

}  // namespace tavik::cli
