#include "platform/http/ReplyHeaderParser.hpp"

#include <utility>

#include "platform/http/AsciiCase.hpp"

namespace corvend::platform::detail {

namespace {

std::string_view trimmed(std::string_view text) noexcept {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

}  // namespace

void ReplyHeaderParser::consume(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);

    if (line.starts_with("HTTP/")) {
        fields_.clear();
        lastName_.clear();
        blockEnded_ = false;
    } else if (line.empty()) {
        blockEnded_ = true;
    } else if (!blockEnded_) {
        if (line.front() == ' ' || line.front() == '\t') {
            auto previous = fields_.find(lastName_);
            if (previous != fields_.end()) previous->second.append(" ").append(trimmed(line));
        } else if (const auto colon = line.find(':'); colon != std::string_view::npos) {
            auto name = asciiLowercased(trimmed(line.substr(0, colon)));
            const auto value = trimmed(line.substr(colon + 1));
            auto [it, inserted] = fields_.try_emplace(name, value);
            if (!inserted) it->second.append(", ").append(value);
            lastName_ = std::move(name);
        }
    }
}

std::map<std::string, std::string> ReplyHeaderParser::takeFields() {
    lastName_.clear();
    blockEnded_ = false;
    return std::exchange(fields_, {});
}

}  // namespace corvend::platform::detail
