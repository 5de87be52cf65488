#pragma once

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace corvend::testing {

// A reply body as its members, each a key and its raw JSON text, in order; a test varies one
// member at a time:
//
//   const ReplyDocument kQuote{{"id", R"("fxq-1")"}, {"fxRate", "1.0850"}};
//   decode(kQuote.with("fxRate", "null").text());
class ReplyDocument {
  public:
    using Member = std::pair<std::string, std::string>;

    ReplyDocument(std::initializer_list<Member> members) : members_(members) {}

    // This document with the member `key` set to `raw`, added at the end when missing.
    ReplyDocument with(const std::string& key, std::string raw) const {
        ReplyDocument edited = *this;
        const auto at = edited.find(key);
        if (at != edited.members_.end()) {
            at->second = std::move(raw);
        } else {
            edited.members_.emplace_back(key, std::move(raw));
        }
        return edited;
    }

    // This document without the member `key`.
    ReplyDocument without(const std::string& key) const {
        ReplyDocument edited = *this;
        const auto at = edited.find(key);
        if (at != edited.members_.end()) edited.members_.erase(at);
        return edited;
    }

    // The JSON object text.
    std::string text() const {
        std::string text = "{";
        for (const auto& [key, raw] : members_) {
            if (text.size() > 1) text += ",";
            text += "\"" + key + "\":" + raw;
        }
        return text + "}";
    }

  private:
    std::vector<Member>::iterator find(const std::string& key) {
        return std::ranges::find(members_, key, &Member::first);
    }

    std::vector<Member> members_;
};

}  // namespace corvend::testing
