#include "CorvendWallet/foundation/CompositeOperationHandle.hpp"

#include <utility>

#include "platform/async/ProcessFork.hpp"

namespace corvend {

std::shared_ptr<CompositeOperationHandle> CompositeOperationHandle::make() {
    return std::make_shared<CompositeOperationHandle>();
}

void CompositeOperationHandle::add(std::shared_ptr<WalletOperationHandle> operation) {
    if (!operation) return;
    operations_.withValue([&](auto& list) { list.push_back(std::move(operation)); });
}

void CompositeOperationHandle::cancel() noexcept {
    // The work is the parent's, and so may be the locks a cancel takes.
    if (platform::ProcessFork::forkedAfterKitBegan()) return;
    const auto snapshot = operations_.withValue([](const auto& list) { return list; });
    for (const auto& operation : snapshot) operation->cancel();
}

std::size_t CompositeOperationHandle::size() const {
    return operations_.withValue([](const auto& list) { return list.size(); });
}

}  // namespace corvend
