// quorvane-sim: runs the game's own code against scripted stand-ins and prints what
// happened as JSON, one line per pass of the main loop.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "fields.h"
#include "game/errors.h"
#include "scenario.h"
#include "sim_platform.h"

namespace quorvane::sim {
namespace {

using nlohmann::ordered_json;

constexpr int Completed = 0;
constexpr int RunTimeError = 1;
constexpr int BadScenario = 2;

void Print(const ordered_json& line) { std::cout << line.dump() << '\n'; }

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

// Runs the passes; returns whether the program ended (Escape, Exit, close).
void RunPasses(const Scenario& scenario, SimPlatform& platform, Game& game) {
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
            Print(PassLine(pass, platform, game, false, true));
            return;
        }
        Print(PassLine(pass, platform, game, stepped, false));
    }
}

int Run(const std::string& text, std::uint32_t seed) {
    try {
        const Scenario scenario = ParseScenario(text);
        SimPlatform platform(scenario, seed);
        Game game(platform, scenario.folder);
        platform.Attach(game);
        game.StartUp();
        ApplySet(game, scenario.set);
        Print(PassLine(0, platform, game, false, false));
        RunPasses(scenario, platform, game);
        Print({{"store", StoreJson(platform.StoreContents())}});
        return Completed;
    } catch (const GameError& e) {
        Print({{"error", e.Name()}});
        return RunTimeError;
    } catch (const ScenarioError& e) {
        Print({{"scenario_error", e.what()}});
        return BadScenario;
    }
}

}  // namespace
}  // namespace quorvane::sim

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    std::string path;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--random-seed" && i + 1 < argc) {
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (path.empty() && arg.rfind("--", 0) != 0) {
            path = arg;
        } else {
            std::cerr << "usage: quorvane-sim [--random-seed N] [SCENARIO.json]\n";
            return 2;
        }
    }
    std::stringstream text;
    if (path.empty() || path == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(path);
        if (!file) {
            std::cout << nlohmann::json{{"scenario_error", "cannot read " + path}}.dump() << '\n';
            return 2;
        }
        text << file.rdbuf();
    }
    return quorvane::sim::Run(text.str(), seed);
}
