#include "CorvendWallet/ui/foundation/FlowTask.hpp"

namespace corvend {

void FlowTask::cancel() {
    cancelled_ = true;
    if (handle_) handle_->cancel();
}

}  // namespace corvend
