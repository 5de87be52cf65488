#include "CorvendWallet/foundation/CompositeOperationHandle.hpp"

#include <utility>

namespace corvend {

std::shared_ptr<CompositeOperationHandle> CompositeOperationHandle::make() {
    return std::make_shared<CompositeOperationHandle>();
}

void CompositeOperationHandle::add(std::shared_ptr<WalletOperationHandle> operation) {
    if (!operation) return;
    operations_.withValue([&](auto& list) { list.push_back(std::move(operation)); });
}

void CompositeOperationHandle::cancel() noexcept {
    const auto snapshot = operations_.withValue([](const auto& list) { return list; });
    for (const auto& operation : snapshot) operation->cancel();
}

std::size_t CompositeOperationHandle::size() const {
    return operations_.withValue([](const auto& list) { return list.size(); });
}

}  // namespace corvend
