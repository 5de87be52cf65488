#include "platform/web/PageEncoding.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/async/CancellationError.hpp"
#include "platform/async/CancellationToken.hpp"
#include "platform/http/URLError.hpp"
#include "platform/web/ReadBudget.hpp"

namespace corvend::platform::web {
namespace {

TEST(PageEncodingTest, FindsTheEncodingAsBrowsersDo) {
    const std::string meta = "<meta charset=koi8-r>";
    const std::string within1024 = std::string(1'024 - meta.size(), ' ') + meta;
    const struct {
        const char* name;
        std::string bytes;
        std::optional<std::string_view> contentType;
        std::string_view encoding;
    } rows[] = {
        {"nothing said", "<p>x", std::nullopt, "UTF-8"},
        {"the reply's charset", "<p>x", "text/html; charset=windows-1251", "windows-1251"},
        {"a quoted charset, any case", "<p>x", "Text/HTML;foo=\"a;b\"; CharSet=\"KOI8-R\"",
         "KOI8-R"},
        {"a byte-order mark before the reply's charset", "\xEF\xBB\xBF<p>x",
         "text/html; charset=windows-1251", "UTF-8"},
        {"UTF-16 marks", "\xFF\xFE<\0p\0", std::nullopt, "UTF-16LE"},
        {"UTF-16 marks before a <meta>", "\xFE\xFF\0<<meta charset=gbk>", std::nullopt, "UTF-16BE"},
        {"the reply's charset before a <meta>", "<meta charset=windows-1251>",
         "text/html;charset=x-sjis", "Shift_JIS"},
        {"a charset no browser knows, then a <meta>", "<meta charset=koi8-r>",
         "text/html; charset=x-unheard-of", "KOI8-R"},
        {"a reply without one, then a <meta>", "<meta charset=windows-1251>", "text/html",
         "windows-1251"},
        {"<meta charset> among tags", "<!DOCTYPE html><html lang=ru><head><META CharSet='cp1251'>",
         std::nullopt, "windows-1251"},
        {"<meta http-equiv>",
         "<head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=Shift_JIS\">",
         std::nullopt, "Shift_JIS"},
        {"the content before the http-equiv",
         "<meta content='text/html;charset = \"euc-jp\"' http-equiv=content-type>", std::nullopt,
         "EUC-JP"},
        {"a content without http-equiv", "<meta content='text/html; charset=koi8-r'>", std::nullopt,
         "UTF-8"},
        {"a <meta> ending in the first 1,024 bytes", within1024, std::nullopt, "KOI8-R"},
        {"one ending past them", " " + within1024, std::nullopt, "UTF-8"},
        {"a <meta> in a comment or a value",
         "<!-- <meta charset=koi8-r> --><div title='<meta "
         "charset=koi8-r>'><meta charset=gb2312>",
         std::nullopt, "GBK"},
        {"a <meta> of an unknown label, then another",
         "<meta charset=unheard-of><meta charset=' latin1 '>", std::nullopt, "windows-1252"},
        {"a <meta> naming UTF-16", "<meta charset=utf-16le>", std::nullopt, "UTF-8"},
        {"the first of two charsets in one <meta>", "<meta charset=big5 charset=koi8-r>",
         std::nullopt, "Big5"},
        {"a tag left open", "<p title='<meta charset=koi8-r>", std::nullopt, "UTF-8"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(PageEncoding::of(row.bytes, row.contentType).name(), row.encoding);
    }
}

TEST(PageEncodingTest, DecodesToUTF8WithEachUnmappedSequenceAsOneReplacement) {
    const std::string kanji = "\x93\xFA";  // 日
    std::string longKanji = "a";           // its letters across the chunks decoded at once
    std::string longKanjiUTF8 = "a";
    for (int i = 0; i < 40'000; ++i) {
        longKanji += kanji;
        longKanjiUTF8 += "\xE6\x97\xA5";
    }
    const struct {
        const char* label;
        std::string bytes;
        std::string text;
    } rows[] = {
        {"windows-1251", "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0",
         "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82, \xD0\xBC\xD0\xB8\xD1\x80"},
        {"koi8-r", "\xF0\xD2\xC9\xD7\xC5\xD4", "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
        {"shift_jis", "\x93\xFA\x96\x7B\x8C\xEA<\x83\x4A\x81\x5B\x83\x68",
         "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E<\xE3\x82\xAB\xE3\x83\xBC\xE3\x83\x89"},
        {"gb18030", "\xD6\xD0\xCE\xC4\x81\x30\x8B\x37\x94\x39\xFC\x36",
         "\xE4\xB8\xAD\xE6\x96\x87\xC3\xBF\xF0\x9F\x98\x80"},
        {"utf-16be", std::string("\0h\xD8\x3D\0i", 6), "h\xEF\xBF\xBDi"},
        {"windows-1253", "a\xD2 b", "a\xEF\xBF\xBD b"},
        {"shift_jis", "a\x82", "a\xEF\xBF\xBD"},
        {"euc-kr", "\xC7\xD1\xC7 b", "\xED\x95\x9C\xEF\xBF\xBD b"},
        {"iso-2022-kr", "<p>x", "\xEF\xBF\xBD"},
        {"shift_jis", longKanji, longKanjiUTF8},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const auto encoding = PageEncoding::labelled(row.label);
        ASSERT_TRUE(encoding);
        ReadBudget budget(WebPage::limitsFor(row.bytes.size()));
        EXPECT_EQ(encoding->decode(row.bytes, budget).view(), row.text);
    }
}

// Decoding is part of the read: a cancel stops it, and its text counts against the memory limit.
TEST(PageEncodingTest, DecodingStopsAtTheReadsCancelAndMemoryLimit) {
    const std::string page(std::size_t{4} << 20, '\xE0');  // 8 MiB once decoded
    const auto encoding = PageEncoding::labelled("windows-1251");
    ASSERT_TRUE(encoding);
    {
        CancellationSource source;
        source.cancel();
        const CancellationScope scope(source.token());
        ReadBudget budget(WebPage::limitsFor(page.size()));
        EXPECT_THROW(encoding->decode(page, budget), CancellationError);
    }
    ReadBudget budget({.memoryBytes = std::size_t{6} << 20, .cpuTime = std::chrono::seconds(10)});
    try {
        encoding->decode(page, budget);
        ADD_FAILURE() << "decoded past the limit";
    } catch (const URLError& error) {
        EXPECT_EQ(error.description(), "the page takes more than 6 MiB of memory to read");
    }
}

}  // namespace
}  // namespace corvend::platform::web
