#pragma once

#include <utility>
#include <vector>

#include "CorvendWallet/services/cards/Program.hpp"

namespace corvend::model {

// The card programs offered to the signed-in customer, in the service's order.
class ProgramList {
  public:
    const std::vector<Program>& programs() const noexcept { return programs_; }

    friend bool operator==(const ProgramList&, const ProgramList&) = default;

  private:
    friend class corvend::CardRepository;
    explicit ProgramList(std::vector<Program> programs) : programs_(std::move(programs)) {}

    std::vector<Program> programs_;
};

}  // namespace corvend::model
