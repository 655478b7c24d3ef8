// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// quorvane-sim as a separate process over the real table store, for the tests that kill
// a save, run two at once, or run one as another user.

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

extern char** environ;

namespace quorvane::test {

// A death at level 2 with `score` points: two keyboards are thrown onto the player in
// the first pass and the first of them hits in the second. The name box answers `name`.
inline nlohmann::json DeathScenario(int score, const std::string& name) {
    return {
        {"random", std::vector<double>(12, 0.5)},
        {"set",
         {{"Level", 2},
          {"Health", 5},
          {"Score", score},
          {"sprites", {{"imgPlayer", {{"Left", 72}, {"Top", 144}}}, {"imgMonster(2)", {{"Left", 72}, {"Top", 144}}}}}}},
        {"answers", {name}},
        {"passes", {nlohmann::json::object(), nlohmann::json::object()}}};
}

class SimProcess {
public:
    // Starts `prefix` (a command such as setpriv with its arguments, or nothing), then
    // the driver `sim` with --store `storeDir` on the scenario in `scenarioFile`, its
    // output going to `outputFile`.
    SimProcess(const std::string& scenarioFile, const std::string& storeDir, const std::string& outputFile,
               const std::vector<std::string>& prefix = {}, const std::string& sim = QUORVANE_SIM) {
        std::vector<std::string> args = prefix;
        args.push_back(sim);
        args.push_back("--store");
        args.push_back(storeDir);
        args.push_back(scenarioFile);
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, outputFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~SimProcess() {
        if (pid_ > 0 && !waited_) Kill();
    }
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    // The exit status, or -signal.
    int Wait() {
        int status = 0;
        waitpid(pid_, &status, 0);
        waited_ = true;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    }
    int Kill() {
        kill(pid_, SIGKILL);
        return Wait();
    }

private:
    pid_t pid_ = -1;
    bool waited_ = false;
};

inline std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<nlohmann::json> JsonLines(const std::string& text) {
    std::vector<nlohmann::json> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(nlohmann::json::parse(line));
    return lines;
}

// Every message box the run showed, in order.
inline std::vector<nlohmann::json> Messages(const std::vector<nlohmann::json>& lines) {
    std::vector<nlohmann::json> messages;
    for (const auto& line : lines)
        if (line.contains("calls"))
            for (const auto& call : line["calls"])
                if (call.contains("message")) messages.push_back(call["message"]);
    return messages;
}

}  // namespace quorvane::test
