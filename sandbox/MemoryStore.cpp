#include "MemoryStore.hpp"

#include <algorithm>

namespace corvend::sandbox {

MemoryStore::Collection::iterator MemoryStore::find(Collection& collection, std::string_view id) {
    return std::ranges::find_if(collection, [&](const auto& entry) { return entry.first == id; });
}

void MemoryStore::put(std::string_view collection, std::string_view id, boost::json::value value) {
    std::lock_guard lock(mutex_);
    auto& documents = collections_[std::string(collection)];
    if (auto it = find(documents, id); it != documents.end()) {
        it->second = std::move(value);
    } else {
        documents.emplace_back(std::string(id), std::move(value));
    }
}

std::string MemoryStore::append(std::string_view collection, boost::json::value value) {
    std::lock_guard lock(mutex_);
    std::string id = std::to_string(nextId_++);
    collections_[std::string(collection)].emplace_back(id, std::move(value));
    return id;
}

std::optional<boost::json::value> MemoryStore::get(std::string_view collection,
                                                   std::string_view id) const {
    std::lock_guard lock(mutex_);
    auto documents = collections_.find(collection);
    if (documents == collections_.end()) return std::nullopt;
    for (const auto& [key, value] : documents->second) {
        if (key == id) return value;
    }
    return std::nullopt;
}

std::vector<boost::json::value> MemoryStore::list(std::string_view collection) const {
    std::lock_guard lock(mutex_);
    std::vector<boost::json::value> values;
    if (auto documents = collections_.find(collection); documents != collections_.end()) {
        values.reserve(documents->second.size());
        for (const auto& entry : documents->second) values.push_back(entry.second);
    }
    return values;
}

std::optional<boost::json::value> MemoryStore::remove(std::string_view collection,
                                                      std::string_view id) {
    std::lock_guard lock(mutex_);
    auto documents = collections_.find(collection);
    if (documents == collections_.end()) return std::nullopt;
    auto it = find(documents->second, id);
    if (it == documents->second.end()) return std::nullopt;
    auto removed = std::move(it->second);
    documents->second.erase(it);
    return removed;
}

bool MemoryStore::update(std::string_view collection, std::string_view id,
                         const std::function<void(boost::json::value&)>& change) {
    std::lock_guard lock(mutex_);
    auto documents = collections_.find(collection);
    if (documents == collections_.end()) return false;
    auto it = find(documents->second, id);
    if (it == documents->second.end()) return false;
    change(it->second);
    return true;
}

}  // namespace corvend::sandbox
