#include "examples/wallet-cli/LineReader.hpp"

#include <istream>
#include <stdexcept>
#include <utility>

#include "platform/async/Task.hpp"

namespace corvend::cli {

std::shared_ptr<LineReader> LineReader::make(std::istream& input, platform::MainQueue& queue) {
    return std::make_shared<LineReader>(Passkey{}, input, queue);
}

LineReader::LineReader(Passkey, std::istream& input, platform::MainQueue& queue)
    : input_(input), queue_(queue) {}

void LineReader::next(Delivery deliver) {
    {
        std::scoped_lock lock(mutex_);
        if (reading_) throw std::logic_error("a line is already being read");
        reading_ = true;
    }
    auto self = shared_from_this();
    platform::Task<void>::detached([self, deliver = std::move(deliver)]() mutable {
        auto line = self->readLine();
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

std::optional<std::string> LineReader::readLine() {
    std::string line;
    if (!std::getline(input_, line)) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

}  // namespace corvend::cli
