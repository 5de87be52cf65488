#pragma once

#include <boost/json/value.hpp>
#include <cstddef>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvend::sandbox {

// The sandbox's in-memory data: named collections of JSON documents, each document under an
// identifier, kept in insertion order. Every member is safe to call from any thread.
class MemoryStore {
  public:
    // Inserts `value` under `id`, or replaces the document already there (keeping its place).
    void put(std::string_view collection, std::string_view id, boost::json::value value);

    // Appends `value` under a fresh identifier and returns that identifier.
    std::string append(std::string_view collection, boost::json::value value);

    // Returns a copy of the document, or nothing when there is none.
    std::optional<boost::json::value> get(std::string_view collection, std::string_view id) const;

    // Returns copies of every document of the collection, in insertion order.
    std::vector<boost::json::value> list(std::string_view collection) const;

    // Runs `change` on the document under the store's lock; false when there is no document.
    bool update(std::string_view collection, std::string_view id,
                const std::function<void(boost::json::value&)>& change);

    // Removes the document and returns it, or nothing when there is none.
    std::optional<boost::json::value> remove(std::string_view collection, std::string_view id);

  private:
    using Collection = std::vector<std::pair<std::string, boost::json::value>>;

    static Collection::iterator find(Collection& collection, std::string_view id);

    mutable std::mutex mutex_;
    std::map<std::string, Collection, std::less<>> collections_;
    std::size_t nextId_ = 1;
};

}  // namespace corvend::sandbox
