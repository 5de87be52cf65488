#include "platform/json/JSONReader.hpp"

#include <simdjson.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/async/CancellationError.hpp"
#include "platform/async/ExitGate.hpp"
#include "platform/foundation/Data.hpp"
#include "platform/foundation/NeverDestroyed.hpp"
#include "platform/json/JSONDecoder.hpp"

namespace corvend::platform {

namespace od = simdjson::ondemand;

static_assert(Data::kPadding >= simdjson::SIMDJSON_PADDING,
              "Data must keep the parser's padding after its bytes");

struct JSONReader::Frame {
    // Points at the parser's own value: copying it per member costs more than reading it.
    od::value* value = nullptr;
    // Set for the top-level value, which simdjson reads through the document itself.
    od::document* document = nullptr;
    const JSONDecoder* decoder = nullptr;
    const char* end = nullptr;  // just past the body's last byte
};

namespace {

using Frame = JSONReader::Frame;

// Thrown where the parser finds the body is not well-formed JSON. It is no DecodingError, so
// the containers it passes do not add their keys, and the top level turns it into
// dataCorrupted with an empty path.
struct MalformedJSON {
    simdjson::error_code code;
};

[[noreturn]] void throwMalformed(simdjson::error_code code) {
    throw MalformedJSON{code};
}

// Runs `fn` on the frame's source: the document for a top-level value, the value otherwise.
template <class Fn>
[[gnu::always_inline]] inline decltype(auto) withSource(Frame& frame, Fn&& fn) {
    return frame.document ? fn(*frame.document) : fn(*frame.value);
}

std::string_view trimBlanks(std::string_view token) {
    while (!token.empty() && (token.back() == ' ' || token.back() == '\t' || token.back() == '\n' ||
                              token.back() == '\r')) {
        token.remove_suffix(1);
    }
    return token;
}

// The value's own text up to the next structural character, without consuming it.
std::string_view valueToken(Frame& frame) {
    if (frame.document) {
        std::string_view token;
        if (auto error = frame.document->raw_json_token().get(token)) throwMalformed(error);
        return trimBlanks(token);
    }
    return trimBlanks(frame.value->raw_json_token());
}

// The type as told by the value's first character.
od::json_type jsonType(Frame& frame) {
    od::json_type type{};
    if (auto error = withSource(frame, [](auto& s) { return s.type(); }).get(type)) {
        throwMalformed(error);
    }
    return type;
}

// The type of a value a read has refused. A first character alone does not make "tru" a
// boolean: on this path atoms are checked in full, so that broken JSON is reported as such.
od::json_type refusedType(Frame& frame) {
    const od::json_type type = jsonType(frame);
    if (type == od::json_type::boolean || type == od::json_type::null) {
        const std::string_view token = valueToken(frame);
        if (token != "true" && token != "false" && token != "null") {
            throwMalformed(simdjson::T_ATOM_ERROR);
        }
    }
    return type;
}

const char* describe(od::json_type type) {
    switch (type) {
        case od::json_type::array:
            return "an array";
        case od::json_type::object:
            return "an object";
        case od::json_type::number:
            return "a number";
        case od::json_type::string:
            return "a string";
        case od::json_type::boolean:
            return "a boolean";
        case od::json_type::null:
            return "null";
    }
    return "an unknown value";
}

// The value has another type than `expected` (named `expectedName`).
[[noreturn]] void throwWrongType(od::json_type found, const std::string& expectedName) {
    if (found == od::json_type::null) {
        throw DecodingError::valueNotFound(expectedName,
                                           {{}, "Expected " + expectedName + ", found null."});
    }
    throw DecodingError::typeMismatch(
        expectedName, {{}, "Expected " + expectedName + ", found " + describe(found) + "."});
}

// A typed read failed with `error`: either the value has another type, or the text is broken.
[[noreturn]] void throwReadFailure(Frame& frame, simdjson::error_code error, od::json_type expected,
                                   const std::string& expectedName) {
    const od::json_type found = refusedType(frame);
    if (error == simdjson::INCORRECT_TYPE && found != expected) throwWrongType(found, expectedName);
    throwMalformed(error);
}

bool isNumberError(simdjson::error_code error) {
    return error == simdjson::INCORRECT_TYPE || error == simdjson::NUMBER_ERROR ||
           error == simdjson::NUMBER_OUT_OF_RANGE;
}

template <class T, class Read>
T readNumber(Frame& frame, const char* typeName, Read&& read) {
    T number{};
    const simdjson::error_code error = withSource(frame, read).get(number);
    if (!error) return number;
    const od::json_type found = refusedType(frame);
    if (found != od::json_type::number) throwWrongType(found, typeName);
    if (!isNumberError(error)) throwMalformed(error);
    throw DecodingError::dataCorrupted(
        {{}, "Number " + std::string(valueToken(frame)) + " does not fit in " + typeName + "."});
}

// Which members of an object were seen; no allocation for structs of up to 64 members.
class SeenMembers {
  public:
    explicit SeenMembers(std::size_t count) : few_(count <= 64) {
        if (!few_) many_.resize(count);
    }
    void set(std::size_t index) {
        if (few_) {
            bits_ |= std::uint64_t{1} << index;
        } else {
            many_[index] = 1;
        }
    }
    bool test(std::size_t index) const { return few_ ? (bits_ >> index & 1U) != 0 : many_[index]; }
    // Whether every member in `required` (a layout's mask, for up to 64 members) was seen.
    bool hasAll(std::uint64_t required) const { return few_ && (bits_ & required) == required; }

