// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The scripted stand-ins: clock, generator, media device, sound call, settings store
// and dialogs. Everything the game does to them is recorded as the pass's calls.

#include <cstdint>
#include <optional>

#include <nlohmann/json.hpp>

#include "game/window_events.h"
#include "base/platform.h"
#include "base/random.h"
#include "scenario.h"
#include "scores/table_store.h"

namespace quorvane::sim {

class SimPlatform : public Platform {
public:
    // With `table`, the settings store is that real table store instead of a map.
    SimPlatform(const Scenario& scenario, std::uint32_t seed, TableStore* table = nullptr);

    // The handlers the scripted events go to, as the real window's go to the game.
    void Attach(WindowEvents& events) { events_ = &events; }

    // Moves the clock on and queues the pass's timer ticks and events.
    void BeginPass(const PassScript& pass);
    // Delivers what is queued, if the game has not already pumped events this pass.
    void DeliverEvents();

    std::int32_t Tick() const { return static_cast<std::int32_t>(static_cast<std::uint32_t>(now_)); }
    nlohmann::ordered_json TakeCalls();
    Store StoreContents() const;

    std::int32_t TickCount() override { return Tick(); }
    void Randomize() override {}
    float Random() override;
    void PlaySound(const std::string& path) override;
    std::string MediaCommand(const std::string& command) override;
    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::string InputBox(const std::string& title, const std::string& prompt) override;
    void ShowWindow() override {}
    void ProcessEvents(std::int32_t dueTick) override;
    void EndProgram() override { SaveTable(); }

private:
    std::string MediaReply(const std::string& command);
    // As the real program does: the writes of a save reach the real store together,
    // and a save that fails shows its warning box.
    void SaveTable();

    const Scenario& scenario_;
    std::string appPath_;
    WindowEvents* events_ = nullptr;
    std::int64_t now_;  // unwrapped milliseconds
    std::int64_t sinceStart_ = 0;
    std::int64_t timerTicksDelivered_ = 0;

    SingleRandom generator_;
    std::size_t nextDraw_ = 0;
    std::size_t nextAnswer_ = 0;
    std::optional<std::string> openFile_;
    Store store_;
    TableStore* table_;

    std::int64_t timerTicksDue_ = 0;
    std::vector<Event> pending_;
    bool delivered_ = true;
    nlohmann::ordered_json calls_ = nlohmann::ordered_json::array();
};

}  // namespace quorvane::sim
