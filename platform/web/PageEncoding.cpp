#include "platform/web/PageEncoding.hpp"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <string>

#include "platform/http/URLError.hpp"
#include "platform/web/ReadBudget.hpp"

namespace corvend::platform::web {

namespace {

// What a label names: the encoding's own name and ICU's converter for it.
struct Encoding {
    std::string_view name;
    const char* converter;  // null for UTF-8
};

// Labels browsers give no decoder that reads the page: the whole page reads as one U+FFFD, so
// that text meant for another encoding is never read as markup.
constexpr const char* kReplacement = "";

constexpr Encoding kUTF8{"UTF-8", nullptr};
constexpr Encoding kUTF16LE{"UTF-16LE", "UTF-16LE"};
constexpr Encoding kUTF16BE{"UTF-16BE", "UTF-16BE"};

struct Label {
    std::string_view label;
    Encoding encoding;
};

constexpr Encoding kIBM866{"IBM866", "IBM866"};
constexpr Encoding k88592{"ISO-8859-2", "ISO-8859-2"};
constexpr Encoding k88593{"ISO-8859-3", "ISO-8859-3"};
constexpr Encoding k88594{"ISO-8859-4", "ISO-8859-4"};
constexpr Encoding k88595{"ISO-8859-5", "ISO-8859-5"};
constexpr Encoding k88596{"ISO-8859-6", "ISO-8859-6"};
constexpr Encoding k88597{"ISO-8859-7", "ISO-8859-7"};
constexpr Encoding k88598{"ISO-8859-8", "ISO-8859-8"};
constexpr Encoding k88598I{"ISO-8859-8-I", "ISO-8859-8"};
constexpr Encoding k885910{"ISO-8859-10", "ISO-8859-10"};
constexpr Encoding k885913{"ISO-8859-13", "ISO-8859-13"};
constexpr Encoding k885914{"ISO-8859-14", "ISO-8859-14"};
constexpr Encoding k885915{"ISO-8859-15", "ISO-8859-15"};
constexpr Encoding k885916{"ISO-8859-16", "ISO-8859-16"};
constexpr Encoding kKOI8R{"KOI8-R", "KOI8-R"};
constexpr Encoding kKOI8U{"KOI8-U", "KOI8-U"};
constexpr Encoding kMacintosh{"macintosh", "macintosh"};
constexpr Encoding k874{"windows-874", "windows-874"};
constexpr Encoding k1250{"windows-1250", "windows-1250"};
constexpr Encoding k1251{"windows-1251", "windows-1251"};
constexpr Encoding k1252{"windows-1252", "windows-1252"};
constexpr Encoding k1253{"windows-1253", "windows-1253"};
constexpr Encoding k1254{"windows-1254", "windows-1254"};
constexpr Encoding k1255{"windows-1255", "windows-1255"};
constexpr Encoding k1256{"windows-1256", "windows-1256"};
constexpr Encoding k1257{"windows-1257", "windows-1257"};
constexpr Encoding k1258{"windows-1258", "windows-1258"};
constexpr Encoding kMacCyrillic{"x-mac-cyrillic", "x-mac-cyrillic"};
// GBK pages are read by the GB18030 decoder, a superset; Big5 by its Hong Kong superset;
// Shift_JIS and EUC-KR by the Windows code pages that extend them, as browsers read them.
constexpr Encoding kGBK{"GBK", "GB18030"};
constexpr Encoding kGB18030{"gb18030", "GB18030"};
constexpr Encoding kBig5{"Big5", "Big5-HKSCS"};
constexpr Encoding kEUCJP{"EUC-JP", "EUC-JP"};
constexpr Encoding kISO2022JP{"ISO-2022-JP", "ISO-2022-JP"};
constexpr Encoding kShiftJIS{"Shift_JIS", "windows-31j"};
constexpr Encoding kEUCKR{"EUC-KR", "windows-949"};
constexpr Encoding kReplacementEncoding{"replacement", kReplacement};

// Every label browsers know, lower case, and what it names (x-user-defined left out).
constexpr Label kLabels[] = {
    {"unicode-1-1-utf-8", kUTF8},
    {"unicode11utf8", kUTF8},
    {"unicode20utf8", kUTF8},
    {"utf-8", kUTF8},
    {"utf8", kUTF8},
    {"x-unicode20utf8", kUTF8},
    {"866", kIBM866},
    {"cp866", kIBM866},
    {"csibm866", kIBM866},
    {"ibm866", kIBM866},
    {"csisolatin2", k88592},
    {"iso-8859-2", k88592},
    {"iso-ir-101", k88592},
    {"iso8859-2", k88592},
    {"iso88592", k88592},
    {"iso_8859-2", k88592},
    {"iso_8859-2:1987", k88592},
    {"l2", k88592},
    {"latin2", k88592},
    {"csisolatin3", k88593},
    {"iso-8859-3", k88593},
    {"iso-ir-109", k88593},
    {"iso8859-3", k88593},
    {"iso88593", k88593},
    {"iso_8859-3", k88593},
    {"iso_8859-3:1988", k88593},
    {"l3", k88593},
    {"latin3", k88593},
    {"csisolatin4", k88594},
    {"iso-8859-4", k88594},
    {"iso-ir-110", k88594},
    {"iso8859-4", k88594},
    {"iso88594", k88594},
    {"iso_8859-4", k88594},
    {"iso_8859-4:1988", k88594},
    {"l4", k88594},
    {"latin4", k88594},
    {"csisolatincyrillic", k88595},
    {"cyrillic", k88595},
    {"iso-8859-5", k88595},
    {"iso-ir-144", k88595},
    {"iso8859-5", k88595},
    {"iso88595", k88595},
    {"iso_8859-5", k88595},
    {"iso_8859-5:1988", k88595},
    {"arabic", k88596},
    {"asmo-708", k88596},
    {"csiso88596e", k88596},
    {"csiso88596i", k88596},
    {"csisolatinarabic", k88596},
    {"ecma-114", k88596},
    {"iso-8859-6", k88596},
    {"iso-8859-6-e", k88596},
    {"iso-8859-6-i", k88596},
    {"iso-ir-127", k88596},
    {"iso8859-6", k88596},
    {"iso88596", k88596},
    {"iso_8859-6", k88596},
    {"iso_8859-6:1987", k88596},
    {"csisolatingreek", k88597},
    {"ecma-118", k88597},
    {"elot_928", k88597},
    {"greek", k88597},
    {"greek8", k88597},
    {"iso-8859-7", k88597},
    {"iso-ir-126", k88597},
    {"iso8859-7", k88597},
    {"iso88597", k88597},
    {"iso_8859-7", k88597},
    {"iso_8859-7:1987", k88597},
    {"sun_eu_greek", k88597},
    {"csiso88598e", k88598},
    {"csisolatinhebrew", k88598},
    {"hebrew", k88598},
    {"iso-8859-8", k88598},
    {"iso-8859-8-e", k88598},
    {"iso-ir-138", k88598},
    {"iso8859-8", k88598},
    {"iso88598", k88598},
    {"iso_8859-8", k88598},
    {"iso_8859-8:1988", k88598},
    {"visual", k88598},
    {"csiso88598i", k88598I},
    {"iso-8859-8-i", k88598I},
    {"logical", k88598I},
    {"csisolatin6", k885910},
    {"iso-8859-10", k885910},
    {"iso-ir-157", k885910},
    {"iso8859-10", k885910},
    {"iso885910", k885910},
    {"l6", k885910},
    {"latin6", k885910},
    {"iso-8859-13", k885913},
    {"iso8859-13", k885913},
    {"iso885913", k885913},
    {"iso-8859-14", k885914},
    {"iso8859-14", k885914},
    {"iso885914", k885914},
    {"csisolatin9", k885915},
    {"iso-8859-15", k885915},
    {"iso8859-15", k885915},
    {"iso885915", k885915},
    {"iso_8859-15", k885915},
    {"l9", k885915},
    {"iso-8859-16", k885916},
    {"cskoi8r", kKOI8R},
    {"koi", kKOI8R},
    {"koi8", kKOI8R},
    {"koi8-r", kKOI8R},
    {"koi8_r", kKOI8R},
    {"koi8-ru", kKOI8U},
    {"koi8-u", kKOI8U},
    {"csmacintosh", kMacintosh},
    {"mac", kMacintosh},
    {"macintosh", kMacintosh},
    {"x-mac-roman", kMacintosh},
    {"dos-874", k874},
    {"iso-8859-11", k874},
    {"iso8859-11", k874},
    {"iso885911", k874},
    {"tis-620", k874},
    {"windows-874", k874},
    {"cp1250", k1250},
    {"windows-1250", k1250},
    {"x-cp1250", k1250},
    {"cp1251", k1251},
    {"windows-1251", k1251},
    {"x-cp1251", k1251},
    {"ansi_x3.4-1968", k1252},
    {"ascii", k1252},
    {"cp1252", k1252},
    {"cp819", k1252},
    {"csisolatin1", k1252},
    {"ibm819", k1252},
    {"iso-8859-1", k1252},
    {"iso-ir-100", k1252},
    {"iso8859-1", k1252},
    {"iso88591", k1252},
    {"iso_8859-1", k1252},
    {"iso_8859-1:1987", k1252},
    {"l1", k1252},
    {"latin1", k1252},
    {"us-ascii", k1252},
    {"windows-1252", k1252},
    {"x-cp1252", k1252},
    {"cp1253", k1253},
    {"windows-1253", k1253},
    {"x-cp1253", k1253},
    {"cp1254", k1254},
    {"csisolatin5", k1254},
    {"iso-8859-9", k1254},
    {"iso-ir-148", k1254},
    {"iso8859-9", k1254},
    {"iso88599", k1254},
    {"iso_8859-9", k1254},
    {"iso_8859-9:1989", k1254},
    {"l5", k1254},
    {"latin5", k1254},
    {"windows-1254", k1254},
    {"x-cp1254", k1254},
    {"cp1255", k1255},
    {"windows-1255", k1255},
    {"x-cp1255", k1255},
    {"cp1256", k1256},
    {"windows-1256", k1256},
    {"x-cp1256", k1256},
    {"cp1257", k1257},
    {"windows-1257", k1257},
    {"x-cp1257", k1257},
    {"cp1258", k1258},
    {"windows-1258", k1258},
    {"x-cp1258", k1258},
    {"x-mac-cyrillic", kMacCyrillic},
    {"x-mac-ukrainian", kMacCyrillic},
    {"chinese", kGBK},
    {"csgb2312", kGBK},
    {"csiso58gb231280", kGBK},
    {"gb2312", kGBK},
    {"gb_2312", kGBK},
    {"gb_2312-80", kGBK},
    {"gbk", kGBK},
    {"iso-ir-58", kGBK},
    {"x-gbk", kGBK},
    {"gb18030", kGB18030},
    {"big5", kBig5},
    {"big5-hkscs", kBig5},
    {"cn-big5", kBig5},
    {"csbig5", kBig5},
    {"x-x-big5", kBig5},
    {"cseucpkdfmtjapanese", kEUCJP},
    {"euc-jp", kEUCJP},
    {"x-euc-jp", kEUCJP},
    {"csiso2022jp", kISO2022JP},
    {"iso-2022-jp", kISO2022JP},
    {"csshiftjis", kShiftJIS},
    {"ms932", kShiftJIS},
    {"ms_kanji", kShiftJIS},
    {"shift-jis", kShiftJIS},
    {"shift_jis", kShiftJIS},
    {"sjis", kShiftJIS},
    {"windows-31j", kShiftJIS},
    {"x-sjis", kShiftJIS},
    {"cseuckr", kEUCKR},
    {"csksc56011987", kEUCKR},
    {"euc-kr", kEUCKR},
    {"iso-ir-149", kEUCKR},
    {"korean", kEUCKR},
    {"ks_c_5601-1987", kEUCKR},
    {"ks_c_5601-1989", kEUCKR},
    {"ksc5601", kEUCKR},
    {"ksc_5601", kEUCKR},
    {"windows-949", kEUCKR},
    {"csiso2022kr", kReplacementEncoding},
    {"hz-gb-2312", kReplacementEncoding},
    {"iso-2022-cn", kReplacementEncoding},
    {"iso-2022-cn-ext", kReplacementEncoding},
    {"iso-2022-kr", kReplacementEncoding},
    {"replacement", kReplacementEncoding},
    {"unicodefffe", kUTF16BE},
    {"utf-16be", kUTF16BE},
    {"csunicode", kUTF16LE},
    {"iso-10646-ucs-2", kUTF16LE},
    {"ucs-2", kUTF16LE},
    {"unicode", kUTF16LE},
    {"unicodefeff", kUTF16LE},
    {"utf-16", kUTF16LE},
    {"utf-16le", kUTF16LE},
};

// The blanks of labels, of the prescan and of a <meta>'s content.
bool isBlank(char c) {
    return c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Whether `bytes` holds `word` (lower case) at `at`, in any case.
bool holdsAt(std::string_view bytes, std::size_t at, std::string_view word) {
    if (bytes.size() - std::min(at, bytes.size()) < word.size()) return false;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (lower(bytes[at + i]) != word[i]) return false;
    }
    return true;
}

// The `charset` parameter of a Content-Type (its first one), unquoted.
std::optional<std::string> charsetOf(std::string_view contentType) {
    const auto isHTTPBlank = [](char c) { return c == '\t' || c == '\n' || c == '\r' || c == ' '; };
    std::size_t at = contentType.find(';');
    while (at < contentType.size()) {
        ++at;
        while (at < contentType.size() && isHTTPBlank(contentType[at])) ++at;
        std::string name;
        while (at < contentType.size() && contentType[at] != ';' && contentType[at] != '=') {
            name += lower(contentType[at++]);
        }
        if (at >= contentType.size() || contentType[at] == ';') continue;
        ++at;  // '='
        std::string value;
        if (at < contentType.size() && contentType[at] == '"') {
            for (++at; at < contentType.size() && contentType[at] != '"'; ++at) {
                if (contentType[at] == '\\' && at + 1 < contentType.size()) ++at;
                value += contentType[at];
            }
            at = std::min(contentType.find(';', at), contentType.size());
        } else {
            const std::size_t end = std::min(contentType.find(';', at), contentType.size());
            value = contentType.substr(at, end - at);
            while (!value.empty() && isHTTPBlank(value.back())) value.pop_back();
            at = end;
        }
        if (name == "charset" && !value.empty()) return value;
    }
    return std::nullopt;
}

// One attribute of a tag as the prescan reads it: the name lower case, the value too.
struct Attribute {
    std::string name;
    std::string value;
};

// The attribute at `at` (moved past it); nullopt at the tag's end (`at` on its '>') or at the
// end of the bytes (`at` past them).
std::optional<Attribute> nextAttribute(std::string_view bytes, std::size_t& at) {
    const auto past = [&] { return at >= bytes.size(); };
    while (!past() && (isBlank(bytes[at]) || bytes[at] == '/')) ++at;
    if (past() || bytes[at] == '>') return std::nullopt;
    Attribute attribute;
    bool hasValue = false;
    for (;; ++at) {
        if (past()) return std::nullopt;
        const char c = bytes[at];
        if (c == '=' && !attribute.name.empty()) {
            ++at;
            hasValue = true;
            break;
        }
        if (isBlank(c)) break;
        if (c == '/' || c == '>') return attribute;
        attribute.name += lower(c);
    }
    if (!hasValue) {
        while (!past() && isBlank(bytes[at])) ++at;
        if (past()) return std::nullopt;
        if (bytes[at] != '=') return attribute;
        ++at;
    }
    while (!past() && isBlank(bytes[at])) ++at;
    if (past()) return std::nullopt;
    if (bytes[at] == '"' || bytes[at] == '\'') {
        const char quote = bytes[at];
        for (++at; !past(); ++at) {
            if (bytes[at] == quote) {
                ++at;
                return attribute;
            }
            attribute.value += lower(bytes[at]);
        }
        return std::nullopt;
    }
    if (bytes[at] == '>') return attribute;
    for (; !past(); ++at) {
        if (isBlank(bytes[at]) || bytes[at] == '>') return attribute;
        attribute.value += lower(bytes[at]);
    }
    return std::nullopt;
}

// The encoding a <meta>'s content names after "charset=" (lower case already).
std::optional<PageEncoding> namedByContent(std::string_view content) {
    std::size_t at = 0;
    for (;;) {
        const std::size_t found = content.find("charset", at);
        if (found == std::string_view::npos) return std::nullopt;
        at = found + 7;
        while (at < content.size() && isBlank(content[at])) ++at;
        if (at >= content.size() || content[at] != '=') continue;
        ++at;
        while (at < content.size() && isBlank(content[at])) ++at;
        if (at >= content.size()) return std::nullopt;
        if (content[at] == '"' || content[at] == '\'') {
            const std::size_t close = content.find(content[at], at + 1);
            if (close == std::string_view::npos) return std::nullopt;
            return PageEncoding::labelled(content.substr(at + 1, close - at - 1));
        }
        const std::size_t end = content.find_first_of("\t\n\f\r ;", at);
        return PageEncoding::labelled(content.substr(at, end - std::min(end, at)));
    }
}

// What the first <meta> of `bytes` (the first 1,024 bytes of a page) that names an encoding
// names, read as browsers prescan a page: comments and other tags skipped, a tag left unended
// ends the scan.
std::optional<PageEncoding> prescan(std::string_view bytes) {
    std::size_t at = 0;
    while (at < bytes.size()) {
        if (holdsAt(bytes, at, "<!--")) {
            const std::size_t end = bytes.find("-->", at + 2);
            if (end == std::string_view::npos) return std::nullopt;
            at = end + 3;
            continue;
        }
        if (holdsAt(bytes, at, "<meta") && at + 5 < bytes.size() &&
            (isBlank(bytes[at + 5]) || bytes[at + 5] == '/')) {
            at += 5;
            bool seenHTTPEquiv = false, seenContent = false, seenCharset = false;
            bool gotPragma = false;
            std::optional<bool> needPragma;
            std::optional<PageEncoding> charset;
            while (const auto attribute = nextAttribute(bytes, at)) {
                // Only the first attribute of each name counts.
                if (attribute->name == "http-equiv" && !std::exchange(seenHTTPEquiv, true)) {
                    gotPragma = gotPragma || attribute->value == "content-type";
                } else if (attribute->name == "content" && !std::exchange(seenContent, true)) {
                    const auto named = namedByContent(attribute->value);
                    if (named && !charset) {
                        charset = named;
                        needPragma = true;
                    }
                } else if (attribute->name == "charset" && !std::exchange(seenCharset, true)) {
                    charset = PageEncoding::labelled(attribute->value);
                    needPragma = false;
                }
            }
            if (at >= bytes.size()) return std::nullopt;
            if (needPragma && (!*needPragma || gotPragma) && charset) {
                // A page that could say so in ASCII is not UTF-16.
                if (charset->name().starts_with("UTF-16")) return PageEncoding::labelled("utf-8");
                return charset;
            }
            ++at;
            continue;
        }
        const bool tag =
            bytes[at] == '<' && at + 1 < bytes.size() &&
            (isLetter(bytes[at + 1]) ||
             (bytes[at + 1] == '/' && at + 2 < bytes.size() && isLetter(bytes[at + 2])));
        if (tag) {
            while (at < bytes.size() && !isBlank(bytes[at]) && bytes[at] != '>') ++at;
            while (nextAttribute(bytes, at)) {
            }
            if (at >= bytes.size()) return std::nullopt;
            ++at;
            continue;
        }
        if (holdsAt(bytes, at, "<!") || holdsAt(bytes, at, "</") || holdsAt(bytes, at, "<?")) {
            const std::size_t end = bytes.find('>', at + 1);
            if (end == std::string_view::npos) return std::nullopt;
            at = end + 1;
            continue;
        }
        ++at;
    }
    return std::nullopt;
}

struct CloseConverter {
    void operator()(UConverter* converter) const noexcept { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

// Each sequence the encoding does not map, or that breaks it, reads as one U+FFFD (ICU's own
// substitute is U+001A for some single-byte encodings).
void toReplacement(const void*, UConverterToUnicodeArgs* arguments, const char*, int32_t,
                   UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;
    static constexpr UChar kReplacementCharacter = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(arguments, &kReplacementCharacter, 1, 0, error);
}

Converter open(const char* name) {
    UErrorCode error = U_ZERO_ERROR;
    Converter converter(ucnv_open(name, &error));
    if (U_FAILURE(error)) converter.reset();
    return converter;
}

// Bytes decoded in one step between checks of the budget: a few hundred microseconds.
constexpr std::size_t kChunkBytes = 64 << 10;
// UTF-8 written for one byte at most: a single byte's character, or U+FFFD, takes three.
constexpr std::size_t kGrowthPerByte = 3;

}  // namespace

PageEncoding PageEncoding::of(std::string_view bytes, std::optional<std::string_view> contentType) {
    if (bytes.starts_with("\xEF\xBB\xBF")) return {kUTF8.name, kUTF8.converter, 3};
    if (bytes.starts_with("\xFE\xFF")) return {kUTF16BE.name, kUTF16BE.converter, 2};
    if (bytes.starts_with("\xFF\xFE")) return {kUTF16LE.name, kUTF16LE.converter, 2};
    if (contentType) {
        if (const auto label = charsetOf(*contentType)) {
            if (auto named = labelled(*label)) return *named;
        }
    }
    if (auto named = prescan(bytes.substr(0, 1024))) return *named;
    return {kUTF8.name, kUTF8.converter};
}

std::optional<PageEncoding> PageEncoding::labelled(std::string_view label) {
    while (!label.empty() && isBlank(label.front())) label.remove_prefix(1);
    while (!label.empty() && isBlank(label.back())) label.remove_suffix(1);
    std::string key(label);
    std::transform(key.begin(), key.end(), key.begin(), lower);
    for (const Label& known : kLabels) {
        if (known.label != key) continue;
        const Encoding& encoding = known.encoding;
        if (encoding.converter && encoding.converter != kReplacement && !open(encoding.converter)) {
            return std::nullopt;
        }
        return PageEncoding(encoding.name, encoding.converter);
    }
    return std::nullopt;
}

PageEncoding::Text PageEncoding::decode(std::string_view bytes, ReadBudget& budget) const {
    bytes.remove_prefix(std::min(markBytes_, bytes.size()));
    Text text;
    std::size_t capacity = 0;
    const auto growTo = [&](std::size_t wanted) {
        if (!budget.take(wanted - capacity)) budget.fail(ReadBudget::Reason::memory);
        char* grown = static_cast<char*>(std::realloc(text.bytes_.get(), wanted));
        if (!grown) budget.fail(ReadBudget::Reason::noMemory);
        static_cast<void>(text.bytes_.release());
        text.bytes_.reset(grown);
        capacity = wanted;
    };
    if (bytes.empty()) return text;
    if (converter_ == kReplacement) {
        growTo(3);
        std::copy_n("\xEF\xBF\xBD", 3, text.bytes_.get());
        text.size_ = 3;
        return text;
    }
    const Converter from = open(converter_ ? converter_ : "UTF-8");
    const Converter to = open("UTF-8");
    if (!from || !to) budget.fail(ReadBudget::Reason::noMemory);
    UErrorCode error = U_ZERO_ERROR;
    ucnv_setToUCallBack(from.get(), toReplacement, nullptr, nullptr, nullptr, &error);
    // Half as much again as the page first: most legacy text takes two bytes a letter in UTF-8,
    // and most pages are mostly ASCII markup.
    growTo(std::max(bytes.size() + bytes.size() / 2, kGrowthPerByte * kChunkBytes + 16));
    UChar pivot[1024];
    UChar* pivotSource = pivot;
    UChar* pivotTarget = pivot;
    const char* source = bytes.data();
    const char* const end = bytes.data() + bytes.size();
    bool reset = true;
    for (;;) {
        const std::size_t chunk = std::min<std::size_t>(end - source, kChunkBytes);
        if (capacity - text.size_ < kGrowthPerByte * chunk + 16) {
            growTo(std::max(text.size_ + kGrowthPerByte * chunk + 16, capacity + capacity / 2));
        }
        const bool last = source + chunk == end;
        char* target = text.bytes_.get() + text.size_;
        ucnv_convertEx(to.get(), from.get(), &target, text.bytes_.get() + capacity, &source,
                       source + chunk, pivot, &pivotSource, &pivotTarget, pivot + 1024, reset, last,
                       &error);
        reset = false;
        text.size_ = static_cast<std::size_t>(target - text.bytes_.get());
        if (error == U_BUFFER_OVERFLOW_ERROR) {
            error = U_ZERO_ERROR;
            growTo(capacity + capacity / 2);
            continue;
        }
        if (error == U_MEMORY_ALLOCATION_ERROR) budget.fail(ReadBudget::Reason::noMemory);
        if (U_FAILURE(error)) {
            throw URLError(URLError::Code::unknown,
                           "the page's text cannot be read as " + std::string(name_));
        }
        if (last && source == end) break;
        budget.check();
    }
    // What is left unused goes back; shrinking a block moves nothing.
    if (char* shrunk = static_cast<char*>(std::realloc(text.bytes_.get(), text.size_ + 1))) {
        static_cast<void>(text.bytes_.release());
        text.bytes_.reset(shrunk);
    }
    return text;
}

}  // namespace corvend::platform::web
