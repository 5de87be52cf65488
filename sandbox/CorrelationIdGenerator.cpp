#include "CorrelationIdGenerator.hpp"

namespace corvend::sandbox {

namespace {

// Appends the low `digits` hex digits of `value`.
void appendHex(std::string& out, std::uint64_t value, int digits) {
    static constexpr char kHex[] = "0123456789abcdef";
    for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4) out += kHex[(value >> shift) & 0xF];
}

}  // namespace

CorrelationIdGenerator::CorrelationIdGenerator() {
    std::random_device device;
    std::seed_seq seed{device(), device(), device(), device()};
    engine_.seed(seed);
}

std::string CorrelationIdGenerator::next() {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    {
        std::lock_guard lock(mutex_);
        high = engine_();
        low = engine_();
    }
    // Version 4, variant 10xx.
    high = (high & 0xFFFF'FFFF'FFFF'0FFFULL) | 0x0000'0000'0000'4000ULL;
    low = (low & 0x3FFF'FFFF'FFFF'FFFFULL) | 0x8000'0000'0000'0000ULL;
    std::string id;
    id.reserve(36);
    appendHex(id, high >> 32, 8);
    id += '-';
    appendHex(id, high >> 16, 4);
    id += '-';
    appendHex(id, high, 4);
    id += '-';
    appendHex(id, low >> 48, 4);
    id += '-';
    appendHex(id, low, 12);
    return id;
}

}  // namespace corvend::sandbox
