#pragma once

#include <boost/describe.hpp>
#include <cstdint>
#include <optional>

#include "CorvendWallet/models/PagingResultMeta.hpp"

namespace corvend {

// The paging block "meta" of list replies. Read only; every key may be missing or null.
struct PagingResultMetaModel {
    std::optional<std::int64_t> numberOfRecords{};
    std::optional<std::int64_t> limit{};
    std::optional<std::int64_t> offset{};
    std::optional<std::int64_t> page{};

    friend bool operator==(const PagingResultMetaModel&, const PagingResultMetaModel&) = default;
};
BOOST_DESCRIBE_STRUCT(PagingResultMetaModel, (), (numberOfRecords, limit, offset, page))

// The four fields copied one by one.
model::PagingResultMeta toPagingResultMeta(const PagingResultMetaModel& meta);

}  // namespace corvend
