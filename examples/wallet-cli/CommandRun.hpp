#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"
#include "platform/async/MainQueue.hpp"
#include "platform/async/Task.hpp"

namespace corvend::cli {

// One command of the session, from its start to its end: it owns every step the command
// starts. A kit call runs in a task of the run's own (call()), so the run learns how each call
// ended, its cancellation included; a step that is no kit call (a screen shown, a page open)
// is registered with what undoes it (step()); whatever reaches the command later goes through
// guarded(). stop() (Ctrl-C) cancels the calls and undoes the steps; from then on nothing new
// starts and what the calls report is dropped, except the result of a change that came anyway,
// which the command prints. A change whose reply is lost (see endUnseen) stops the run the same
// way instead of reaching its command: nothing is sent again. So does output that can no longer
// be written: nobody would see what the command asks or does next, so it asks and sends nothing
// more. The stop ends when every call has ended, or after a bound for one that does not: the
// session is then told what is known (see report()). Main thread.
class CommandRun : public std::enable_shared_from_this<CommandRun> {
  public:
    // What is known when a stop has ended.
    struct Stopped {
        // For each change whose end was not seen, what may have reached the service.
        std::vector<std::string> unknown;
        // A change's result came anyway and the command printed it.
        bool resultCame = false;
        // A call did not end within the bound; what it reports later is dropped.
        bool abandoned = false;
        // Not stopped by Ctrl-C: a change's end was not seen, in these words (see unseenWhy),
        // and the failure's error ID line, said last.
        std::optional<std::string> lost;
        std::string lostErrorID;
        // Stopped because the command's output could not be written.
        bool outputLost = false;
        // What is so once the command stopped, whatever its calls did.
        std::vector<std::string> notes;
    };

    // What the session says once `command` stopped, one line per thing known.
    static std::string report(const std::string& command, const Stopped& known);

    // `stopped` runs once, on the main queue, when a stop has ended. Once `output` (if given)
    // fails, at a write or at the flush before each thing the run would ask or send, the run
    // stops there.
    static std::shared_ptr<CommandRun> make(std::function<void(const Stopped&)> stopped,
                                            std::ostream* output = nullptr);
    // The command under way in the session; null outside one (a single command, the demo).
    static std::shared_ptr<CommandRun> current();
    // Makes `run` the command under way (null: none).
    static void setCurrent(std::shared_ptr<CommandRun> run);
    // Whether the command under way (if any) may start a step, such as asking for an answer;
    // one whose output was lost is stopped instead.
    static bool mayStart();
    // A change of the command under way reached the service: `record` ("transfer tr-1") was
    // `how` ("created"), and the command `read` shows it. Kept until the next command starts.
    static void changed(const std::string& record, const std::string& how, const std::string& read);
    // What the last command started changed, a record each: "transfer tr-1 was created and
    // confirmed (`transfer get tr-1` shows it)"; said when its output was lost, as nobody saw it.
    // A command that named no record says what each change call that succeeded may have left
    // at the service (its `unknown` words, see call()). Then what each step whose end was not
    // seen may have left, when the command was stopped (Stopped::unknown).
    static std::vector<std::string> changes();
    // What the host says when `failure` (an exception no command caught) ends it: "wallet-cli:
    // <failure>", then, with a command under way, the changes() it leaves unseen, its calls and
    // steps under way among them. That command is let go: nothing of it is awaited any more.
    // Call before the command's steps go.
    static std::string hostFailure(std::string_view failure);
    // For the owner of the command under way, kept in `slot`, when `run` reports its own end:
    // whether the owner acts on it. A run no longer in `slot` was stopped and its stop has
    // ended; one stopped but not yet ended sets `reportedWhileStopping`, for its stop's end to
    // act on. Otherwise `run` ends and is no longer under way.
    static bool ownEnd(std::shared_ptr<CommandRun>& slot, const std::shared_ptr<CommandRun>& run,
                       bool& reportedWhileStopping);

