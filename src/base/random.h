// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's random generator: uniform single-precision values with 0 <= r < 1.

#include <cstdint>
#include <random>

namespace quorvane {

class SingleRandom {
public:
    explicit SingleRandom(std::uint32_t seed = 1) : engine_(seed) {}
    void Seed(std::uint32_t seed) { engine_.seed(seed); }

    // 24 random bits scaled by 2^-24 are exact in a float, so 1.0 can never come out
    // (converting a wider value to float could round up to it).
    float Next() { return static_cast<float>(engine_() >> 8) * (1.0f / 16777216.0f); }

private:
    std::mt19937 engine_;
};

}  // namespace quorvane
