#include "CorvendWallet/foundation/EmptyOperation.hpp"

namespace corvend {

std::shared_ptr<EmptyOperation> EmptyOperation::make() {
    return std::make_shared<EmptyOperation>();
}

void EmptyOperation::cancel() noexcept {}

}  // namespace corvend
