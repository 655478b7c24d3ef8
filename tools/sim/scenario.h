// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quorvane-sim scenario: what the stand-ins answer and what happens in each pass.

#include <cstdint>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "game/menus.h"

namespace quorvane::sim {

// A scenario that cannot be run as written; quorvane-sim exits with status 2.
class ScenarioError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

using Store = std::map<std::string, std::map<std::string, std::string>>;

enum class EventKind { KeyDown, KeyUp, Menu, Close };

struct Event {
    EventKind kind;
    int keyCode = 0;
    MenuCommand menu = MenuCommand::None;
};

struct PassScript {
    std::int64_t ms = 50;
    std::vector<Event> events;
};

struct Scenario {
    std::optional<std::vector<float>> random;
    std::string folder = "/q";
    std::map<std::string, double> files{{"Music1.mid", 60000}, {"Music2.mid", 60000},
                                        {"Music3.mid", 60000}, {"Music4.mid", 60000},
                                        {"bang.wav", 0},       {"explode.wav", 0}};
    Store store;
    std::vector<std::optional<std::string>> answers;
    nlohmann::json set = nlohmann::json::object();
    std::uint32_t startTick = 1000000;
    std::vector<PassScript> passes;
};

// Reads and checks a scenario; raises ScenarioError for anything it cannot run.
Scenario ParseScenario(const std::string& text);

}  // namespace quorvane::sim
