// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The last stage of the mix. The songs and effects are mixed well below full scale, so
// that even several loud effects over a loud bar of music add up without clipping; the
// limiter then makes up that headroom, and where the sum would still reach full scale it
// turns the whole mix down at once and lets it come back smoothly.

#include <cstddef>
#include <cstdint>

namespace quorvane {

class Limiter {
public:
    // `makeup`: the gain that makes up the headroom; `ceiling`: the highest level let
    // through, a share of full scale; `releaseMs`: how fast the gain comes back.
    Limiter(double makeup, double ceiling, int rate, double releaseMs);

    // Interleaved signed 16-bit frames of `channels` samples each, changed in place.
    void Process(std::int16_t* samples, std::size_t count, int channels);

    double Gain() const { return gain_; }

private:
    double makeup_;
    double ceiling_;  // in sample units
    double release_;  // share of the gain's shortfall kept from one frame to the next
    double gain_ = 1.0;
};

}  // namespace quorvane
