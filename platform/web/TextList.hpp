#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/web/IndexIterator.hpp"

namespace corvend::platform::web {

// A list of texts kept end to end in one buffer, with four bytes of bookkeeping per text: a
// page of many short texts costs little more than its letters. Reads give views into the
// buffer, valid while the list is unchanged.
class TextList {
  public:
    using const_iterator = IndexIterator<TextList, std::string_view>;
    using iterator = const_iterator;
    using value_type = std::string_view;
    using size_type = std::size_t;

    std::size_t size() const noexcept { return ends_.size(); }
    bool empty() const noexcept { return ends_.empty(); }
    std::string_view operator[](std::size_t index) const;
    std::string_view front() const { return (*this)[0]; }
    std::string_view back() const { return (*this)[size() - 1]; }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // Throws std::length_error past 4 GiB of text in all.
    void push_back(std::string_view text);
    // Gives back what growing reserved: a finished list keeps only what it holds.
    void shrinkToFit();

    friend bool operator==(const TextList& lhs, const TextList& rhs) = default;
    friend bool operator==(const TextList& lhs, const std::vector<std::string>& rhs);

  private:
    std::string text_;
    std::vector<std::uint32_t> ends_;  // where each text ends in text_
};

}  // namespace corvend::platform::web
