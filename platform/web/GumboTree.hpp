#pragma once

#include <gumbo.h>

#include <array>
#include <cstddef>
#include <string_view>

#include "platform/web/ReadBudget.hpp"

namespace corvend::platform::web {

// One page parsed by Gumbo within a read's budget, and every block Gumbo held for it.
//
// Gumbo cannot be stopped, bounds none of its memory and does not check a failed allocation, but
// it takes every block it holds through its options' allocator and keeps no state anywhere else.
// So the tree is its allocator: it cuts Gumbo's blocks from regions of its own and counts what
// it holds against the budget; the budget leaves the parse wherever it is at a stop (a cancel,
// the CPU time spent, the memory limit, no memory to be had). The tree then frees all it held
// and throws. A finished tree is freed the same way: no recursion into it, no block missed
// whatever Gumbo left of the tree's own links, and its regions go back to the system at once.
//
//   ReadBudget budget(WebPage::limitsFor(html.size()));
//   const GumboTree tree(html, budget);
//   read(tree.document());
class GumboTree {
  public:
    // Throws as budget.check() does at a stop. `budget` must outlive the tree.
    GumboTree(std::string_view html, ReadBudget& budget);
    ~GumboTree();
    GumboTree(const GumboTree&) = delete;
    GumboTree& operator=(const GumboTree&) = delete;

    GumboNode& document() const { return *output_->document; }

  private:
    // A region that small blocks are cut from, in the list of regions.
    struct Region {
        Region* next;
        std::size_t bytes;
    };
    // Put before a large block, in the list of large blocks. Its last word stands where a small
    // block's size does.
    struct Large {
        Large* previous;
        Large* next;
        bool mapped;
        std::size_t bytes;
    };

    static void* allocate(void* self, std::size_t size);
    static void deallocate(void* self, void* pointer);
    void* takeSmall(std::size_t bytes);
    void* takeLarge(std::size_t bytes);
    void giveLarge(Large* block);
    void hold(std::size_t bytes);
    void freeAll();

    // Blocks up to this size, header included, are small: cut from regions, and kept for reuse
    // by size once freed.
    static constexpr std::size_t kLargestSmall = 1024;
    static constexpr std::size_t kGrain = 16;

    ReadBudget& budget_;
    std::array<void*, kLargestSmall / kGrain + 1> freed_{};  // per size, linked through blocks
    char* unused_ = nullptr;                                 // what is left of the newest region
    char* end_ = nullptr;
    Region* regions_ = nullptr;
    Large large_{&large_, &large_, false, 0};
    std::size_t heldBytes_ = 0;
    std::size_t allocatedLarge_ = 0;  // bytes of large blocks taken from malloc in all
    GumboOutput* output_ = nullptr;
};

}  // namespace corvend::platform::web
