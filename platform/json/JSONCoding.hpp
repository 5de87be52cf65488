#pragma once

#include <algorithm>
#include <array>
#include <boost/core/demangle.hpp>
#include <boost/describe/enumerators.hpp>
#include <boost/describe/members.hpp>
#include <boost/describe/modifiers.hpp>
#include <boost/mp11/algorithm.hpp>
#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/foundation/Base64.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/foundation/Date.hpp"
#include "platform/foundation/Decimal.hpp"
#include "platform/json/EmptyResponse.hpp"
#include "platform/json/EncodingError.hpp"
#include "platform/json/JSONReader.hpp"
#include "platform/json/JSONWriter.hpp"

namespace corvend::platform {

// How a type is read from and written to JSON. To code a type by hand, define it for the type:
//
//   template <> struct JSONCoding<Money> {
//       static void decode(JSONReader& in, Money& out);        // read exactly one value
//       static void encode(const Money& value, JSONWriter& out);  // write exactly one value
//   };
//
// Either function may be left out if the type is only read or only written. decode() fills
// a default-constructed value.
//
// Provided here:
// - bool, std::int32_t, std::int64_t, double, std::string, Decimal, Date (see JSONReader for
//   how numbers are read, JSONDecoder/JSONEncoder for dates);
// - Data: a Base64 string (see Base64.hpp); text that is not canonical Base64 is
//   dataCorrupted;
// - std::optional<T>: null reads as absent; absent writes null (but see structs);
// - std::vector<T>: a JSON array ("Index N" in coding paths);
// - std::map<std::string, T>: a JSON object with any keys;
// - EmptyResponse;
// - structs described with BOOST_DESCRIBE_STRUCT (or BOOST_DESCRIBE_CLASS): a JSON object
//   with one member per described member. std::optional members may be missing or null and
//   are left out when absent; every other member is required (missing → keyNotFound, null →
//   valueNotFound). Unknown keys are passed over without reading their values. Keys are
//   the member names unless the struct declares a key table for some of them:
//
//     struct FeeResponse {
//         std::string type;
//         std::int64_t amount;
//         static constexpr JSONKey jsonKeys[] = {{"type", "fee_type"}};
//     };
//     BOOST_DESCRIBE_STRUCT(FeeResponse, (), (type, amount))
//
//   Every entry must name a described member and no two members may share a key (checked
//   at compile time);
// - enums described with BOOST_DESCRIBE_ENUM: a JSON string holding the enumerator's name.
//   An unknown string reads as the enumerator named `unknown` if the enum has one, and is
//   dataCorrupted otherwise.
template <class T, class Enable = void>
struct JSONCoding;

// One entry of a struct's key table: the member `member` is coded under the key `wire`.
struct JSONKey {
    std::string_view member;
    std::string_view wire;
};

template <class T>
void JSONReader::decode(T& out) {
    JSONCoding<T>::decode(*this, out);
}

template <class T>
T JSONReader::decode() {
    T out{};
    JSONCoding<T>::decode(*this, out);
    return out;
}

template <class T>
void JSONWriter::encode(const T& value) {
    JSONCoding<T>::encode(value, *this);
}

namespace json_detail {

template <class T>
struct IsOptional : std::false_type {};
template <class T>
struct IsOptional<std::optional<T>> : std::true_type {};

template <class T>
std::string typeName() {
    return boost::core::demangle(typeid(T).name());
}

template <class T>
constexpr bool isDescribedStruct =
    std::is_class_v<T> && !std::is_union_v<T> && boost::describe::has_describe_members<T>::value;

template <class T>
constexpr bool isDescribedEnum =
    std::is_enum_v<T>&& boost::describe::has_describe_enumerators<T>::value;

constexpr bool isRawComparable(std::string_view key) {
    for (char c : key) {
        if (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) return false;
    }
    return true;
}

template <class T>
struct DescribedStruct {
    using Members = boost::describe::describe_members<T, boost::describe::mod_any_access |
                                                             boost::describe::mod_inherited>;
    static constexpr std::size_t count = boost::mp11::mp_size<Members>::value;
    template <std::size_t I>
    using Member = boost::mp11::mp_at_c<Members, I>;
    template <std::size_t I>
    using MemberType = std::remove_cvref_t<decltype(std::declval<const T&>().*Member<I>::pointer)>;

    static constexpr std::string_view wireKey(std::string_view member) {
        if constexpr (requires { T::jsonKeys; }) {
            for (const JSONKey& entry : T::jsonKeys) {
                if (entry.member == member) return entry.wire;
            }
        }
        return member;
    }

    static constexpr std::array<std::string_view, count> names =
        []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<std::string_view, count>{std::string_view(Member<I>::name)...};
    }
    (std::make_index_sequence<count>{});

