#pragma once

#include <string>

namespace corvend::testing {

// The members every deposit record of the service carries, without braces, so a test can
// append the optional ones it reads.
inline const std::string kDepositRequiredMembers =
    R"("amount":1500,"currencyCode":"EUR","paymentOption":"CARD","id":"dep-1",)"
    R"("customerId":"c-1","accountId":"a-1","creationTime":"2024-03-05T14:07:09Z",)"
    R"("status":"PREVIEW")";

}  // namespace corvend::testing
