#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

namespace corvend::sandbox {

// What the sandbox keeps of an open-ended stream of records (the requests it received, the
// events posted to it) for tests to read back: every record, or only the latest `limit` ones.
// Either way it counts every record appended since it was made or last cleared, so a wait for
// a count means the same whether older records were dropped or not.
//
// Every member is safe to call from any thread.
template <class Record>
class RecordLog {
  public:
    // Keeps every record without a limit; otherwise the latest `limit` (none when 0).
    explicit RecordLog(std::optional<std::size_t> limit) : limit_(limit) {}

    void append(Record record) {
        {
            std::lock_guard lock(mutex_);
            ++count_;
            records_.push_back(std::move(record));
            if (limit_ && records_.size() > *limit_) records_.pop_front();
        }
        changed_.notify_all();
    }

    // Copies of the records kept, oldest first.
    std::vector<Record> records() const {
        std::lock_guard lock(mutex_);
        return {records_.begin(), records_.end()};
    }

    // Drops every record and starts the count again from zero.
    void clear() {
        std::lock_guard lock(mutex_);
        records_.clear();
        count_ = 0;
    }

    // Blocks until at least `count` records were appended since the log was made or last
    // cleared, or `timeout` passes; returns whether they were.
    bool waitForCount(std::size_t count, std::chrono::milliseconds timeout) const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, timeout, [&] { return count_ >= count; });
    }

  private:
    const std::optional<std::size_t> limit_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::deque<Record> records_;
    std::size_t count_ = 0;
};

}  // namespace corvend::sandbox
