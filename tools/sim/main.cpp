// SPDX-License-Identifier: GPL-3.0-or-later
// quorvane-sim: runs the game's own code against scripted stand-ins and prints what
// happened as JSON, one line per pass of the main loop.

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "run.h"

int main(int argc, char** argv) {
    std::uint32_t seed = 1;
    std::string path;
    std::optional<std::string> store;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--random-seed" && i + 1 < argc) {
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--store" && i + 1 < argc) {
            store = argv[++i];
        } else if (path.empty() && arg.rfind("--", 0) != 0) {
            path = arg;
        } else {
            std::cerr << "usage: quorvane-sim [--random-seed N] [--store DIR] [SCENARIO.json]\n";
            return 2;
        }
    }
    std::stringstream text;
    if (path.empty() || path == "-") {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(path);
        if (!file) {
            std::cout << quorvane::sim::ScenarioErrorLine("cannot read " + path) << '\n';
            return 2;
        }
        text << file.rdbuf();
    }
    return quorvane::sim::RunScenario(text.str(), seed, std::cout, store);
}
