// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A platform that passes every call on to the real one: a measuring harness overrides
// just the calls it watches.

#include "base/platform.h"

namespace quorvane::bench {

class PlatformRelay : public Platform {
public:
    explicit PlatformRelay(Platform& real) : real_(real) {}

    std::int32_t TickCount() override { return real_.TickCount(); }
    void Randomize() override { real_.Randomize(); }
    float Random() override { return real_.Random(); }
    void PlaySound(const std::string& path) override { real_.PlaySound(path); }
    std::string MediaCommand(const std::string& command) override { return real_.MediaCommand(command); }
    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
        return real_.ReadSetting(app, section, key, fallback);
    }
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override {
        real_.WriteSetting(app, section, key, value);
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        real_.ShowMessage(text, title, icon);
    }
    std::string InputBox(const std::string& title, const std::string& prompt) override {
        return real_.InputBox(title, prompt);
    }
    void ShowWindow() override { real_.ShowWindow(); }
    void ProcessEvents(std::int32_t dueTick) override { real_.ProcessEvents(dueTick); }
    void EndProgram() override { real_.EndProgram(); }

private:
    Platform& real_;
};

}  // namespace quorvane::bench