  private:
    bool few_;
    std::uint64_t bits_ = 0;
    std::vector<unsigned char> many_;
};

constexpr std::size_t kNoMember = static_cast<std::size_t>(-1);

bool hasEscape(const char* raw) {
    // The parser has checked that the key ends with an unescaped quote.
    for (const char* p = raw; *p != '"'; ++p) {
        if (*p == '\\') return true;
    }
    return false;
}

std::uint64_t loadWord(const char* bytes) {
    std::uint64_t word = 0;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) word = std::byteswap(word);
    return word;
}

// Whether the key at `raw` (just after its opening quote) is the slot's key. Reading two whole
// words, and up to 64 bytes past the key's start, stays within the document's padding.
bool rawKeyEquals(const char* raw, const json_detail::MemberSlot& slot) {
    if ((loadWord(raw) & slot.headMask) != slot.head) return false;
    const std::size_t size = slot.key.size();
    if (size < 8) return true;
    if ((loadWord(raw + 8) & slot.tailMask) != slot.tail) return false;
    if (size < 16) return true;
    if (size <= simdjson::SIMDJSON_PADDING) {
        return std::memcmp(raw + 16, slot.key.data() + 16, size - 16) == 0 && raw[size] == '"';
    }
    // Stops at the key's closing quote at the latest, as the slot's key holds no quote.
    for (std::size_t i = 16; i < size; ++i) {
        if (raw[i] != slot.key[i]) return false;
    }
    return raw[size] == '"';
}

// Finds the member for a key. Keys are compared as they stand in the document; documents
// mostly list members in declared order, so the search starts after the last match. Only a
// key with escapes is unescaped, and then compared in full.
std::size_t findMember(const json_detail::ObjectLayout& layout, od::field& field,
                       std::size_t start) {
    const od::raw_json_string key = field.key();
    std::size_t i = start;
    for (std::size_t tried = 0; tried < layout.count; ++tried) {
        const json_detail::MemberSlot& slot = layout.slots[i];
        if (slot.rawComparable && rawKeyEquals(key.raw(), slot)) return i;
        if (++i == layout.count) i = 0;
    }
    if (!hasEscape(key.raw())) return kNoMember;
    std::string_view unescaped;
    if (auto error = field.unescaped_key().get(unescaped)) throwMalformed(error);
    for (i = 0; i < layout.count; ++i) {
        if (layout.slots[i].key == unescaped) return i;
    }
    return kNoMember;
}

// A parser gets its working state from simdjson's process-wide implementation object, a
// static that exit destroys (a call into it afterwards aborts: "pure virtual method called").
// Pool threads go on decoding while exit runs, so a parser gets that state only through this
// gate, which exit closes before the object goes; a decode that would need it afterwards is
// abandoned as cancelled, as the process is ending. A parser passes once, then reuses its state.
// The gate is readied before main (below): one readied by a process's first decode could come
// after exit has begun, too late to close in time.
class ParserGate {
  public:
    static ParserGate& shared() {
        static NeverDestroyed<ParserGate> gate;
        static const bool closesAtExit = [] {
            // Makes simdjson build its implementation objects now, so that the hook, registered
            // after them, runs before exit destroys them.
            od::parser probe;
            [[maybe_unused]] const auto probed = probe.allocate(0);
            return std::atexit([] { shared().gate_.close(); }) == 0;
        }();
        (void)closesAtExit;
        return *gate;
    }

