#include "examples/wallet-cli/LineReader.hpp"

#include <istream>
#include <stdexcept>
#include <utility>

#include "platform/async/Task.hpp"

namespace corvend::cli {

std::shared_ptr<LineReader> LineReader::make(std::istream& input, platform::MainQueue& queue) {
    return make(
        [&input]() -> std::optional<std::string> {
            std::string line;
            if (!std::getline(input, line)) return std::nullopt;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return line;
        },
        queue);
}

std::shared_ptr<LineReader> LineReader::make(Read read, platform::MainQueue& queue) {
    return std::make_shared<LineReader>(Passkey{}, std::move(read), queue);
}

LineReader::LineReader(Passkey, Read read, platform::MainQueue& queue)
    : read_(std::move(read)), queue_(queue) {}

void LineReader::next(Delivery deliver) {
    {
        std::scoped_lock lock(mutex_);
        if (reading_) throw std::logic_error("a line is already being read");
        reading_ = true;
    }
    auto self = shared_from_this();
    platform::Task<void>::detached([self, deliver = std::move(deliver)]() mutable {
        auto line = self->read_();
        self->queue_.async([self, deliver = std::move(deliver), line = std::move(line)]() mutable {
            // Cleared only now, so lines are delivered in reading order and the delivery itself
            // may ask for the next one.
            {
                std::scoped_lock lock(self->mutex_);
                self->reading_ = false;
            }
            deliver(std::move(line));
        });
    });
}

}  // namespace corvend::cli
