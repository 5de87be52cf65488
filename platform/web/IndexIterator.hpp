#pragma once

#include <cstddef>
#include <iterator>

namespace corvend::platform::web {

// Walks a list that is read by index and gives each element by value (a view or a value made
// on reading), as the page's compact lists do.
template <class List, class Value>
class IndexIterator {
  public:
    // `it->member` on an element made on the fly.
    struct Arrow {
        Value value;
        const Value* operator->() const { return &value; }
    };

    using iterator_category = std::input_iterator_tag;
    using value_type = Value;
    using difference_type = std::ptrdiff_t;
    using pointer = Arrow;
    using reference = Value;

    IndexIterator() = default;
    IndexIterator(const List* list, std::size_t index) : list_(list), index_(index) {}

    Value operator*() const { return (*list_)[index_]; }
    Arrow operator->() const { return {**this}; }
    IndexIterator& operator++() {
        ++index_;
        return *this;
    }
    IndexIterator operator++(int) {
        auto before = *this;
        ++index_;
        return before;
    }
    friend bool operator==(const IndexIterator&, const IndexIterator&) = default;

  private:
    const List* list_ = nullptr;
    std::size_t index_ = 0;
};

}  // namespace corvend::platform::web