    // Gives `parser` its working state for `size` bytes, as iterate() would. Throws
    // CancellationError once exit has begun.
    simdjson::error_code open(od::parser& parser, std::size_t size) {
        const auto pass = gate_.enter();
        if (!pass) throw CancellationError();
        return parser.allocate(size, parser.max_depth());
    }

  private:
    ExitGate gate_;
};

[[maybe_unused]] const ParserGate& readiedBeforeMain = ParserGate::shared();

// The thread's parser, reused across decodes; a decode started from inside another one on
// the same thread (e.g. by a date strategy) gets a parser of its own.
struct ThreadParser {
    od::parser parser;
    bool busy = false;
    bool ready = false;  // through the gate
};
thread_local ThreadParser threadParser;

class ParserLease {
  public:
    ParserLease() {
        if (!threadParser.busy) {
            threadParser.busy = true;
            parser_ = &threadParser.parser;
        } else {
            parser_ = &own_.emplace();
        }
    }
    ~ParserLease() {
        if (!own_) threadParser.busy = false;
    }
    ParserLease(const ParserLease&) = delete;
    ParserLease& operator=(const ParserLease&) = delete;

    // The parser, readied for `size` bytes if it never was; throws MalformedJSON as iterate()
    // would fail, CancellationError during exit.
    od::parser& parser(std::size_t size) {
        if (own_ || !threadParser.ready) {
            if (auto error = ParserGate::shared().open(*parser_, size)) throwMalformed(error);
            if (!own_) threadParser.ready = true;
        }
        return *parser_;
    }

  private:
    std::optional<od::parser> own_;
    od::parser* parser_ = nullptr;
};

// The depth of the elements of a top-level array, or of an array in the top-level object.
constexpr std::int32_t kListElementDepth = 3;

// Range of Date's microsecond count, in seconds, with a margin for the reference offset.
constexpr double kDateSecondsLimit = 9.0e12;

}  // namespace

JSONType JSONReader::type() {
    switch (refusedType(frame_)) {
        case od::json_type::array:
            return JSONType::array;
        case od::json_type::object:
            return JSONType::object;
        case od::json_type::number:
            return JSONType::number;
        case od::json_type::string:
            return JSONType::string;
        case od::json_type::boolean:
            return JSONType::boolean;
        case od::json_type::null:
            return JSONType::null;
    }
    throwMalformed(simdjson::TAPE_ERROR);
}

bool JSONReader::isNull() {
    bool null = false;
    if (auto error = withSource(frame_, [](auto& s) { return s.is_null(); }).get(null)) {
        throwMalformed(error);
    }
    return null;
}

bool JSONReader::readBool() {
    bool value = false;
    if (auto error = withSource(frame_, [](auto& s) { return s.get_bool(); }).get(value)) {
        throwReadFailure(frame_, error, od::json_type::boolean, "Bool");
    }
    return value;
}

std::int64_t JSONReader::readInt64() {
    return readNumber<std::int64_t>(frame_, "Int64", [](auto& s) { return s.get_int64(); });
}

