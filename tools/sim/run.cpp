// SPDX-License-Identifier: GPL-3.0-or-later
#include "run.h"

#include "fields.h"
#include "base/errors.h"
#include "scenario.h"
#include "sim_platform.h"

namespace quorvane::sim {
namespace {

using nlohmann::ordered_json;

constexpr int Completed = 0;
constexpr int RunTimeError = 1;
constexpr int BadScenario = 2;

// One output line; text that is not valid UTF-8 is replaced rather than failing.
std::string Line(const ordered_json& value) {
    return value.dump(-1, ' ', false, ordered_json::error_handler_t::replace);
}

ordered_json StoreJson(const Store& store) {
    ordered_json out = ordered_json::object();
    for (const auto& [section, keys] : store)
        for (const auto& [key, value] : keys) out[section][key] = value;
    return out;
}

ordered_json PassLine(int pass, SimPlatform& platform, Game& game, bool stepped, bool ended) {
    return {{"pass", pass},
            {"tick", platform.Tick()},
            {"stepped", stepped},
            {"ended", ended},
            {"state", StateJson(game.State())},
            {"sprites", SpritesJson(game.Window())},
            {"labels", LabelsJson(game.Window())},
            {"title", game.Window().Caption},
            {"calls", platform.TakeCalls()}};
}

// The real store under `dir`, with the scenario's table written into it first.
TableStore PrepareStore(const std::string& dir, const Store& initial) {
    TableStore table(dir);
    for (const auto& [section, keys] : initial)
        for (const auto& [key, value] : keys) table.Write(std::string(ProductTitle), section, key, value);
    if (const auto failure = table.Commit())
        throw ScenarioError("cannot write the store into " + dir + ": " + failure->reason);
    return table;
}

// Runs the passes until they are all done or the program ends.
void RunPasses(const Scenario& scenario, SimPlatform& platform, Game& game, std::ostream& out) {
    bool loopRunning = true;
    for (std::size_t i = 0; i < scenario.passes.size(); ++i) {
        const int pass = static_cast<int>(i) + 1;
        platform.BeginPass(scenario.passes[i]);
        bool stepped = false;
        try {
            if (loopRunning) {
                const PassResult result = game.Pass();
                stepped = result == PassResult::Stepped;
                loopRunning = result != PassResult::LoopEnded;
            }
            // Once the loop has ended the window still handles its events.
            platform.DeliverEvents();
        } catch (const ProgramEnded&) {
            out << Line(PassLine(pass, platform, game, false, true)) << '\n';
            return;
        }
        out << Line(PassLine(pass, platform, game, stepped, false)) << '\n';
    }
}

}  // namespace

std::string ScenarioErrorLine(const std::string& text) { return Line({{"scenario_error", text}}); }

int RunScenario(const std::string& text, std::uint32_t seed, std::ostream& out,
                const std::optional<std::string>& storeDir) {
    try {
        const Scenario scenario = ParseScenario(text);
        std::optional<TableStore> table;
        if (storeDir) table.emplace(PrepareStore(*storeDir, scenario.store));
        SimPlatform platform(scenario, seed, table ? &*table : nullptr);
        Game game(platform, scenario.folder);
        platform.Attach(game);
        game.StartUp();
        ApplySet(game, scenario.set);
        out << Line(PassLine(0, platform, game, false, false)) << '\n';
        RunPasses(scenario, platform, game, out);
        out << Line(ordered_json{{"store", StoreJson(platform.StoreContents())}}) << '\n';
        return Completed;
    } catch (const GameError& e) {
        out << Line(ordered_json{{"error", e.Name()}}) << '\n';
        return RunTimeError;
    } catch (const ScenarioError& e) {
        out << ScenarioErrorLine(e.what()) << '\n';
        return BadScenario;
    }
}

}  // namespace quorvane::sim

