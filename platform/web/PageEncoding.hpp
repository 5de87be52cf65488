#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string_view>

namespace corvend::platform::web {

class ReadBudget;

// The encoding a page's bytes are written in, found as browsers find it: a byte-order mark
// (UTF-8, UTF-16LE or UTF-16BE) first, then the `charset` of the reply's Content-Type, then a
// <meta charset> or <meta http-equiv="Content-Type" content="...charset=..."> among the first
// 1,024 bytes (as the browsers' prescan finds it: comments and other tags skipped), else UTF-8.
// Labels read as browsers read them ("latin1" and "ascii" are windows-1252, "gb2312" is GBK, a
// <meta> naming UTF-16 means UTF-8); a label they do not know, or one whose converter this
// system's ICU lacks, names nothing and the next rule decides.
//
//   const PageEncoding encoding = PageEncoding::of(bytes, contentType);
//   if (encoding.isUTF8()) parse(bytes.substr(encoding.markBytes()));
//   else parse(encoding.decode(bytes, budget).view());
class PageEncoding {
  public:
    static PageEncoding of(std::string_view bytes, std::optional<std::string_view> contentType);
    // What `label` names; nullopt when it names nothing this reader can decode.
    static std::optional<PageEncoding> labelled(std::string_view label);

    // The encoding's own name ("UTF-8", "windows-1251", "Shift_JIS").
    std::string_view name() const { return name_; }
    bool isUTF8() const { return converter_ == nullptr; }
    // The bytes of the byte-order mark that named it: none when something else did.
    std::size_t markBytes() const { return markBytes_; }

    // Text decoded to UTF-8.
    class Text {
      public:
        std::string_view view() const { return {bytes_.get(), size_}; }

      private:
        friend class PageEncoding;
        struct Free {
            void operator()(char* bytes) const noexcept { std::free(bytes); }
        };
        std::unique_ptr<char, Free> bytes_;
        std::size_t size_ = 0;
    };
    // Decodes `bytes` (its byte-order mark left out) to UTF-8, each sequence the encoding does
    // not map as U+FFFD. Works in chunks, checking `budget` between them so that a cancel or the
    // CPU time stops it, and counts the text it grows against the budget's memory: throws as
    // budget.check() does.
    Text decode(std::string_view bytes, ReadBudget& budget) const;

  private:
    PageEncoding(std::string_view name, const char* converter, std::size_t markBytes = 0)
        : name_(name), converter_(converter), markBytes_(markBytes) {}

    std::string_view name_;
    const char* converter_;  // ICU's name for it; null for UTF-8
    std::size_t markBytes_;
};

}  // namespace corvend::platform::web
