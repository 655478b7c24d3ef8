// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A scripted platform for the window tests: a still clock, a fixed draw, and boxes that
// are recorded instead of shown.

#include <string>
#include <vector>

#include "game/platform.h"

namespace quorvane::test {

struct ShownBox {
    std::string text;
    std::string title;
    MessageIcon icon;
};

class FakePlatform : public Platform {
public:
    std::int32_t TickCount() override { return 1 << 20; }
    void Randomize() override {}
    // r = 0.5 gives every monster the speed 0, so nothing moves on its own.
    float Random() override { return 0.5f; }
    void PlaySound(const std::string&) override {}
    std::string MediaCommand(const std::string&) override { return {}; }
    std::string ReadSetting(const std::string&, const std::string&, const std::string&,
                            const std::string& fallback) override {
        return fallback;
    }
    void WriteSetting(const std::string&, const std::string&, const std::string&,
                      const std::string&) override {}
    void MessageBox(const std::string& text, const std::string& title, MessageIcon icon) override {
        boxes.push_back({text, title, icon});
    }
    std::string InputBox(const std::string&, const std::string&) override { return {}; }
    void ShowWindow() override {}
    void ProcessEvents(std::int32_t) override {}
    void EndProgram() override { ++endProgramCalls; }

    std::vector<ShownBox> boxes;
    int endProgramCalls = 0;
};

}  // namespace quorvane::test
