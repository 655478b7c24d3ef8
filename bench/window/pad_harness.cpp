// SPDX-License-Identifier: GPL-3.0-or-later
// The real program with a gamepad attached: a virtual one from SDL, with no device. With
// "play" the pad plays as bench/window/run.sh plays with keys (the south button held,
// the stick right and left for 1.5 s each, over and over); with "idle" it lies untouched
// while the keys play.

#include <QElapsedTimer>

#include <cstdio>
#include <cstring>
#include <memory>

#include "virtual_pad.h"
#include "platform_relay.h"
#include "window/app.h"

namespace {

using quorvane::Platform;

class PadPlayer final : public quorvane::bench::PlatformRelay {
public:
    static constexpr qint64 HoldMs = 1500;

    PadPlayer(Platform& real, bool plays) : PlatformRelay(real), plays_(plays) {
        if (plays_) pad_.Press(SDL_CONTROLLER_BUTTON_A);
        clock_.start();
    }

    // The pads are read at the end of each pass; the pad is moved just before.
    void ProcessEvents(std::int32_t dueTick) override {
        if (plays_) {
            const int x = (clock_.elapsed() / HoldMs) % 2 == 0 ? 32767 : -32768;
            if (x != x_) pad_.Move(SDL_CONTROLLER_AXIS_LEFTX, x);
            x_ = x;
        }
        PlatformRelay::ProcessEvents(dueTick);
    }

private:
    bool plays_;
    quorvane::test::VirtualPad pad_;
    QElapsedTimer clock_;
    int x_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    const bool play = argc == 2 && std::strcmp(argv[1], "play") == 0;
    if (!play && !(argc == 2 && std::strcmp(argv[1], "idle") == 0)) {
        std::fputs("usage: quorvane-pad play|idle\n", stderr);
        return 2;
    }
    return quorvane::RunQuorvane(1, argv, [play](Platform& real) { return std::make_unique<PadPlayer>(real, play); });
}
