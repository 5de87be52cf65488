#include "CorvendWallet/foundation/ErrorCode.hpp"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace corvend {
namespace {

using TableRow = std::vector<std::string>;

// The rows of the README's "## Error codes" table: code (without its backticks), meaning, action.
std::vector<TableRow> readmeRows() {
    std::ifstream readme(CORVEND_README);
    std::vector<TableRow> rows;
    bool inSection = false;
    for (std::string line; std::getline(readme, line);) {
        if (line.starts_with("## ")) inSection = line == "## Error codes";
        if (!inSection || !line.starts_with("| `") || !line.ends_with(" |")) continue;
        const std::string_view cells = std::string_view(line).substr(2, line.size() - 4);
        TableRow row;
        for (std::size_t start = 0;;) {
            const auto end = cells.find(" | ", start);
            row.emplace_back(cells.substr(start, end - start));
            if (end == std::string_view::npos) break;
            start = end + 3;
        }
        if (row.size() == 3 && row[0].size() > 2) row[0] = row[0].substr(1, row[0].size() - 2);
        rows.push_back(std::move(row));
    }
    return rows;
}

// Hosts read the codes in the README: it lists each one the kit raises, in the kit's order, with
// the same meaning and the same advice as the kit's own table, and no code twice.
TEST(ErrorCodeTest, TheReadmeTableIsTheKitsTable) {
    std::vector<TableRow> expected;
    std::set<std::string_view> codes;
    for (const auto& description : model::ErrorCode::descriptions) {
        expected.push_back({std::string(description.code), std::string(description.meaning),
                            std::string(description.action)});
        EXPECT_TRUE(codes.insert(description.code).second) << description.code;
        EXPECT_FALSE(description.meaning.empty() || description.action.empty()) << description.code;
    }
    EXPECT_EQ(readmeRows(), expected) << "README: " << CORVEND_README;
}

// These codes can come after the service acted on a change (a reply lost to a gateway, or one
// the kit could not read): a host that follows their advice must read the record first, or a
// customer pays twice.
TEST(ErrorCodeTest, ACodeThatMayFollowAChangeTheServiceMadeAdvisesReadingTheRecordFirst) {
    const std::set<std::string_view> afterSending = {"I0003", "I0004", "I0005", "I0006",
                                                     "I0007", "I0010", "I0500"};
    for (const auto& description : model::ErrorCode::descriptions) {
        if (!afterSending.contains(description.code)) continue;
        const auto action = description.action;
        EXPECT_TRUE(action.starts_with("After a ") &&
                    action.find("the service may have acted: read the") != action.npos)
            << description.code << ": " << action;
        EXPECT_EQ(action.find("Try again"), action.npos) << description.code << ": " << action;
    }
}

}  // namespace
}  // namespace corvend
