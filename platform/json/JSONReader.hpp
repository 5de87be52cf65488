#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "platform/foundation/Date.hpp"
#include "platform/foundation/Decimal.hpp"
#include "platform/json/DecodingError.hpp"

namespace corvend::platform {

class JSONDecoder;
class JSONReader;

// The JSON type of a value, as JSONReader::type() tells it before the value is read; a
// hand-written coder branches on it to accept more than one form.
enum class JSONType { null, boolean, number, string, array, object };

namespace json_detail {

using MemberDecodeFn = void (*)(JSONReader& value, void* object);

// How one member of a described struct is found and read.
struct MemberSlot {
    std::string_view key;   // the key on the wire
    MemberDecodeFn decode;  // reads the value into the member of the object passed
    bool optional;          // may be missing from the object
    bool rawComparable;     // no quote, backslash or control character in `key`
    // The key followed by its closing quote, as far as 16 bytes go, packed little-endian into
    // two words, with the masks of the bytes used: most keys compare in one or two words.
    std::uint64_t head;
    std::uint64_t headMask;
    std::uint64_t tail;
    std::uint64_t tailMask;
};

// The mask of the bytes of `key` and its closing quote that fall in the word at `offset`.
constexpr std::uint64_t keyWordMask(std::string_view key, std::size_t offset) {
    const std::size_t end = key.size() + 1;
    if (end <= offset) return 0;
    const std::size_t bytes = end - offset < 8 ? end - offset : 8;
    return bytes == 8 ? ~std::uint64_t{0} : (std::uint64_t{1} << (8 * bytes)) - 1;
}

// The bytes of `key` and its closing quote from `offset`, as far as 8 go, little-endian.
constexpr std::uint64_t keyWord(std::string_view key, std::size_t offset) {
    std::uint64_t word = 0;
    for (std::size_t i = 0; i < 8; ++i) {
        const std::size_t at = offset + i;
        const char c = at < key.size() ? key[at] : at == key.size() ? '"' : '\0';
        word |= std::uint64_t{static_cast<unsigned char>(c)} << (8 * i);
    }
    return word & keyWordMask(key, offset);
}

// The members of a described struct, in declared order.
struct ObjectLayout {
    const MemberSlot* slots;
    std::size_t count;
    std::string (*typeName)();  // for error messages only
    // For structs of up to 64 members, bit i set when member i is required.
    std::uint64_t required;
};

}  // namespace json_detail

// One JSON value being decoded. A decode hands a reader to JSONCoding<T>::decode for each
// value, which reads it through exactly one of the calls below (or skip()).
//
// Every read checks the value's JSON type: null gives DecodingError::valueNotFound, another
// type gives typeMismatch, both naming the type the read expected. Numbers are read from
// their own text:
// - readInt32/readInt64 take only JSON integers ("12", "-3"; not "1.0", "1e2") within the
//   type's range; any other number gives dataCorrupted.
// - readDouble gives the nearest double; a number beyond double's range (1e400) gives
//   dataCorrupted.
// - readDecimal keeps the number's digits exactly (see Decimal); more than 38 significant
//   digits give dataCorrupted. Only JSON numbers are accepted, not strings holding numbers.
// Errors thrown while reading carry the coding path below this value; the containers above
// add theirs as the error passes through them. A body that is not well-formed JSON ends the
// decode with dataCorrupted and an empty path, wherever it is noticed.
//
// A reader lives only during the JSONCoding<T>::decode call it is handed to. String views
// it returns stay valid until the decode returns.
class JSONReader {
  public:
    struct Frame;  // the parser's state for this value; defined by the implementation

    JSONReader(const JSONReader&) = delete;
    JSONReader& operator=(const JSONReader&) = delete;

    JSONType type();
    // True if the value is null (the value then counts as read).
    bool isNull();
    bool readBool();
    std::int32_t readInt32();
    std::int64_t readInt64();
    double readDouble();
    std::string_view readString();
    Decimal readDecimal();
    // Through the decoder's date strategy (see JSONDecoder).
    Date readDate();
    // Passes over the value, whatever it holds, without interpreting it.
    void skip();

    // Reads the value as a T through JSONCoding<T> (defined in JSONCoding.hpp).
    template <class T>
    void decode(T& out);
    template <class T>
    T decode();

    // Calls body(JSONReader& element) for each element of an array, in order; errors thrown
    // from body get "Index N" put in front of their path.
    template <class F>
    void forEachElement(F&& body);
    // The same, calling reserve(std::size_t count) at most once, before the second element,
    // with an estimate of the number of elements: what follows the first element in the body
    // divided by the first element's size. Only for a top-level array or one in the top-level
    // object (a reply's list), as it costs no pass over the array; the estimate may be short,
    // or long when more of the body follows the array.
    template <class R, class F>
    void forEachElement(R&& reserve, F&& body);
    // Calls body(std::string_view key, JSONReader& value) for each member of an object, in
    // document order, with the key unescaped; errors get the key put in front of their path.
    template <class F>
    void forEachMember(F&& body);

    // For hand-written coders: the value has the wrong JSON type (or is null).
    [[noreturn]] void throwTypeMismatch(const std::string& expectedType);
    // For hand-written coders: the value cannot be used.
    [[noreturn]] void throwDataCorrupted(std::string description);

    // Reads an object into a described struct; see JSONCoding.hpp.
    void decodeObject(const json_detail::ObjectLayout& layout, void* object);

    const JSONDecoder& decoder() const;

  private:
    friend class JSONDecoder;
    using ElementFn = void (*)(void* body, JSONReader& element);
    using ReserveFn = void (*)(void* reserve, std::size_t count);
    using MemberFn = void (*)(void* body, std::string_view key, JSONReader& value);
    using RootFn = void (*)(JSONReader& root, void* out);

    explicit JSONReader(Frame& frame) : frame_(frame) {}

    void forEachElementImpl(void* body, ElementFn fn, void* reserve = nullptr,
                            ReserveFn reserveFn = nullptr);
    void forEachMemberImpl(void* body, MemberFn fn);
    // Parses `size` bytes at `bytes` in place (capacity - size >= Data::kPadding) and hands
    // the top-level value to `fn`.
    static void readDocument(const JSONDecoder& decoder, const char* bytes, std::size_t size,
                             std::size_t capacity, RootFn fn, void* out);

    template <class F>
    static void* erase(F& body) {
        return const_cast<void*>(static_cast<const void*>(std::addressof(body)));
    }

    Frame& frame_;
};

template <class F>
void JSONReader::forEachElement(F&& body) {
    using Body = std::remove_reference_t<F>;
    forEachElementImpl(erase(body),
                       [](void* b, JSONReader& element) { (*static_cast<Body*>(b))(element); });
}

template <class R, class F>
void JSONReader::forEachElement(R&& reserve, F&& body) {
    using Body = std::remove_reference_t<F>;
    using Reserve = std::remove_reference_t<R>;
    forEachElementImpl(
        erase(body), [](void* b, JSONReader& element) { (*static_cast<Body*>(b))(element); },
        erase(reserve), [](void* r, std::size_t count) { (*static_cast<Reserve*>(r))(count); });
}

template <class F>
void JSONReader::forEachMember(F&& body) {
    using Body = std::remove_reference_t<F>;
    forEachMemberImpl(erase(body), [](void* b, std::string_view key, JSONReader& value) {
        (*static_cast<Body*>(b))(key, value);
    });
}

}  // namespace corvend::platform
