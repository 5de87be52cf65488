#include "CorvendWallet/ui/flows/FlowTask.hpp"

namespace corvend {

void FlowTask::cancel() {
    cancelled_ = true;
    if (handle_) handle_->cancel();
}

}  // namespace corvend
