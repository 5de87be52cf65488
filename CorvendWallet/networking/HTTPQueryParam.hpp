#pragma once

#include <string>

namespace corvend {

// One query parameter; escaping happens only when it becomes a query item.
struct HTTPQueryParam {
    std::string key;
    std::string value;
};

}  // namespace corvend