    static constexpr std::array<std::string_view, count> keys =
        []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<std::string_view, count>{wireKey(Member<I>::name)...};
    }
    (std::make_index_sequence<count>{});

    static consteval bool keyTableNamesMembers() {
        if constexpr (requires { T::jsonKeys; }) {
            for (const JSONKey& entry : T::jsonKeys) {
                bool found = false;
                for (std::string_view name : names) found = found || name == entry.member;
                if (!found) return false;
            }
        }
        return true;
    }

    static consteval bool keysDistinct() {
        for (std::size_t i = 0; i < count; ++i) {
            for (std::size_t j = i + 1; j < count; ++j) {
                if (keys[i] == keys[j]) return false;
            }
        }
        return true;
    }

    static_assert(keyTableNamesMembers(), "jsonKeys names a member the struct does not describe");
    static_assert(keysDistinct(), "two members of the struct are coded under the same key");

    template <std::size_t I>
    static void decodeMember(JSONReader& in, void* object) {
        JSONCoding<MemberType<I>>::decode(in, static_cast<T*>(object)->*Member<I>::pointer);
    }

    static constexpr std::array<MemberSlot, count> slots =
        []<std::size_t... I>(std::index_sequence<I...>) {
        return std::array<MemberSlot, count>{
            MemberSlot{keys[I], &decodeMember<I>, IsOptional<MemberType<I>>::value,
                       isRawComparable(keys[I]), keyWord(keys[I], 0), keyWordMask(keys[I], 0),
                       keyWord(keys[I], 8), keyWordMask(keys[I], 8)}...};
    }
    (std::make_index_sequence<count>{});

    static constexpr std::uint64_t requiredMask = [] {
        std::uint64_t mask = 0;
        for (std::size_t i = 0; i < count && i < 64; ++i) {
            if (!slots[i].optional) mask |= std::uint64_t{1} << i;
        }
        return mask;
    }();

    static constexpr ObjectLayout layout{slots.data(), count, &typeName<T>, requiredMask};

    static void encode(const T& value, JSONWriter& out) {
        out.beginObject();
        [&]<std::size_t... I>(std::index_sequence<I...>) {
            (encodeMember<I>(value, out), ...);
        }
        (std::make_index_sequence<count>{});
        out.endObject();
    }

    template <std::size_t I>
    static void encodeMember(const T& value, JSONWriter& out) {
        const MemberType<I>& member = value.*Member<I>::pointer;
        if constexpr (IsOptional<MemberType<I>>::value) {
            if (!member) return;
        }
        out.key(keys[I]);
        try {
            JSONCoding<MemberType<I>>::encode(member, out);
        } catch (EncodingError& error) {
            error.prependCodingKey(CodingKey(std::string(keys[I])));
            throw;
        }
    }
};

}  // namespace json_detail

template <>
struct JSONCoding<bool> {
    static void decode(JSONReader& in, bool& out) { out = in.readBool(); }
    static void encode(bool value, JSONWriter& out) { out.writeBool(value); }
};

template <>
struct JSONCoding<std::int32_t> {
    static void decode(JSONReader& in, std::int32_t& out) { out = in.readInt32(); }
    static void encode(std::int32_t value, JSONWriter& out) { out.writeInt64(value); }
};

template <>
struct JSONCoding<std::int64_t> {
    static void decode(JSONReader& in, std::int64_t& out) { out = in.readInt64(); }
    static void encode(std::int64_t value, JSONWriter& out) { out.writeInt64(value); }
};

template <>
struct JSONCoding<double> {
    static void decode(JSONReader& in, double& out) { out = in.readDouble(); }
    static void encode(double value, JSONWriter& out) { out.writeDouble(value); }
};

template <>
struct JSONCoding<std::string> {
    static void decode(JSONReader& in, std::string& out) { out.assign(in.readString()); }
    static void encode(const std::string& value, JSONWriter& out) { out.writeString(value); }
};

template <>
struct JSONCoding<Decimal> {
    static void decode(JSONReader& in, Decimal& out) { out = in.readDecimal(); }
    static void encode(const Decimal& value, JSONWriter& out) { out.writeDecimal(value); }
};

template <>
struct JSONCoding<Date> {
    static void decode(JSONReader& in, Date& out) { out = in.readDate(); }
    static void encode(const Date& value, JSONWriter& out) { out.writeDate(value); }
};

template <>
struct JSONCoding<Data> {
    static void decode(JSONReader& in, Data& out) {
        const std::optional<std::string> bytes = base64::decode(in.readString());
        if (!bytes) in.throwDataCorrupted("The data is not valid Base64.");
        out = Data(*bytes);
    }
    static void encode(const Data& value, JSONWriter& out) {
        out.writeString(base64::encode(value.view()));
    }
};

