#include "examples/wallet-cli/SessionLines.hpp"

#include <utility>

#include "examples/wallet-cli/CommandRun.hpp"

namespace corvend::cli {

std::shared_ptr<SessionLines> SessionLines::make(std::shared_ptr<LineSource> source) {
    return std::make_shared<SessionLines>(Passkey{}, std::move(source));
}

SessionLines::SessionLines(Passkey, std::shared_ptr<LineSource> source)
    : source_(std::move(source)) {}

void SessionLines::next(Delivery deliver) {
    if (!CommandRun::mayStart()) return;
    answersAsked_ = true;
    read(guarded([deliver = std::move(deliver)](std::optional<std::string> line) {
             // Typed once the output was gone, it answers what nobody saw.
             if (CommandRun::mayStart()) deliver(std::move(line));
         }),
         false);
}

void SessionLines::nextCommand(Delivery deliver) {
    if (std::exchange(answersAsked_, false) && !reading_) source_->dropTyped();
    read(std::move(deliver), true);
}

void SessionLines::read(Delivery deliver, bool command) {
    waiting_ = std::move(deliver);
    if (reading_) return;
    reading_ = true;
    auto delivered = [self = shared_from_this()](std::optional<std::string> line) {
        self->reading_ = false;
        if (auto deliver = std::exchange(self->waiting_, nullptr)) deliver(std::move(line));
    };
    if (command) {
        source_->nextCommand(std::move(delivered));
    } else {
        source_->next(std::move(delivered));
    }
}

}  // namespace corvend::cli
