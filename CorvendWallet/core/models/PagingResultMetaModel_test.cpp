#include "CorvendWallet/core/models/PagingResultMetaModel.hpp"

#include <gtest/gtest.h>

#include "CorvendWallet/networking/SharedCoders.hpp"

namespace corvend {
namespace {

TEST(PagingResultMetaModelTest, ReadsEachKeyAsAnOptionalInteger) {
    struct Row {
        const char* json;
        PagingResultMetaModel expected;
    };
    const Row rows[] = {
        {"{}", {}},
        {R"({"numberOfRecords":42,"limit":20,"offset":0,"page":3})", {42, 20, 0, 3}},
        {R"({"numberOfRecords":null,"limit":null,"offset":null,"page":null})", {}},
        {R"({"page":0,"extra":{"deep":[1e400]}})", {.page = 0}},
        {R"({"limit":9223372036854775807})", {.limit = 9223372036854775807}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(sharedResponseDecoder().decode<PagingResultMetaModel>(row.json), row.expected)
            << row.json;
    }
}

TEST(PagingResultMetaModelTest, AnythingButAnIntegerFailsTheReply) {
    for (const char* json :
         {R"({"limit":"20"})", R"({"offset":1.5})", R"({"page":true})", R"({"limit":1e2})",
          R"({"numberOfRecords":9223372036854775808})", "[]"}) {
        EXPECT_THROW(sharedResponseDecoder().decode<PagingResultMetaModel>(json),
                     platform::DecodingError)
            << json;
    }
}

TEST(PagingResultMetaModelTest, MapsFieldByField) {
    EXPECT_EQ(toPagingResultMeta({1, 2, 3, 4}), (model::PagingResultMeta{1, 2, 3, 4}));
    EXPECT_EQ(toPagingResultMeta({.offset = 7}), (model::PagingResultMeta{.offset = 7}));
}

}  // namespace
}  // namespace corvend
