// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a scenario through the driver in-process and gives its lines as JSON.

#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "run.h"

namespace quorvane::test {

struct SimOutput {
    int status = 0;
    std::vector<nlohmann::json> lines;

    const nlohmann::json& Pass(std::size_t n) const { return lines.at(n); }
    const nlohmann::json& Last() const { return lines.back(); }
    // The calls of a pass of one kind ("media", "sound", ...), whole, in order.
    std::vector<nlohmann::json> Calls(std::size_t pass, const std::string& kind) const {
        std::vector<nlohmann::json> found;
        for (const auto& call : lines.at(pass)["calls"])
            if (call.contains(kind)) found.push_back(call);
        return found;
    }
};

inline SimOutput RunSim(const nlohmann::json& scenario, std::uint32_t seed = 1) {
    std::ostringstream out;
    SimOutput result;
    result.status = sim::RunScenario(scenario.dump(), seed, out);
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) result.lines.push_back(nlohmann::json::parse(line));
    return result;
}

// Twelve start-up draws of 0.5: every monster stands still.
inline nlohmann::json StillDraws(std::size_t extra = 0, double value = 0.5) {
    return std::vector<double>(12 + extra, value);
}

// JSON written as text, where C++ braces would read lists of pairs as objects.
inline nlohmann::json J(const char* text) { return nlohmann::json::parse(text); }

// `n` passes of the default 50 ms with no events.
inline nlohmann::json Idle(std::size_t n) { return std::vector<nlohmann::json>(n, nlohmann::json::object()); }

}  // namespace quorvane::test
