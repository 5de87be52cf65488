#pragma once

#include <array>
#include <concepts>
#include <cstddef>
#include <optional>
#include <string_view>

namespace corvend::model {

// One case of an enumeration and the string that stands for it on the wire.
template <class E>
struct WireValue {
    E value;
    std::string_view wire;
};

// The wire vocabulary of one enumeration: the listed cases with their strings, and the case
// that every other string reads as. The service adds strings over time, so reading never
// fails: what the kit does not know becomes the fallback case.
template <class E, std::size_t N>
class WireValueTable {
  public:
    // `fallbackWire` is what write() gives for the fallback case.
    constexpr WireValueTable(E fallback, std::string_view fallbackWire,
                             const std::array<WireValue<E>, N>& entries)
        : entries_(entries), fallback_(fallback), fallbackWire_(fallbackWire) {}

    // The case whose string equals `text` exactly (whole text, case counts); the fallback
    // case for any other text and for no text at all (`fallbackWire` included: it needs no
    // entry).
    constexpr E read(std::optional<std::string_view> text) const {
        if (text) {
            for (const WireValue<E>& entry : entries_) {
                if (entry.wire == *text) return entry.value;
            }
        }
        return fallback_;
    }

    // The string of `value`: its entry's, or `fallbackWire` for a case without one.
    constexpr std::string_view write(E value) const {
        for (const WireValue<E>& entry : entries_) {
            if (entry.value == value) return entry.wire;
        }
        return fallbackWire_;
    }

  private:
    std::array<WireValue<E>, N> entries_;
    E fallback_;
    std::string_view fallbackWire_;
};

// Builds a table with its size taken from the list:
//
//   constexpr auto kTable = wireValueTable(Color::unknown, "UNKNOWN",
//                                          {{Color::red, "RED"}, {Color::blue, "BLUE"}});
template <class E, std::size_t N>
constexpr WireValueTable<E, N> wireValueTable(E fallback, std::string_view fallbackWire,
                                              const WireValue<E> (&entries)[N]) {
    return WireValueTable<E, N>(fallback, fallbackWire, std::to_array(entries));
}

// The wire vocabulary of the enumeration E, specialised beside each enumeration:
//
//   template <>
//   struct WireValues<Color> {
//       static constexpr auto table = wireValueTable(Color::unknown, "UNKNOWN", {...});
//   };
template <class E>
struct WireValues;

template <class E>
concept WireEnumeration = requires(std::optional<std::string_view> text, E value) {
    { WireValues<E>::table.read(text) } -> std::same_as<E>;
    { WireValues<E>::table.write(value) } -> std::same_as<std::string_view>;
};

// Reads `text` by E's vocabulary: the case whose string equals it exactly, else E's fallback
// (its `unknown` case), also for no text at all. Never fails.
template <WireEnumeration E>
constexpr E fromWire(std::optional<std::string_view> text) {
    return WireValues<E>::table.read(text);
}

// The wire string of `value` by E's vocabulary; the fallback string for the `unknown` case.
template <WireEnumeration E>
constexpr std::string_view toWireValue(E value) {
    return WireValues<E>::table.write(value);
}

}  // namespace corvend::model
