#include "platform/foundation/Bundle.hpp"

#include <algorithm>
#include <set>
#include <utility>

#include "platform/foundation/Locale.hpp"

namespace corvend::platform {

namespace {

constexpr std::string_view kLocalizationType = ".lproj";
constexpr std::string_view kStringsType = ".strings";
constexpr std::string_view kInfoTable = "Info.strings";
constexpr std::string_view kImageTypes[] = {".png", ".svg"};

std::string tablePath(std::string_view localization, std::string_view table) {
    std::string path;
    if (!localization.empty()) path.append(localization).append(kLocalizationType).append("/");
    return path.append(table).append(kStringsType);
}

std::string_view fileName(std::string_view path) {
    const auto slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// True when `map` holds `path` itself or anything below it.
template <class Map>
bool holdsPath(const Map& map, const std::string& path) {
    if (map.contains(path)) return true;
    const auto below = map.lower_bound(path + "/");
    return below != map.end() && below->first.starts_with(path + "/");
}

// Reads the strings format one token at a time.
class StringsReader {
  public:
    explicit StringsReader(std::string_view text) : text_(text) {}

    Bundle::StringTable read() {
        Bundle::StringTable table;
        while (skipBlanks()) {
            auto key = quoted();
            if (!key || !expect('=')) break;
            auto value = quoted();
            if (!value || !expect(';')) break;
            table.insert_or_assign(std::move(*key), std::move(*value));
        }
        return table;
    }

  private:
    // Skips blanks and comments; false at the end of the text or in an unclosed comment.
    bool skipBlanks() {
        while (at_ < text_.size()) {
            const auto rest = text_.substr(at_);
            if (rest.starts_with("/*")) {
                const auto end = rest.find("*/", 2);
                if (end == std::string_view::npos) return false;
                at_ += end + 2;
            } else if (rest.starts_with("//")) {
                const auto end = rest.find('\n');
                at_ = end == std::string_view::npos ? text_.size() : at_ + end + 1;
            } else if (rest.front() == ' ' || rest.front() == '\t' || rest.front() == '\n' ||
                       rest.front() == '\r') {
                ++at_;
            } else {
                return true;
            }
        }
        return false;
    }

    bool expect(char c) {
        if (!skipBlanks() || text_[at_] != c) return false;
        ++at_;
        return true;
    }

    std::optional<std::string> quoted() {
        if (!expect('"')) return std::nullopt;
        std::string out;
        while (at_ < text_.size()) {
            const char c = text_[at_++];
            if (c == '"') return out;
            if (c != '\\') {
                out.push_back(c);
                continue;
            }
            if (at_ == text_.size()) break;
            const char escaped = text_[at_++];
            out.push_back(escaped == 'n'   ? '\n'
                          : escaped == 't' ? '\t'
                          : escaped == 'r' ? '\r'
                                           : escaped);
        }
        return std::nullopt;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

}  // namespace

Bundle::StringTable parseStringsTable(std::string_view text) {
    return StringsReader(text).read();
}

Bundle::Bundle(std::string identifier) : identifier_(std::move(identifier)) {}

std::shared_ptr<Bundle> Bundle::make(std::string identifier, std::span<const File> files) {
    auto bundle = std::make_shared<Bundle>(std::move(identifier));
    for (const auto& file : files)
        bundle->addFileLocked(std::string(file.path), std::string(file.bytes));
    return bundle;
}

const std::shared_ptr<Bundle>& Bundle::main() {
    static const std::shared_ptr<Bundle> bundle = make("main");
    return bundle;
}

void Bundle::addFile(std::string path, std::string bytes) {
    std::lock_guard lock(mutex_);
    addFileLocked(std::move(path), std::move(bytes));
}

void Bundle::addFileLocked(std::string path, std::string bytes) {
    if (path.ends_with(kStringsType)) {
        for (auto& [key, value] : parseStringsTable(bytes)) tables_[path][key] = std::move(value);
    }
    for (const auto type : kImageTypes) {
        if (path.ends_with(type)) {
            const auto name = fileName(path);
            images_.insert_or_assign(std::string(name.substr(0, name.size() - type.size())), bytes);
        }
    }
    files_.insert_or_assign(std::move(path), std::move(bytes));
}

void Bundle::addStrings(std::string_view localization, std::string_view table,
                        StringTable entries) {
    std::lock_guard lock(mutex_);
    auto& stored = tables_[tablePath(localization, table)];
    for (auto& [key, value] : entries) stored.insert_or_assign(key, std::move(value));
}

void Bundle::addImage(std::string name, std::string bytes) {
    std::lock_guard lock(mutex_);
    images_.insert_or_assign(std::move(name), std::move(bytes));
}

std::optional<std::string> Bundle::pathForResource(std::string_view name,
                                                   std::string_view type) const {
    std::string path = std::string(name).append(".").append(type);
    std::lock_guard lock(mutex_);
    if (holdsLocked(path)) return path;
    return std::nullopt;
}

std::shared_ptr<Bundle> Bundle::open(std::string_view path) const {
    const std::string prefix = std::string(path).append("/");
    auto bundle = std::make_shared<Bundle>(identifier_ + "/" + std::string(path));
    bool found = false;
    std::lock_guard lock(mutex_);
    for (auto it = files_.lower_bound(prefix); it != files_.end() && it->first.starts_with(prefix);
         ++it) {
        bundle->addFileLocked(it->first.substr(prefix.size()), it->second);
        found = true;
    }
    for (auto it = tables_.lower_bound(prefix);
         it != tables_.end() && it->first.starts_with(prefix); ++it) {
        auto& table = bundle->tables_[it->first.substr(prefix.size())];
        for (const auto& [key, value] : it->second) table.insert_or_assign(key, value);
        found = true;
    }
    if (!found) return nullptr;
    return bundle;
}

std::vector<std::string> Bundle::localizations() const {
    std::set<std::string> names;
    std::lock_guard lock(mutex_);
    const auto collect = [&](const auto& map) {
        for (const auto& [path, _] : map) {
            const auto folder = path.find(std::string(kLocalizationType) + "/");
            if (folder != std::string::npos && path.find('/') > folder) {
                names.insert(path.substr(0, folder));
            }
        }
    };
    collect(files_);
    collect(tables_);
    return {names.begin(), names.end()};
}

std::optional<std::string> Bundle::preferredLocalization() const {
    std::lock_guard lock(mutex_);
    return preferredLocalizationLocked();
}

bool Bundle::holdsLocked(const std::string& path) const {
    return holdsPath(files_, path) || holdsPath(tables_, path);
}

std::optional<std::string> Bundle::preferredLocalizationLocked() const {
    const auto present = [&](const std::string& localization) {
        return !localization.empty() &&
               holdsLocked(std::string(localization).append(kLocalizationType));
    };
    const std::string identifier = Locale::current().identifier();
    std::string dashed = identifier;
    std::ranges::replace(dashed, '_', '-');
    const std::string language = identifier.substr(0, identifier.find('_'));
    for (const auto& candidate : {identifier, dashed, language}) {
        if (present(candidate)) return candidate;
    }
    std::string development(kDefaultDevelopmentLocalization);
    if (const auto info = tables_.find(kInfoTable); info != tables_.end()) {
        if (const auto it = info->second.find(kDevelopmentRegionKey); it != info->second.end()) {
            development = it->second;
        }
    }
    if (present(development)) return development;
    return std::nullopt;
}

std::string Bundle::localizedString(std::string_view key, std::string_view value,
                                    std::optional<std::string_view> table) const {
    const auto name = table.value_or(kDefaultTable);
    std::lock_guard lock(mutex_);
    std::vector<std::string> paths;
    if (const auto localization = preferredLocalizationLocked()) {
        paths.push_back(tablePath(*localization, name));
    }
    paths.push_back(tablePath({}, name));
    for (const auto& path : paths) {
        const auto found = tables_.find(path);
        if (found == tables_.end()) continue;
        if (const auto entry = found->second.find(key); entry != found->second.end()) {
            return entry->second;
        }
    }
    return std::string(value.empty() ? key : value);
}

Bundle::StringTable Bundle::infoDictionary() const {
    std::lock_guard lock(mutex_);
    const auto info = tables_.find(kInfoTable);
    return info == tables_.end() ? StringTable{} : info->second;
}

std::optional<std::string> Bundle::imageData(std::string_view name) const {
    std::lock_guard lock(mutex_);
    const auto it = images_.find(name);
    if (it == images_.end()) return std::nullopt;
    return it->second;
}

}  // namespace corvend::platform
