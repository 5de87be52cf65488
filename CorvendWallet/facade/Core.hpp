#pragma once

#include <expected>
#include <functional>
#include <memory>

#include "CorvendWallet/facade/NetworkManagers.hpp"
#include "CorvendWallet/foundation/ConfigurationError.hpp"
#include "CorvendWallet/foundation/WalletOperationHandle.hpp"
#include "CorvendWallet/setup/AuthenticationConfiguration.hpp"
#include "CorvendWallet/setup/Configuration.hpp"
#include "CorvendWallet/setup/ConfigurationResult.hpp"
#include "CorvendWallet/setup/DeviceFingerprintProvider.hpp"
#include "CorvendWallet/setup/EnvironmentPropertiesProvider.hpp"

namespace corvend {

// What the facade needs of the kit's object graph. The two forms of configure keep the kit's
// contract of blocking and completion forms (CompletionBridge.hpp), except that every failure
// is a model::ConfigurationError; WalletCore tells the steps of the set-up.
class Core {
  public:
    using ConfigureCompletion =
        std::function<void(std::expected<model::ConfigurationResult, model::ConfigurationError>)>;

    virtual ~Core() = default;

    virtual model::ConfigurationResult configure(const model::Configuration& configuration) = 0;
    virtual std::shared_ptr<WalletOperationHandle> configure(model::Configuration configuration,
                                                             ConfigureCompletion completion) = 0;
    virtual void authenticate(const model::AuthenticationConfiguration& configuration) = 0;

    virtual const NetworkManagers& networkManagers() const = 0;
    virtual std::shared_ptr<DeviceFingerprintProvider> deviceFingerprintProvider() const = 0;
    virtual std::shared_ptr<EnvironmentPropertiesProvider> environmentProperties() const = 0;
};

}  // namespace corvend
