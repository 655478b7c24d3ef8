// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, watched from inside at start-up: how long the first song takes to
// open, and how long after the window is shown the first sound leaves the mixer. It
// prints one line once it has heard the first sound and then plays on as usual
// (Escape ends it). bench/window/startup.sh runs it.

#include <SDL_mixer.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "platform_relay.h"
#include "window/app.h"

namespace {

using quorvane::Platform;
using Clock = std::chrono::steady_clock;

// A sample above this (-50 dBFS) counts as heard.
constexpr int Audible = 100;
std::atomic<Clock::rep> firstSound{0};

void Listen(void*, Uint8* stream, int bytes) {
    if (firstSound != 0) return;
    const auto* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < bytes / 2; ++i)
        if (std::abs(samples[i]) > Audible) {
            firstSound = Clock::now().time_since_epoch().count();
            return;
        }
}

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

class StartupRecorder final : public quorvane::bench::PlatformRelay {
public:
    // Made once the sound device is open, before the window's load handler runs.
    explicit StartupRecorder(Platform& real) : PlatformRelay(real), made_(Clock::now()) {
        Mix_SetPostMix(Listen, nullptr);
    }

    std::string MediaCommand(const std::string& command) override {
        const auto start = Clock::now();
        std::string reply = PlatformRelay::MediaCommand(command);
        if (!songOpened_ && command.starts_with("Open ")) songOpened_ = Clock::now() - start;
        return reply;
    }
    void ShowWindow() override {
        shown_ = Clock::now();
        PlatformRelay::ShowWindow();
    }
    void ProcessEvents(std::int32_t dueTick) override {
        if (!said_ && firstSound != 0 && shown_) {
            const Clock::time_point heard{Clock::duration(firstSound.load())};
            std::printf("window shown %.0f ms after the device opened (the first song took %.0f ms to open); "
                        "first sound %.0f ms after the window\n",
                        Ms(*shown_ - made_), songOpened_ ? Ms(*songOpened_) : -1.0, Ms(heard - *shown_));
            std::fflush(stdout);
            said_ = true;
        }
        PlatformRelay::ProcessEvents(dueTick);
    }

private:
    Clock::time_point made_;
    std::optional<Clock::duration> songOpened_;
    std::optional<Clock::time_point> shown_;
    bool said_ = false;
};

}  // namespace

int main(int argc, char** argv) {
    return quorvane::RunQuorvane(argc, argv, [](Platform& real) { return std::make_unique<StartupRecorder>(real); });
}
