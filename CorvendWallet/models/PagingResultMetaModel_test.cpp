#include "CorvendWallet/models/PagingResultMetaModel.hpp"

#include <gtest/gtest.h>

#include "tests/support/WireCoding.hpp"

namespace corvend {
namespace {

using testing::decodedReply;

TEST(PagingResultMetaModelTest, ReadsAndMapsEachKeyAsAnOptionalInteger) {
    EXPECT_EQ(toPagingResultMeta(decodedReply<PagingResultMetaModel>(
                  R"({"numberOfRecords":42,"limit":20,"offset":0,"page":3})")),
              (model::PagingResultMeta{42, 20, 0, 3}));
    EXPECT_EQ(toPagingResultMeta(decodedReply<PagingResultMetaModel>(R"({"page":0,"limit":null})")),
              (model::PagingResultMeta{.page = 0}));
    EXPECT_EQ(decodedReply<PagingResultMetaModel>("{}"), PagingResultMetaModel{});
    for (const char* json : {R"({"limit":"20"})", R"({"offset":1.5})"}) {
        EXPECT_TRUE(testing::decodingFailure<PagingResultMetaModel>(json)) << json;
    }
}

}  // namespace
}  // namespace corvend
