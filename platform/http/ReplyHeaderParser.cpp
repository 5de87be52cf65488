#include "platform/http/ReplyHeaderParser.hpp"

#include <utility>

#include "platform/http/AsciiCase.hpp"

namespace corvend::platform::detail {

namespace {

constexpr bool isBlank(char c) noexcept {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) noexcept {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && (isBlank(text.back()) || text.back() == '\r' || text.back() == '\n')) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

void ReplyHeaderParser::consume(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);

    if (line.starts_with("HTTP/")) {
        fields_.clear();
        last_ = fields_.end();
        blockEnded_ = false;
    } else if (line.empty()) {
        blockEnded_ = true;
    } else if (!blockEnded_) {
        if (line.front() == ' ' || line.front() == '\t') {
            if (last_ != fields_.end()) last_->second.append(" ").append(trimmed(line));
        } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
            const auto value = trimmed(line.substr(colon + 1));
            auto [it, inserted] =
                fields_.try_emplace(asciiLowercased(trimmed(line.substr(0, colon))), value);
            if (!inserted) it->second.append(", ").append(value);
            last_ = it;
        }
    }
}

std::map<std::string, std::string> ReplyHeaderParser::takeFields() {
    blockEnded_ = false;
    auto fields = std::exchange(fields_, {});
    last_ = fields_.end();
    return fields;
}

}  // namespace corvend::platform::detail
