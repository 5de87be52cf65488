#include "CorvendWallet/ui/foundation/WebReturnURLMatcher.hpp"

namespace corvend {

bool WebReturnURLMatcher::matches(std::string_view absoluteString) const {
    if (returnURL_.empty() || !absoluteString.starts_with(returnURL_)) return false;
    if (returnURL_.back() == '/' || absoluteString.size() == returnURL_.size()) return true;
    const char next = absoluteString[returnURL_.size()];
    return next == '/' || next == '?' || next == '#';
}

}  // namespace corvend
