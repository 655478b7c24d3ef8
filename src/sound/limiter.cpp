// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/limiter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvane {

Limiter::Limiter(double makeup, double ceiling, int rate, double releaseMs)
    : makeup_(makeup), ceiling_(ceiling * 32767.0), release_(std::exp(-1000.0 / (releaseMs * rate))) {}

void Limiter::Process(std::int16_t* samples, std::size_t count, int channels) {
    const auto step = static_cast<std::size_t>(channels);
    for (std::size_t frame = 0; frame + step <= count; frame += step) {
        int peak = 0;
        for (std::size_t c = 0; c < step; ++c) peak = std::max(peak, std::abs(int{samples[frame + c]}));
        // Both channels get the same gain, so the stereo image does not move.
        gain_ = 1.0 - (1.0 - gain_) * release_;
        if (peak * makeup_ * gain_ > ceiling_) gain_ = ceiling_ / (peak * makeup_);
        for (std::size_t c = 0; c < step; ++c) {
            const double out = samples[frame + c] * makeup_ * gain_;
            samples[frame + c] = static_cast<std::int16_t>(std::lround(std::clamp(out, -ceiling_, ceiling_)));
        }
    }
}

}  // namespace quorvane
