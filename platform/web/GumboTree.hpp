#pragma once

#include <gumbo.h>

#include <array>
#include <atomic>
#include <csetjmp>
#include <cstddef>
#include <ctime>
#include <string_view>

#include "platform/async/CancellationToken.hpp"
#include "platform/web/WebPage.hpp"

namespace corvend::platform::web {

// One page parsed by Gumbo within limits, and every block Gumbo held for it.
//
// Gumbo cannot be stopped, bounds none of its memory and does not check a failed allocation, but
// it takes every block it holds through its options' allocator and keeps no state anywhere else.
// So the tree is its allocator: it cuts Gumbo's blocks from regions of its own, counts what it
// holds, and before each allocation looks for a reason to stop: the reading task cancelled, the
// thread's CPU time or the memory held past its limit, or no memory to be had. On one it leaves
// Gumbo at once by longjmp (only Gumbo's C frames lie between the allocator and the parse it
// returns to), frees all it held and throws. A finished tree is freed the same way: no recursion
// into it, no block missed whatever Gumbo left of the tree's own links, and its regions go back
// to the system at once.
//
//   const GumboTree tree(html, WebPage::limitsFor(html.size()));
//   read(tree.document());
//
// Limits: a stop is seen at Gumbo's next allocation, which it makes at least once per token.
class GumboTree {
  public:
    // Throws CancellationError when the current task is cancelled, and URLError
    // (pageReadLimitExceeded) when a limit is met.
    GumboTree(std::string_view html, const WebPage::Limits& limits);
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
    enum class Stop { none, cancelled, cpuTime, memory };

    static void* allocate(void* self, std::size_t size);
    static void deallocate(void* self, void* pointer);
    void* takeSmall(std::size_t bytes);
    void* takeLarge(std::size_t bytes);
    void giveLarge(Large* block);
    void hold(std::size_t bytes);
    Stop shouldStop();
    [[noreturn]] void leave(Stop why);
    void freeAll();

    // Blocks up to this size, header included, are small: cut from regions, and kept for reuse
    // by size once freed.
    static constexpr std::size_t kLargestSmall = 1024;
    static constexpr std::size_t kGrain = 16;

    WebPage::Limits limits_;
    std::atomic<bool> cancelled_{false};
    CancellationRegistration onCancel_;
    std::timespec cpuStart_{};
    unsigned untilClock_ = 0;  // allocations before the CPU clock is read again
    std::array<void*, kLargestSmall / kGrain + 1> freed_{};  // per size, linked through blocks
    char* unused_ = nullptr;                                 // what is left of the newest region
    char* end_ = nullptr;
    Region* regions_ = nullptr;
    Large large_{&large_, &large_, false, 0};
    std::size_t heldBytes_ = 0;
    std::size_t allocatedLarge_ = 0;  // bytes of large blocks taken from malloc in all
    Stop stop_ = Stop::none;
    std::jmp_buf escape_{};
    GumboOutput* output_ = nullptr;
};

}  // namespace corvend::platform::web