    // It runs: it was neither stopped nor ended.
    bool isLive() const { return !stopped_ && !ended_; }
    // It runs and may start something more: a run whose output was lost is stopped here.
    bool goesOn();
    // The command reported its own end: what reaches it afterwards is dropped.
    void end();
    // Cancels the calls, undoes the steps, starts nothing more; see Stopped.
    void stop();

    // Registers a step that is no kit call: `undo` runs when the command is stopped, and
    // `unknown`, when not empty, says what the step may have left at the service. The step
    // stays registered while the returned token is held; null (nothing registered) when the
    // command may start nothing more: the step must then not start.
    [[nodiscard]] std::shared_ptr<void> step(std::function<void()> undo, std::string unknown = {});
    // The same, for a step whose words depend on how far it went: `left` says them, when the
    // command is stopped, just before `undo` runs (empty: nothing unknown).
    [[nodiscard]] std::shared_ptr<void> step(std::function<void()> undo,
                                             std::function<std::string()> left);
    // `note` is said should the command be stopped (see Stopped::notes).
    void tell(std::string note);

    // Runs the kit's blocking `operation` in a task of this run and hands its Result to
    // `completion` on the main queue. `unknown`, empty for a read, says what a change may have
    // done at the service when its end is not seen. Nothing starts once the run is not live.
    template <class Operation, class Completion>
    void call(Operation operation, Completion completion, std::string unknown = {});

    struct Passkey {};
    CommandRun(Passkey, std::function<void(const Stopped&)> stopped, std::ostream* output);

  private:
    struct Pending {
        std::uint64_t id = 0;
        std::string unknown;
        platform::AnyTask task;
    };
    struct Undo {
        std::uint64_t id = 0;
        std::function<void()> undo;
        std::function<std::string()> left;
    };

    // Whether a call's report goes to the command; `failure` is how it failed, if it did.
    bool admits(std::uint64_t id, const Error* failure);
    // The call's report was handled.
    void closed(std::uint64_t id);
    void giveUp();
    void settle();

    std::function<void(const Stopped&)> stopped_callback_;
    std::ostream* output_;
    bool stopped_ = false;
    bool ended_ = false;
    std::uint64_t nextId_ = 0;
    std::vector<Pending> pending_;
    std::vector<Undo> undos_;
    Stopped known_;
};

template <class Operation, class Completion>
void CommandRun::call(Operation operation, Completion completion, std::string unknown) {
    if (!goesOn()) return;
    const auto id = ++nextId_;
    auto task = platform::Task<void>::detached([self = shared_from_this(), id,
                                                operation = std::move(operation),
                                                completion = std::move(completion)]() mutable {
        auto result = captureResult(operation);
        platform::MainQueue::shared().async(
            [self, id, completion, result = std::move(result)]() mutable {
                if (self->admits(id, result ? nullptr : &result.error()))
                    completion(std::move(result));
                self->closed(id);
            });
    });
    pending_.push_back({id, std::move(unknown), std::move(task)});
}

// A kit call of the command under way (see CommandRun::call); outside a session's command it
// runs the same way, with nothing to stop it. E.g.
//   call([service, id] { return service->get(id); }, printer<Record>("get", done));
template <class Operation, class Completion>
void call(Operation operation, Completion completion, std::string unknown = {}) {
    auto run = CommandRun::current();
    if (!run) run = CommandRun::make([](const CommandRun::Stopped&) {});
    run->call(std::move(operation), std::move(completion), std::move(unknown));
}

// `fn`, to run later for the command under way: dropped once that command is no longer live.
template <class F>
auto guarded(F fn) {
    return [run = std::weak_ptr<CommandRun>(CommandRun::current()),
            scoped = CommandRun::current() != nullptr,
            fn = std::move(fn)](auto&&... arguments) mutable {
        if (scoped) {
            const auto alive = run.lock();
            if (!alive || !alive->isLive()) return;
        }
        fn(std::forward<decltype(arguments)>(arguments)...);
    };
}

}  // namespace corvend::cli
