#pragma once

#include <cstdint>
#include <optional>

namespace corvend::model {

// The paging block of a list result, as the service reported it.
struct PagingResultMeta {
    std::optional<std::int64_t> numberOfRecords{};
    std::optional<std::int64_t> limit{};
    std::optional<std::int64_t> offset{};
    std::optional<std::int64_t> page{};

    friend bool operator==(const PagingResultMeta&, const PagingResultMeta&) = default;
};

}  // namespace corvend::model
