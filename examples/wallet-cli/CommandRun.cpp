#include "examples/wallet-cli/CommandRun.hpp"

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "examples/wallet-cli/CommandWords.hpp"
#include "examples/wallet-cli/Interruptions.hpp"
#include "examples/wallet-cli/UnseenEnd.hpp"

namespace corvend::cli {

namespace {

// How long a stop waits for a call's end: past it the call is dropped, and the prompt is back
// within a second of Ctrl-C.
constexpr auto kBound = std::chrono::milliseconds(800);

// A record the last command changed, and how, in order. Main thread.
struct Change {
    std::string record;
    std::string read;
    std::vector<std::string> hows;
};

std::vector<Change>& lastChanges() {
    static std::vector<Change> changes;
    return changes;
}

// The words of each change call of the last command that succeeded (what it may have left at
// the service, with the read that shows it): said on lost output where the command named no
// record itself. Main thread.
std::vector<std::string>& lastChangeCalls() {
    static std::vector<std::string> calls;
    return calls;
}

// What each step of the last command whose end was not seen may have left at the service: said
// on lost output beside what was seen done. Main thread.
std::vector<std::string>& lastUnseen() {
    static std::vector<std::string> unseen;
    return unseen;
}

}  // namespace

std::shared_ptr<CommandRun> CommandRun::make(std::function<void(const Stopped&)> stopped,
                                             std::ostream* output) {
    return std::make_shared<CommandRun>(Passkey{}, std::move(stopped), output);
}

CommandRun::CommandRun(Passkey, std::function<void(const Stopped&)> stopped, std::ostream* output)
    : stopped_callback_(std::move(stopped)), output_(output) {}

std::shared_ptr<CommandRun> CommandRun::current() {
    return Interruptions::shared().command();
}

void CommandRun::setCurrent(std::shared_ptr<CommandRun> run) {
    if (run) {
        lastChanges().clear();
        lastChangeCalls().clear();
        lastUnseen().clear();
    }
    Interruptions::shared().setCommand(std::move(run));
}

bool CommandRun::mayStart() {
    const auto run = current();
    return !run || run->goesOn();
}

void CommandRun::changed(const std::string& record, const std::string& how,
                         const std::string& read) {
    auto& changes = lastChanges();
    auto change = std::ranges::find(changes, record, &Change::record);
    if (change == changes.end()) change = changes.insert(change, {record, read, {}});
    change->hows.push_back(how);
}

std::vector<std::string> CommandRun::changes() {
    std::vector<std::string> said;
    if (lastChanges().empty()) said = lastChangeCalls();
    for (const auto& [record, read, hows] : lastChanges()) {
        std::string how = hows.back();
        if (hows.size() > 1) how = joined({hows.begin(), hows.end() - 1}, ", ") + " and " + how;
        said.push_back(record + " was " + how + " (`" + read + "` shows it)");
    }
    said.insert(said.end(), lastUnseen().begin(), lastUnseen().end());
    return said;
}

std::string CommandRun::hostFailure(std::string_view failure) {
    std::string said = "wallet-cli: " + std::string(failure);
    const auto run = current();
    if (!run || run->ended_) return said;
    // As a stop's end would keep them, without undoing anything: the host is going.
    auto& unseen = lastUnseen();
    unseen.insert(unseen.end(), run->known_.unknown.begin(), run->known_.unknown.end());
    for (const auto& call : run->pending_) {
        if (!call.unknown.empty()) unseen.push_back(call.unknown);
    }
    for (const auto& each : run->undos_) {
        if (auto words = each.left ? each.left() : ""; !words.empty())
            unseen.push_back(std::move(words));
    }
    run->end();
    for (const auto& change : changes()) said += "; " + change;
    return said;
}

bool CommandRun::ownEnd(std::shared_ptr<CommandRun>& slot, const std::shared_ptr<CommandRun>& run,
                        bool& reportedWhileStopping) {
    if (slot != run) return false;
    if (!run->isLive()) {
        reportedWhileStopping = true;
        return false;
    }
    run->end();
    setCurrent(nullptr);
    slot.reset();
    return true;
}

void CommandRun::end() {
    if (ended_) return;
    ended_ = true;
    // Nothing of an ended command goes on behind the prompt.
    for (const auto& call : pending_) call.task.cancel();
    undos_.clear();
}

void CommandRun::stop() {
    if (!isLive()) return;
    stopped_ = true;
    for (auto& each : std::exchange(undos_, {})) {
        if (auto words = each.left ? each.left() : ""; !words.empty())
            known_.unknown.push_back(std::move(words));
        if (each.undo) each.undo();
    }
    for (const auto& call : pending_) call.task.cancel();
    if (pending_.empty()) {
        // Told on the queue, after the Ctrl-C that stopped it.
        platform::MainQueue::shared().async([self = shared_from_this()] { self->settle(); });
        return;
    }
    platform::Task<void>::detached([weakSelf = weak_from_this()] {
        std::this_thread::sleep_for(kBound);
        platform::MainQueue::shared().async([weakSelf] {
            if (const auto self = weakSelf.lock()) self->giveUp();
        });
    });
}

std::shared_ptr<void> CommandRun::step(std::function<void()> undo, std::string unknown) {
    return step(std::move(undo), [unknown = std::move(unknown)] { return unknown; });
}

bool CommandRun::goesOn() {
    if (!isLive()) return false;
    // Flushed, so that output gone since its last write (a pipe's reader left) shows now.
    if (output_ == nullptr || output_->flush()) return true;
    known_.outputLost = true;
    stop();
    return false;
}

std::shared_ptr<void> CommandRun::step(std::function<void()> undo,
                                       std::function<std::string()> left) {
    if (!goesOn()) return nullptr;
    const auto id = ++nextId_;
    undos_.push_back({id, std::move(undo), std::move(left)});
    // The token gives the step up when it goes.
    struct Token {
        std::weak_ptr<CommandRun> run;
        std::uint64_t id = 0;
        ~Token() {
            if (const auto self = run.lock())
                std::erase_if(self->undos_, [this](const Undo& each) { return each.id == id; });
        }
    };
    auto token = std::make_shared<Token>();
    token->run = weak_from_this();
    token->id = id;
    return token;
}

void CommandRun::tell(std::string note) {
    known_.notes.push_back(std::move(note));
}

bool CommandRun::admits(std::uint64_t id, const Error* failure) {
    if (ended_) return false;
    const bool unseen = failure != nullptr && endUnseen(*failure);
    const auto call = std::ranges::find(pending_, id, &Pending::id);
    const bool change = call != pending_.end() && !call->unknown.empty();
    if (change && failure == nullptr) lastChangeCalls().push_back(call->unknown);
    if (!stopped_) {
        if (failure != nullptr && failure->isCancellation()) return false;
        if (!unseen || !change) return true;
        // Told as Ctrl-C tells it, never as failed: the service may have acted.
        known_.lost = unseenWhy(*failure);
        known_.lostErrorID = errorIDLine(*failure);
        known_.unknown.push_back(call->unknown);
        stop();
        return false;
    }
    if (!change) return false;  // a read: dropped
    if (unseen) {
        known_.unknown.push_back(call->unknown);
        return false;
    }
    known_.resultCame = true;
    return true;
}

void CommandRun::closed(std::uint64_t id) {
    std::erase_if(pending_, [id](const Pending& call) { return call.id == id; });
    if (stopped_ && !ended_ && pending_.empty()) settle();
}

void CommandRun::giveUp() {
    if (ended_) return;
    for (const auto& call : pending_) {
        known_.abandoned = true;
        if (!call.unknown.empty()) known_.unknown.push_back(call.unknown);
    }
    settle();
}

void CommandRun::settle() {
    if (ended_) return;
    ended_ = true;
    pending_.clear();
    lastUnseen().insert(lastUnseen().end(), known_.unknown.begin(), known_.unknown.end());
    if (auto stopped = std::exchange(stopped_callback_, nullptr)) stopped(known_);
}

std::string CommandRun::report(const std::string& command, const Stopped& known) {
    std::string said;
    const std::string how = known.lost         ? ": " + *known.lost + ": "
                            : known.outputLost ? ": its output could not be written: "
                                               : ": stopped waiting: ";
    for (const auto& words : known.unknown) said += command + how + words + "\n";
    if (known.unknown.empty()) {
        if (known.outputLost) {
            said = command + ": stopped: its output could not be written\n";
        } else if (known.resultCame) {
            said = command + ": stopped (Ctrl-C) after the step above; nothing more was sent\n";
        } else {
            said =
                command + (known.abandoned ? ": no longer awaited" : ": cancelled") + " (Ctrl-C)\n";
        }
    }
    // Said with the last line, as what follows from it.
    for (const auto& note : known.notes) said.insert(said.size() - 1, "; " + note);
    said.insert(said.size() - 1, known.lostErrorID);
    return said;
}

}  // namespace corvend::cli
