#include "CorvendWallet/services/history/AuthorizationHistoryRepository.hpp"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/FakeNetwork.hpp"
#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using model::AuthorizationStatus;

const std::string kAuthorizations =
    testing::FakeNetwork::kBaseURL.absoluteString() + "digitalwallets/v1/profile/authorizations";

TEST(AuthorizationHistoryRepositoryTest, DefaultPageSendsNoQueryAndAHostMapperIsUsed) {
    const auto network = std::make_shared<testing::FakeNetwork>(std::string(
        R"({"authorizations":[{"id":"au-1","cardId":"card-1","status":"approved","amount":5,)"
        R"("currencyCode":"EUR","creationTime":"2024-03-05T14:07:09Z"}],)"
        R"("meta":{"numberOfRecords":21,"limit":10}})"));
    const auto page = AuthorizationHistoryRepository::make(network)->getAuthorizationHistory();
    ASSERT_EQ(page.authorizations().size(), 1u);
    EXPECT_EQ(page.authorizations()[0].status(), AuthorizationStatus::unknown);
    EXPECT_EQ(page.meta(), (model::PagingResultMeta{21, 10, std::nullopt, std::nullopt}));

    auto mapper = AuthorizationHistoryMapper::standard();
    int mapped = 0;
    mapper.mapAuthorizationList = [&mapped](const auto& reply) {
        ++mapped;
        return AuthorizationHistoryMapper::authorizationList(reply);
    };
    AuthorizationHistoryRepository::make(network, mapper)
        ->getAuthorizationHistory(model::GetAuthorizationHistoryParameters(
            5, std::nullopt, std::nullopt, std::nullopt, AuthorizationStatus::declined));
    EXPECT_EQ(mapped, 1);
    const auto sent = network->sent();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].url, kAuthorizations);
    EXPECT_EQ(sent[1].url, kAuthorizations + "?limit=5&status=DECLINED");
}

TEST(AuthorizationHistoryRepositoryTest, AnEmptyPageMayComeWithoutItsList) {
    const auto network =
        std::make_shared<testing::FakeNetwork>(std::string(R"({"meta":{"numberOfRecords":0}})"));
    const auto page = AuthorizationHistoryRepository::make(network)->getAuthorizationHistory();
    EXPECT_TRUE(page.authorizations().empty());
    EXPECT_EQ(page.meta().numberOfRecords, 0);
}

}  // namespace
}  // namespace corvend
