#include "platform/web/GumboTree.hpp"

#include <malloc.h>
#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace corvend::platform::web {

namespace {

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

void* map(std::size_t bytes) {
    void* region = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return region == MAP_FAILED ? nullptr : region;
}

struct Parse {
    const GumboOptions* options;
    std::string_view html;
    GumboOutput* output = nullptr;
};

// Left by the budget at a stop: nothing here has a destructor.
void parseInto(void* argument) {
    auto& parse = *static_cast<Parse*>(argument);
    parse.output = gumbo_parse_with_options(parse.options, parse.html.data(), parse.html.size());
}

}  // namespace

GumboTree::GumboTree(std::string_view html, ReadBudget& budget) : budget_(budget) {
    GumboOptions options = kGumboDefaultOptions;
    options.allocator = &GumboTree::allocate;
    options.deallocator = &GumboTree::deallocate;
    options.userdata = this;
    options.max_errors = 0;  // the errors are never read
    Parse run{&options, html};
    // Gumbo's own code, found from a function of its own that its default options name.
    static const ReadBudget::Code gumbo =
        ReadBudget::codeOf(reinterpret_cast<const void*>(kGumboDefaultOptions.allocator));
    if (budget_.runLeavable(&parseInto, &run, gumbo)) {
        output_ = run.output;
        return;
    }
    freeAll();
    budget_.fail();
}

GumboTree::~GumboTree() {
    freeAll();
}

void GumboTree::hold(std::size_t bytes) {
    if (!budget_.take(bytes)) budget_.leave(ReadBudget::Reason::memory);
    heldBytes_ += bytes;
}

void* GumboTree::allocate(void* self, std::size_t size) {
    auto& tree = *static_cast<GumboTree*>(self);
    // A stop met while the lists change, or in the C library, waits until they are whole again
    // and the call has returned.
    tree.budget_.defer();
    void* block = size > kLargestSmall - kHeader
                      ? tree.takeLarge(size)
                      : tree.takeSmall((size + kHeader + kGrain - 1) & ~(kGrain - 1));
    tree.budget_.resume();
    return block;
}

void* GumboTree::takeSmall(std::size_t bytes) {
    void*& freed = freed_[bytes / kGrain];
    if (freed) {
        void* block = freed;
        freed = *static_cast<void**>(block);
        return block;
    }
    if (static_cast<std::size_t>(end_ - unused_) < bytes) {
        // Gumbo never checks for null: a region that cannot be had ends the read.
        const std::size_t size =
            regions_ ? std::min(regions_->bytes * 2, kLargestRegionBytes) : kFirstRegionBytes;
        hold(size);
        auto* region = static_cast<Region*>(map(size));
        if (!region) budget_.leave(ReadBudget::Reason::noMemory);
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
    if (!block) budget_.leave(ReadBudget::Reason::noMemory);
    if (!mapped) allocatedLarge_ += bytes;
    Large& last = *large_.previous;
    *block = {&last, &large_, mapped, bytes};
    last.next = block;
    large_.previous = block;
    return block + 1;
}

void GumboTree::giveLarge(Large* block) {
    heldBytes_ -= block->bytes;
    budget_.give(block->bytes);
    if (block->mapped) {
        munmap(block, block->bytes);
    } else {
        std::free(block);
    }
}

void GumboTree::deallocate(void* self, void* pointer) {
    if (!pointer) return;
    auto& tree = *static_cast<GumboTree*>(self);
    tree.budget_.defer();
    const std::size_t bytes = sizeOf(pointer);
    if (bytes <= kLargestSmall) {
        void*& freed = tree.freed_[bytes / kGrain];
        *static_cast<void**>(pointer) = freed;
        freed = pointer;
    } else {
        Large* block = static_cast<Large*>(pointer) - 1;
        block->previous->next = block->next;
        block->next->previous = block->previous;
        tree.giveLarge(block);
    }
    tree.budget_.resume();
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
    budget_.give(std::exchange(heldBytes_, 0));
    output_ = nullptr;
    if (std::exchange(allocatedLarge_, 0) >= kGiveBackAbove) malloc_trim(0);
}

}  // namespace corvend::platform::web
