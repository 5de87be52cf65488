#pragma once

namespace corvend {

// What every completion-form operation returns: a way to cancel the work it started. Handles
// are shared (std::shared_ptr<WalletOperationHandle>); dropping one never cancels anything.
class WalletOperationHandle {
  public:
    virtual ~WalletOperationHandle() = default;

    // Asks the work to stop. Callable from any thread, any number of times; must not throw.
    // Whether and how the work reports its end depends on the kind of handle. In a child of fork
    // made after the kit began to be made, where the work is the parent's, it does nothing.
    virtual void cancel() noexcept = 0;

  protected:
    WalletOperationHandle() = default;
    WalletOperationHandle(const WalletOperationHandle&) = default;
    WalletOperationHandle& operator=(const WalletOperationHandle&) = default;
};

}  // namespace corvend
