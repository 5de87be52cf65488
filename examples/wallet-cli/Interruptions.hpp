#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "CorvendWallet/CorvendWallet.hpp"

namespace corvend::cli {

// Where Ctrl-C goes while no line is being typed (a line being typed takes it itself, see
// EditLineReader): to the innermost screen that asked for it, else to the session, which
// cancels the kit calls of the command under way. Thread-safe; handlers run on the caller's
// thread, the main thread in this host.
class Interruptions {
  public:
    using Handler = std::function<void()>;

    // The host's one set: the commands reach it without being handed it.
    static Interruptions& shared();

    // `handler` takes the interruptions until the returned guard goes.
    [[nodiscard]] std::shared_ptr<void> take(Handler handler);

    // Keeps `call` to be cancelled by cancelCalls(); returns it.
    std::shared_ptr<WalletOperationHandle> track(std::shared_ptr<WalletOperationHandle> call);
    // Cancels every call kept since the last forgetCalls(); whether there was one.
    bool cancelCalls();
    // The command they were made for has ended.
    void forgetCalls();

    // Runs the innermost handler; false when none took the interruptions.
    bool interrupt();

  private:
    std::mutex mutex_;
    std::uint64_t nextId_ = 0;
    std::vector<std::pair<std::uint64_t, Handler>> handlers_;
    std::vector<std::shared_ptr<WalletOperationHandle>> calls_;
};

// Interruptions::shared().track(call): the kit call a command waits for, for Ctrl-C to cancel.
inline std::shared_ptr<WalletOperationHandle> track(std::shared_ptr<WalletOperationHandle> call) {
    return Interruptions::shared().track(std::move(call));
}

}  // namespace corvend::cli
