#pragma once

#include <map>
#include <string>
#include <string_view>

namespace corvend::platform::detail {

// Collects the header fields of a transfer's final response from the lines libcurl hands over
// one by one: those of every response, interim ones (1xx) included, and trailers after the
// body. A status line starts a new block, so only the last response's fields are kept, and
// trailers are ignored. Names are lower-cased (as HTTP/2 carries them); a repeated field is
// joined with ", "; an obsolete folded line continues the field before it.
class ReplyHeaderParser {
  public:
    ReplyHeaderParser() = default;
    // Not copyable: it keeps a position in its own fields.
    ReplyHeaderParser(const ReplyHeaderParser&) = delete;
    ReplyHeaderParser& operator=(const ReplyHeaderParser&) = delete;

    // One line as received, line break included.
    void consume(std::string_view line);

    // The fields collected so far; the parser is left empty.
    std::map<std::string, std::string> takeFields();

  private:
    std::map<std::string, std::string> fields_;
    // The field a folded line continues; fields_.end() when there is none.
    std::map<std::string, std::string>::iterator last_ = fields_.end();
    bool blockEnded_ = false;
};

}  // namespace corvend::platform::detail
