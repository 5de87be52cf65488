#pragma once

#include <string>
#include <utility>

#include "platform/foundation/Bundle.hpp"

namespace corvend::testing {

// The host application translating one of the kit's finished texts through its main bundle, for
// the life of this object; the text then maps to itself again, as if never translated.
class HostTranslation {
  public:
    HostTranslation(std::string text, std::string translation) : text_(std::move(text)) {
        platform::Bundle::main()->addStrings("", platform::Bundle::kDefaultTable,
                                             {{text_, std::move(translation)}});
    }
    ~HostTranslation() {
        platform::Bundle::main()->addStrings("", platform::Bundle::kDefaultTable, {{text_, text_}});
    }
    HostTranslation(const HostTranslation&) = delete;
    HostTranslation& operator=(const HostTranslation&) = delete;

  private:
    std::string text_;
};

}  // namespace corvend::testing
