#pragma once

#include <memory>

namespace corvend {

// Runs configurations one after another in the order they were issued, whatever thread or task
// each then runs on. A turn is issued at the call; its holder waits for every earlier turn to
// end, and its turn ends when the last copy of it goes, run or not.
class ConfigurationOrder {
  public:
    class Turn;

    ConfigurationOrder();

    // The next turn, issued now.
    std::shared_ptr<const Turn> issue();

  private:
    struct State;
    std::shared_ptr<State> state_;
};

class ConfigurationOrder::Turn {
  public:
    // Blocks until every turn issued earlier has ended. Cancellable: throws
    // platform::CancellationError when the current task is cancelled meanwhile.
    void await() const;

    ~Turn();
    Turn(const Turn&) = delete;
    Turn& operator=(const Turn&) = delete;

  private:
    friend class ConfigurationOrder;
    Turn(std::shared_ptr<State> state, unsigned long long number);

    std::shared_ptr<State> state_;
    unsigned long long number_;
};

}  // namespace corvend
