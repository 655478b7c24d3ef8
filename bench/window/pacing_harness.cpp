// SPDX-License-Identifier: GPL-3.0-or-later
// The real program with a recorder in front of its platform: it writes the tick of
// every game step, one a line, to the file named by its first argument when it ends.
// A step is seen as a change of the due tick the main loop hands to ProcessEvents,
// which is the step's LastTick plus 50.

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "game/game.h"
#include "platform_relay.h"
#include "window/app.h"

namespace {

using quorvane::Platform;

class PacingRecorder final : public quorvane::bench::PlatformRelay {
public:
    PacingRecorder(Platform& real, const char* path) : PlatformRelay(real), path_(path) {}
    ~PacingRecorder() override {
        if (std::FILE* out = std::fopen(path_, "w")) {
            for (std::int32_t tick : steps_) std::fprintf(out, "%d\n", tick);
            std::fclose(out);
        }
    }

    void ProcessEvents(std::int32_t dueTick) override {
        // The first due tick is the one before any step.
        if (lastDue_ && dueTick != *lastDue_)
            steps_.push_back(static_cast<std::int32_t>(static_cast<std::uint32_t>(dueTick) - quorvane::StepMs));
        lastDue_ = dueTick;
        PlatformRelay::ProcessEvents(dueTick);
    }

private:
    const char* path_;
    std::vector<std::int32_t> steps_;
    std::optional<std::int32_t> lastDue_;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs("usage: quorvane-pacing STEPS-FILE\n", stderr);
        return 2;
    }
    const char* path = argv[1];
    return quorvane::RunQuorvane(1, argv, [path](Platform& real) {
        return std::make_unique<PacingRecorder>(real, path);
    });
}
