#pragma once

#include <memory>
#include <optional>
#include <string>

#include "platform/ui/ImageSource.hpp"

namespace corvend {

// The kit's bundle as the toolkit's source of named images (the card-brand logos).
class WalletImageSource : public platform::ui::ImageSource {
  public:
    static const std::shared_ptr<const WalletImageSource>& shared();

    std::optional<std::string> imageData(const std::string& name) const override;
};

}  // namespace corvend