template <>
struct JSONCoding<EmptyResponse> {
    static void decode(JSONReader& in, EmptyResponse&) { in.skip(); }
    static void encode(const EmptyResponse&, JSONWriter& out) {
        out.beginObject();
        out.endObject();
    }
};

template <class T>
struct JSONCoding<std::optional<T>> {
    static void decode(JSONReader& in, std::optional<T>& out) {
        if (in.isNull()) {
            out.reset();
            return;
        }
        // emplace(T{}), not emplace(): clang 14 can take a nested struct with member
        // initializers for not default-constructible while its enclosing struct is defined.
        JSONCoding<T>::decode(in, out.emplace(T{}));
    }
    static void encode(const std::optional<T>& value, JSONWriter& out) {
        if (value) {
            JSONCoding<T>::encode(*value, out);
        } else {
            out.writeNull();
        }
    }
};

template <class T, class Allocator>
struct JSONCoding<std::vector<T, Allocator>> {
    // The element count is estimated from the body: a small body of many empty elements must
    // not make a huge reservation, so it is capped; longer arrays still grow as usual.
    static constexpr std::size_t kMaxReserve = std::max<std::size_t>(1, (4u << 20) / sizeof(T));

    static void decode(JSONReader& in, std::vector<T, Allocator>& out) {
        out.clear();
        auto reserve = [&out](std::size_t count) { out.reserve(std::min(count, kMaxReserve)); };
        in.forEachElement(reserve, [&out](JSONReader& element) {
            if constexpr (std::is_same_v<T, bool>) {
                out.push_back(element.readBool());
            } else {
                JSONCoding<T>::decode(element, out.emplace_back());
            }
        });
        // An estimate far too long (more of the body followed the array) is given back.
        if (out.capacity() / 2 > out.size()) out.shrink_to_fit();
    }
    static void encode(const std::vector<T, Allocator>& value, JSONWriter& out) {
        out.beginArray();
        for (std::size_t i = 0; i < value.size(); ++i) {
            try {
                JSONCoding<T>::encode(value[i], out);
            } catch (EncodingError& error) {
                error.prependCodingKey(CodingKey::index(i));
                throw;
            }
        }
        out.endArray();
    }
};

template <class T, class Compare, class Allocator>
struct JSONCoding<std::map<std::string, T, Compare, Allocator>> {
    using Map = std::map<std::string, T, Compare, Allocator>;
    // A key given twice keeps its last value.
    static void decode(JSONReader& in, Map& out) {
        out.clear();
        in.forEachMember([&out](std::string_view key, JSONReader& value) {
            T& slot = out[std::string(key)];
            slot = T{};
            JSONCoding<T>::decode(value, slot);
        });
    }
    static void encode(const Map& value, JSONWriter& out) {
        out.beginObject();
        for (const auto& [key, element] : value) {
            out.key(key);
            try {
                JSONCoding<T>::encode(element, out);
            } catch (EncodingError& error) {
                error.prependCodingKey(CodingKey(key));
                throw;
            }
        }
        out.endObject();
    }
};

template <class T>
struct JSONCoding<T, std::enable_if_t<json_detail::isDescribedStruct<T>>> {
    static void decode(JSONReader& in, T& out) {
        in.decodeObject(json_detail::DescribedStruct<T>::layout, &out);
    }
    static void encode(const T& value, JSONWriter& out) {
        json_detail::DescribedStruct<T>::encode(value, out);
    }
};

template <class E>
struct JSONCoding<E, std::enable_if_t<json_detail::isDescribedEnum<E>>> {
    using Enumerators = boost::describe::describe_enumerators<E>;

    static void decode(JSONReader& in, E& out) {
        const std::string_view text = in.readString();
        bool found = false;
        bool hasUnknown = false;
        E unknown{};
        boost::mp11::mp_for_each<Enumerators>([&](auto enumerator) {
            const std::string_view name = enumerator.name;
            if (!found && name == text) {
                out = enumerator.value;
                found = true;
            }
            if (name == "unknown") {
                hasUnknown = true;
                unknown = enumerator.value;
            }
        });
        if (found) return;
        if (hasUnknown) {
            out = unknown;
            return;
        }
        in.throwDataCorrupted("Cannot initialize " + json_detail::typeName<E>() +
                              " from unknown value \"" + std::string(text) + "\".");
    }

    static void encode(E value, JSONWriter& out) {
        const char* name = nullptr;
        boost::mp11::mp_for_each<Enumerators>([&](auto enumerator) {
            if (!name && enumerator.value == value) name = enumerator.name;
        });
        if (!name) {
            throw EncodingError::invalidValue(
                {{},
                 "Cannot encode " + json_detail::typeName<E>() + " value " +
                     std::to_string(static_cast<std::underlying_type_t<E>>(value)) +
                     ": it has no name."});
        }
        out.writeString(name);
    }
};

}  // namespace corvend::platform
