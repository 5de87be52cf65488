#include "platform/web/GumboTree.hpp"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>

#include "platform/async/CancellationError.hpp"
#include "platform/http/URLError.hpp"

namespace corvend::platform::web {

namespace {

// Allocations between two reads of the CPU clock: a read costs about as much as a dozen
// allocations, and even a page whose every tag makes Gumbo scan 200,000 open elements reaches
// the next read within a fraction of a second.
constexpr unsigned kAllocationsPerClockRead = 64;

// Regions are mapped, and so is every large block from kMapFrom on: unmapped, they are the
// system's again at once. Each region is twice its last, up to the largest, so that a small page
// maps little and a large tree few regions; from 2 MiB on a region is asked to be backed by huge
// pages, so that a fresh tree is faulted in 512 pages at a time and costs about what one built
// in a reused heap does.
constexpr std::size_t kFirstRegionBytes = std::size_t{256} << 10;
constexpr std::size_t kLargestRegionBytes = std::size_t{8} << 20;
constexpr std::size_t kMapFrom = std::size_t{64} << 10;

// Large blocks below kMapFrom come from malloc; once this much of them was freed, the reading
// thread's arena is trimmed, or it would keep them for the host's whole life.
constexpr std::size_t kGiveBackAbove = std::size_t{1} << 20;

// The word before every block Gumbo gets: the block's bytes, header included.
constexpr std::size_t kHeader = 16;

std::size_t& sizeOf(void* pointer) {
    return *(static_cast<std::size_t*>(pointer) - 1);
}

std::timespec threadCPUTime() {
    std::timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now;
}

std::chrono::nanoseconds since(const std::timespec& start) {
    const std::timespec now = threadCPUTime();
    return std::chrono::seconds(now.tv_sec - start.tv_sec) +
           std::chrono::nanoseconds(now.tv_nsec - start.tv_nsec);
}

void* map(std::size_t bytes) {
    void* region = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return region == MAP_FAILED ? nullptr : region;
}

// Runs the parse with `escape` set to come back to: a stop returns null. Nothing of C++ with a
// destructor lives in this frame or in any frame the longjmp leaves.
[[gnu::noinline]] GumboOutput* parseOrEscape(std::jmp_buf& escape, const GumboOptions& options,
                                             std::string_view html) {
    if (setjmp(escape) != 0) return nullptr;
    return gumbo_parse_with_options(&options, html.data(), html.size());
}

std::string mebibytes(std::size_t bytes) {
    return std::to_string((bytes + (1 << 20) - 1) >> 20) + " MiB";
}

}  // namespace

GumboTree::GumboTree(std::string_view html, const WebPage::Limits& limits)
    : limits_(limits),
      onCancel_(onCancel([this] { cancelled_.store(true, std::memory_order_relaxed); })),
      cpuStart_(threadCPUTime()) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &GumboTree::allocate;
    options.deallocator = &GumboTree::deallocate;
    options.userdata = this;
    options.max_errors = 0;  // the errors are never read
    output_ = parseOrEscape(escape_, options, html);
    if (output_) return;
    freeAll();
    switch (stop_) {
        case Stop::cancelled:
            throw CancellationError();
        case Stop::cpuTime:
            throw URLError(
                URLError::Code::pageReadLimitExceeded,
                "the page takes more than " +
                    std::to_string(
                        std::chrono::duration_cast<std::chrono::seconds>(limits_.cpuTime).count()) +
                    " s of CPU time to read");
        case Stop::memory:
        case Stop::none:
            break;
    }
    throw URLError(
        URLError::Code::pageReadLimitExceeded,
        "the page takes more than " + mebibytes(limits_.memoryBytes) + " of memory to read");
}

GumboTree::~GumboTree() {
    freeAll();
}

GumboTree::Stop GumboTree::shouldStop() {
    if (cancelled_.load(std::memory_order_relaxed)) return Stop::cancelled;
    if (untilClock_ > 0) {
        --untilClock_;
        return Stop::none;
    }
    untilClock_ = kAllocationsPerClockRead;
    return since(cpuStart_) >= limits_.cpuTime ? Stop::cpuTime : Stop::none;
}

