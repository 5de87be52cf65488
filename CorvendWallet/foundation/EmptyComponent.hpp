#pragma once

#include "CorvendWallet/foundation/Dependency.hpp"

namespace corvend {

// The base of a dependency component without a parent dependency.
class EmptyComponent : public virtual EmptyDependency {};

}  // namespace corvend
