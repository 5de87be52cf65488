#include "CorvendWallet/services/cards/PaymentInstrumentReferenceModel.hpp"

#include <gtest/gtest.h>

#include <string>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

TEST(PaymentInstrumentReferenceModelTest, WritesBothKeysAlways) {
    struct Row {
        model::PaymentInstrumentReference reference;
        std::string expected;
    };
    const Row rows[] = {
        {{"i-1", model::InstrumentType::card}, R"({"id":"i-1","instrumentType":"CARD"})"},
        {{"i-2", model::InstrumentType::usBankAccount},
         R"({"id":"i-2","instrumentType":"US_BANK_ACCOUNT"})"},
        {{"", model::InstrumentType::unknown}, R"({"id":"","instrumentType":"UNKNOWN"})"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(
            sharedRequestEncoder().encode(toPaymentInstrumentReferenceModel(row.reference)).view(),
            row.expected);
    }
}

}  // namespace
}  // namespace corvend