void GumboTree::leave(Stop why) {
    stop_ = why;
    std::longjmp(escape_, 1);
}

void GumboTree::hold(std::size_t bytes) {
    if (bytes > limits_.memoryBytes - std::min(heldBytes_, limits_.memoryBytes)) {
        leave(Stop::memory);
    }
    heldBytes_ += bytes;
}

void* GumboTree::allocate(void* self, std::size_t size) {
    auto& tree = *static_cast<GumboTree*>(self);
    if (const Stop stop = tree.shouldStop(); stop != Stop::none) tree.leave(stop);
    if (size > kLargestSmall - kHeader) return tree.takeLarge(size);
    return tree.takeSmall((size + kHeader + kGrain - 1) & ~(kGrain - 1));
}

void* GumboTree::takeSmall(std::size_t bytes) {
    void*& freed = freed_[bytes / kGrain];
    if (freed) {
        void* block = freed;
        freed = *static_cast<void**>(block);
        return block;
    }
    if (static_cast<std::size_t>(end_ - unused_) < bytes) {
        // Gumbo never checks for null: a region that cannot be had ends the read as one too
        // large.
        const std::size_t size =
            regions_ ? std::min(regions_->bytes * 2, kLargestRegionBytes) : kFirstRegionBytes;
        hold(size);
        auto* region = static_cast<Region*>(map(size));
        if (!region) leave(Stop::memory);
        if (size >= (std::size_t{2} << 20)) madvise(region, size, MADV_HUGEPAGE);
        *region = {regions_, size};
        regions_ = region;
        unused_ = reinterpret_cast<char*>(region) + kHeader;
        end_ = reinterpret_cast<char*>(region) + size;
    }
    void* block = unused_ + kHeader;
    unused_ += bytes;
    sizeOf(block) = bytes;
    return block;
}

void* GumboTree::takeLarge(std::size_t size) {
    const std::size_t bytes = sizeof(Large) + size;
    hold(bytes);
    const bool mapped = bytes >= kMapFrom;
    auto* block = static_cast<Large*>(mapped ? map(bytes) : std::malloc(bytes));
    if (!block) leave(Stop::memory);
    if (!mapped) allocatedLarge_ += bytes;
    Large& last = *large_.previous;
    *block = {&last, &large_, mapped, bytes};
    last.next = block;
    large_.previous = block;
    return block + 1;
}

void GumboTree::giveLarge(Large* block) {
    heldBytes_ -= block->bytes;
    if (block->mapped) {
        munmap(block, block->bytes);
    } else {
        std::free(block);
    }
}

void GumboTree::deallocate(void* self, void* pointer) {
    if (!pointer) return;
    auto& tree = *static_cast<GumboTree*>(self);
    const std::size_t bytes = sizeOf(pointer);
    if (bytes <= kLargestSmall) {
        void*& freed = tree.freed_[bytes / kGrain];
        *static_cast<void**>(pointer) = freed;
        freed = pointer;
        return;
    }
    Large* block = static_cast<Large*>(pointer) - 1;
    block->previous->next = block->next;
    block->next->previous = block->previous;
    tree.giveLarge(block);
}

void GumboTree::freeAll() {
    for (Large* block = large_.next; block != &large_;) {
        Large* next = block->next;
        giveLarge(block);
        block = next;
    }
    large_ = {&large_, &large_, false, 0};
    while (regions_) {
        Region* next = regions_->next;
        munmap(regions_, regions_->bytes);
        regions_ = next;
    }
    freed_ = {};
    unused_ = end_ = nullptr;
    heldBytes_ = 0;
    output_ = nullptr;
    if (std::exchange(allocatedLarge_, 0) >= kGiveBackAbove) malloc_trim(0);
}

}  // namespace corvend::platform::web