std::int32_t JSONReader::readInt32() {
    const std::int64_t value =
        readNumber<std::int64_t>(frame_, "Int32", [](auto& s) { return s.get_int64(); });
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw DecodingError::dataCorrupted(
            {{}, "Number " + std::to_string(value) + " does not fit in Int32."});
    }
    return static_cast<std::int32_t>(value);
}

double JSONReader::readDouble() {
    return readNumber<double>(frame_, "Double", [](auto& s) { return s.get_double(); });
}

std::string_view JSONReader::readString() {
    std::string_view value;
    if (auto error = withSource(frame_, [](auto& s) { return s.get_string(); }).get(value)) {
        throwReadFailure(frame_, error, od::json_type::string, "String");
    }
    return value;
}

Decimal JSONReader::readDecimal() {
    if (jsonType(frame_) != od::json_type::number) throwWrongType(refusedType(frame_), "Decimal");
    std::string_view token;
    if (frame_.document) {
        // raw_json() consumes the top-level value, so that trailing content is noticed.
        if (auto error = frame_.document->raw_json().get(token)) throwMalformed(error);
        token = trimBlanks(token);
    } else {
        // An inner value is passed over by its container without being parsed.
        token = valueToken(frame_);
    }
    std::optional<Decimal> value = Decimal::fromString(token);
    if (!value) {
        throw DecodingError::dataCorrupted(
            {{},
             "Number " + std::string(token) + " does not fit in Decimal (at most " +
                 std::to_string(Decimal::kMaxDigits) + " significant digits)."});
    }
    return *value;
}

Date JSONReader::readDate() {
    const JSONDecoder::DateDecodingStrategy& strategy = frame_.decoder->dateDecodingStrategy();
    if (strategy) {
        const std::string_view text = readString();
        try {
            return strategy(text);
        } catch (const DecodingError&) {
            throw;
        } catch (const std::exception& error) {
            throw DecodingError::dataCorrupted(
                {{},
                 "The date strategy refused \"" + std::string(text) + "\": " + error.what(),
                 std::current_exception()});
        }
    }
    const double seconds = readDouble();
    if (!(std::fabs(seconds) < kDateSecondsLimit)) {
        throw DecodingError::dataCorrupted(
            {{}, "Date of " + std::string(valueToken(frame_)) + " seconds is out of range."});
    }
    const auto offset = std::chrono::microseconds(std::llround(seconds * 1e6));
    return Date(Date::referenceDate().timePoint() + offset);
}

void JSONReader::skip() {
    if (frame_.document) {
        std::string_view ignored;
        if (auto error = frame_.document->raw_json().get(ignored)) throwMalformed(error);
        return;
    }
    std::string_view ignored;
    simdjson::error_code error = simdjson::SUCCESS;
    switch (jsonType(frame_)) {
        case od::json_type::object: {
            od::object object;
            error = frame_.value->get_object().get(object);
            if (!error) error = object.raw_json().get(ignored);
            break;
        }
        case od::json_type::array: {
            od::array array;
            error = frame_.value->get_array().get(array);
            if (!error) error = array.raw_json().get(ignored);
            break;
        }
        default:
            // A scalar is passed over by its container.
            break;
    }
    if (error) throwMalformed(error);
}

void JSONReader::throwTypeMismatch(const std::string& expectedType) {
    throwWrongType(refusedType(frame_), expectedType);
}

void JSONReader::throwDataCorrupted(std::string description) {
    throw DecodingError::dataCorrupted({{}, std::move(description)});
}

const JSONDecoder& JSONReader::decoder() const {
    return *frame_.decoder;
}

