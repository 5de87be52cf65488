#pragma once

#include <functional>
#include <string_view>

namespace corvend {

// A reply to a read or change of one record by its id is that record, or an error: a gateway or
// cache that mixed up replies would otherwise hand the caller another record as the one asked.

// Throws model::WalletError::otherRecordNamed(named) ("I0010") when a reply to a call on record
// `asked` names record `named` instead. An empty `named` names no record: it stands as it is.
void requireAskedRecord(std::string_view asked, std::string_view named);

// `record` once requireAskedRecord passes for its id as `idOf` reads it: a string, or an optional
// one (absent names no record).
template <class Record, class IdOf>
Record askedRecord(std::string_view asked, Record record, IdOf idOf) {
    const auto& named = std::invoke(idOf, record);
    if constexpr (requires { named.has_value(); }) {
        if (named) requireAskedRecord(asked, *named);
    } else {
        requireAskedRecord(asked, named);
    }
    return record;
}

}  // namespace corvend
