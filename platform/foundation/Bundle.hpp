#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace corvend::platform {

// A set of resources addressed by relative path, as a library or the host ships them: strings
// tables in localisation folders ("en.lproj/Localizable.strings"), images by name, and the
// information dictionary ("Info.strings"). A library's bundle is embedded at build time (see
// cmake/CorvendResources.cmake); the host's is `Bundle::main()`, into which it registers its
// own texts and images.
//
//   auto text = bundle->localizedString("continue_button", "", "Localizable");
//
// Any thread: a bundle guards its contents with its own lock.
class Bundle {
  public:
    // One file embedded into the program; both views refer to static storage.
    struct File {
        std::string_view path;
        std::string_view bytes;
    };
    using StringTable = std::map<std::string, std::string, std::less<>>;

    static constexpr std::string_view kDefaultTable = "Localizable";
    // The localisation used when none matches the current locale, unless the information
    // dictionary names another under kDevelopmentRegionKey.
    static constexpr std::string_view kDefaultDevelopmentLocalization = "en";
    static constexpr std::string_view kDevelopmentRegionKey = "CFBundleDevelopmentRegion";

    explicit Bundle(std::string identifier);

    // A bundle of `files`: "*.strings" files become strings tables (the information
    // dictionary among them), "*.png" and "*.svg" files images named by their file name
    // without its type, every file a resource of its path.
    static std::shared_ptr<Bundle> make(std::string identifier, std::span<const File> files = {});

    // The host application's bundle: empty until the host registers into it.
    static const std::shared_ptr<Bundle>& main();

    const std::string& identifier() const { return identifier_; }

    // The path of the resource "<name>.<type>" (a file, or a folder such as "en.lproj"), or
    // nothing when the bundle holds none.
    std::optional<std::string> pathForResource(std::string_view name, std::string_view type) const;

    // A bundle of the resources below `path` as they are now, or nullptr when none is there.
    // Later changes of this bundle do not reach it.
    std::shared_ptr<Bundle> open(std::string_view path) const;

    // The names of the localisation folders, sorted ("de", "en").
    std::vector<std::string> localizations() const;

    // The localisation that matches Locale::current() (the full identifier, then its
    // language), else the development localisation when the bundle has it, else nothing.
    std::optional<std::string> preferredLocalization() const;

    // The text of `key` in `table` (Localizable when absent) of the preferred localisation,
    // then of the bundle's own folder. When no entry exists: `value` when it is not empty,
    // else the key.
    std::string localizedString(std::string_view key, std::string_view value = {},
                                std::optional<std::string_view> table = std::nullopt) const;

    // The entries of "Info.strings"; empty when there is none.
    StringTable infoDictionary() const;

    // The bytes of the image `name`, or nothing.
    std::optional<std::string> imageData(std::string_view name) const;

    // Registration (the host into `main()`, tests into their own bundles). `localization`
    // empty means the bundle's own folder. Entries replace those of the same key.
    void addStrings(std::string_view localization, std::string_view table, StringTable entries);
    void addImage(std::string name, std::string bytes);
    void addFile(std::string path, std::string bytes);

  private:
    void addFileLocked(std::string path, std::string bytes);
    std::optional<std::string> preferredLocalizationLocked() const;
    bool holdsLocked(const std::string& path) const;

    const std::string identifier_;
    mutable std::mutex mutex_;
    std::map<std::string, std::string, std::less<>> files_;
    // By path: "<localisation>.lproj/<table>.strings" or "<table>.strings".
    std::map<std::string, StringTable, std::less<>> tables_;
    std::map<std::string, std::string, std::less<>> images_;
};

// Reads a strings table: `"key" = "value";` entries, blanks, `/* */` and `//` comments, and
// the escapes \" \\ \n \t \r. Reading stops at the first malformed entry and keeps the entries
// before it.
Bundle::StringTable parseStringsTable(std::string_view text);

}  // namespace corvend::platform