void JSONReader::decodeObject(const json_detail::ObjectLayout& layout, void* object) {
    od::object members;
    if (auto error = withSource(frame_, [](auto& s) { return s.get_object(); }).get(members)) {
        throwReadFailure(frame_, error, od::json_type::object, layout.typeName());
    }
    SeenMembers seen(layout.count);
    std::size_t next = 0;
    for (auto result : members) {
        if (result.error()) throwMalformed(result.error());
        od::field& field = result.value_unsafe();
        const std::size_t index = findMember(layout, field, next);
        if (index == kNoMember) continue;  // unknown keys: the value is skipped unread
        next = index + 1 == layout.count ? 0 : index + 1;
        Frame child{&field.value(), nullptr, frame_.decoder, frame_.end};
        JSONReader reader(child);
        try {
            layout.slots[index].decode(reader, object);
        } catch (DecodingError& error) {
            error.prependCodingKey(CodingKey(std::string(layout.slots[index].key)));
            throw;
        }
        seen.set(index);
    }
    if (seen.hasAll(layout.required)) return;
    for (std::size_t i = 0; i < layout.count; ++i) {
        const json_detail::MemberSlot& slot = layout.slots[i];
        if (slot.optional || seen.test(i)) continue;
        const std::string key(slot.key);
        throw DecodingError::keyNotFound(CodingKey(key), {{}, "No value for key \"" + key + "\"."});
    }
}

void JSONReader::forEachElementImpl(void* body, ElementFn fn, void* reserve, ReserveFn reserveFn) {
    od::array elements;
    if (auto error = withSource(frame_, [](auto& s) { return s.get_array(); }).get(elements)) {
        throwReadFailure(frame_, error, od::json_type::array, "Array");
    }
    // Counting the elements first would cost a pass over the whole array. Instead, from the
    // room the first element took, the second estimates how many the rest of the body holds:
    // close for the list a reply is made of (the body itself, or a member of the top-level
    // object), far off for an array nested deeper, which grows as usual.
    const char* first = nullptr;
    std::size_t index = 0;
    for (auto result : elements) {
        if (result.error()) throwMalformed(result.error());
        od::value& element = result.value_unsafe();
        if (reserveFn && index < 2 && element.current_depth() <= kListElementDepth) {
            const char* start = nullptr;
            if (auto error = element.current_location().get(start)) throwMalformed(error);
            if (index == 0) {
                first = start;
            } else {
                const auto taken = static_cast<std::size_t>(start - first);
                reserveFn(reserve, std::max<std::size_t>(
                                       2, static_cast<std::size_t>(frame_.end - first) / taken));
            }
        }
        Frame child{&element, nullptr, frame_.decoder, frame_.end};
        JSONReader reader(child);
        try {
            fn(body, reader);
        } catch (DecodingError& error) {
            error.prependCodingKey(CodingKey::index(index));
            throw;
        }
        ++index;
    }
}

void JSONReader::forEachMemberImpl(void* body, MemberFn fn) {
    od::object members;
    if (auto error = withSource(frame_, [](auto& s) { return s.get_object(); }).get(members)) {
        throwReadFailure(frame_, error, od::json_type::object, "Object");
    }
    for (auto result : members) {
        if (result.error()) throwMalformed(result.error());
        od::field& field = result.value_unsafe();
        std::string_view key;
        if (auto error = field.unescaped_key().get(key)) throwMalformed(error);
        Frame child{&field.value(), nullptr, frame_.decoder, frame_.end};
        JSONReader reader(child);
        try {
            fn(body, key, reader);
        } catch (DecodingError& error) {
            error.prependCodingKey(CodingKey(std::string(key)));
            throw;
        }
    }
}

void JSONReader::readDocument(const JSONDecoder& decoder, const char* bytes, std::size_t size,
                              std::size_t capacity, RootFn fn, void* out) {
    ParserLease lease;
    try {
        od::document document;
        const simdjson::padded_string_view view(bytes, size, capacity);
        if (auto error = lease.parser(size).iterate(view).get(document)) throwMalformed(error);
        Frame frame{nullptr, &document, &decoder, bytes + size};
        JSONReader root(frame);
        fn(root, out);
        const char* location = nullptr;
        if (document.current_location().get(location) != simdjson::OUT_OF_BOUNDS) {
            throw DecodingError::dataCorrupted({{}, "Unexpected content after the JSON value."});
        }
    } catch (const MalformedJSON& malformed) {
        throw DecodingError::dataCorrupted(
            {{},
             "The data is not valid JSON.",
             std::make_exception_ptr(std::runtime_error(simdjson::error_message(malformed.code)))});
    }
}

}  // namespace corvend::platform
