#include "CorvendWallet/models/PagingResultMetaModel.hpp"

namespace corvend {

model::PagingResultMeta toPagingResultMeta(const PagingResultMetaModel& meta) {
    return {meta.numberOfRecords, meta.limit, meta.offset, meta.page};
}

}  // namespace corvend
