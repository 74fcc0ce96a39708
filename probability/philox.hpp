#pragma once

// Philox4x32-10, the counter-based generator of Salmon, Moraes, Dror and Shaw ("Parallel
// random numbers: as easy as 1, 2, 3", SC 2011): four 32-bit words of a counter and two of
// a key give four words that look random; the same counter and key give the same words on
// every machine, so that any draw can be made alone, in any order.

#include <array>
#include <cstdint>

namespace zelm {

using PhiloxWords = std::array<std::uint32_t, 4>;
using PhiloxKey = std::array<std::uint32_t, 2>;

constexpr PhiloxWords philox(PhiloxWords counter, PhiloxKey key) {
    constexpr std::uint64_t m0 = 0xD2511F53U;
    constexpr std::uint64_t m1 = 0xCD9E8D57U;
    constexpr std::uint32_t w0 = 0x9E3779B9U;
    constexpr std::uint32_t w1 = 0xBB67AE85U;
    for (int round = 0; round < 10; ++round) {
        if (round > 0) {
            key[0] += w0;
            key[1] += w1;
        }
        const std::uint64_t p0 = m0 * counter[0];
        const std::uint64_t p1 = m1 * counter[2];
        counter = {
            static_cast<std::uint32_t>(p1 >> 32U) ^ counter[1] ^ key[0], static_cast<std::uint32_t>(p1),
            static_cast<std::uint32_t>(p0 >> 32U) ^ counter[3] ^ key[1], static_cast<std::uint32_t>(p0)};
    }
    return counter;
}

}  // namespace zelm
