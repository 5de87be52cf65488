#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace corvend::cli {

// Handlers that count while their guards live, in the order taken. Thread-safe; handlers are
// copied out and run unlocked, so one may give up its guard as it runs.
//
//   const auto guard = list.add([] { ... });   // counts until `guard` goes
//
// The list must outlive its guards: the host's lists are never destroyed.
template <class Handler>
class HandlerList {
  public:
    [[nodiscard]] std::shared_ptr<void> add(Handler handler) {
        std::uint64_t id = 0;
        {
            std::scoped_lock lock(mutex_);
            id = ++nextId_;
            entries_.emplace_back(id, std::move(handler));
        }
        // The guard holds no object of its own: its deleter gives the handler up.
        return std::shared_ptr<void>(static_cast<void*>(nullptr), [this, id](void*) {
            std::scoped_lock lock(mutex_);
            std::erase_if(entries_, [id](const auto& entry) { return entry.first == id; });
        });
    }

    // Every handler, the first taken first.
    std::vector<Handler> all() const {
        std::vector<Handler> handlers;
        std::scoped_lock lock(mutex_);
        for (const auto& entry : entries_) handlers.push_back(entry.second);
        return handlers;
    }

    // The handler taken last; an empty one when none counts.
    Handler last() const {
        std::scoped_lock lock(mutex_);
        return entries_.empty() ? Handler{} : entries_.back().second;
    }

  private:
    mutable std::mutex mutex_;
    std::uint64_t nextId_ = 0;
    std::vector<std::pair<std::uint64_t, Handler>> entries_;
};

}  // namespace corvend::cli
