#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace corvend::platform {

// An absolute URL (scheme and host present), kept as normalised text.
class URL {
public:
    // Parses an absolute URL ("https://host/path?q"); absent when the text is not one.
    static std::optional<URL> make(std::string_view text);

    const std::string& absoluteString() const { return text_; }
    std::string scheme() const;          // lower-case, e.g. "https"
    std::optional<std::string> host() const;
    std::string path() const;            // percent-encoded, as on the wire
    std::optional<std::string> query() const;  // percent-encoded, without "?"

    friend bool operator==(const URL&, const URL&) = default;

private:
    explicit URL(std::string text) : text_(std::move(text)) {}
    std::string text_;
};

}  // namespace corvend::platform
