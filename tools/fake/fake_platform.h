// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An in-memory Platform for the tests and benchmarks: a clock the caller moves, draws
// from a list and then from the game's own seeded generator (or one fixed value), a
// settings store in a map, scripted answers for the input box, and a log of what the
// game asked of it, in order.

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "base/platform.h"
#include "base/random.h"

namespace quorvane::test {

class FakePlatform : public Platform {
public:
    struct Write {
        std::string app, section, key, value;
        bool operator==(const Write&) const = default;
    };
    struct Message {
        std::string text, title;
        MessageIcon icon;
    };
    struct Input {
        std::string title, prompt;
    };
    // app, section, key
    using Address = std::tuple<std::string, std::string, std::string>;

    std::int32_t tick = 1'000'000;
    std::deque<float> draws;           // taken first, then the generator
    std::optional<float> everyDraw;    // when set, the generator's place: every draw is this
    SingleRandom generator{1};
    std::deque<std::string> answers;   // for the input box; none left answers "" (Cancel)
    std::map<Address, std::string> store;
    std::string mediaReply;            // the reply to every media command

    // Off, the fake keeps no record (benchmarks, long runs); the store still works.
    bool recording = true;
    // Called with each log entry before the call acts; a test may throw from it to
    // make that call fail.
    std::function<void(const std::string&)> fault;

    // Every call in order: "read <section>|<key>", "write <section>|<key>", "input",
    // "message", "sound <path>", "media <command>", "events", "show", "end".
    std::vector<std::string> log;
    std::vector<Write> writes;
    std::vector<Message> messages;
    std::vector<Input> inputs;
    std::vector<std::string> sounds;
    std::vector<std::string> media;
    int endProgramCalls = 0;

    void Put(const std::string& section, const std::string& key, const std::string& value,
             const std::string& app = "Quorvane") {
        store[{app, section, key}] = value;
    }
    std::optional<std::string> Get(const std::string& section, const std::string& key,
                                   const std::string& app = "Quorvane") const {
        const auto found = store.find({app, section, key});
        if (found == store.end()) return std::nullopt;
        return found->second;
    }

    std::int32_t TickCount() override { return tick; }
    void Randomize() override {}
    float Random() override {
        if (!draws.empty()) {
            const float r = draws.front();
            draws.pop_front();
            return r;
        }
        return everyDraw ? *everyDraw : generator.Next();
    }
    void PlaySound(const std::string& path) override {
        Note("sound ", path);
        if (recording) sounds.push_back(path);
    }
    std::string MediaCommand(const std::string& command) override {
        Note("media ", command);
        if (recording) media.push_back(command);
        return mediaReply;
    }
    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override {
        Note("read ", section, key);
        return Get(section, key, app).value_or(fallback);
    }
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override {
        Note("write ", section, key);
        if (recording) writes.push_back({app, section, key, value});
        Put(section, key, value, app);
    }
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override {
        Note("message");
        if (recording) messages.push_back({text, title, icon});
    }
    std::string InputBox(const std::string& title, const std::string& prompt) override {
        Note("input");
        if (recording) inputs.push_back({title, prompt});
        if (answers.empty()) return "";
        std::string answer = std::move(answers.front());
        answers.pop_front();
        return answer;
    }
    void ShowWindow() override { Note("show"); }
    void ProcessEvents(std::int32_t) override { Note("events"); }
    void EndProgram() override {
        Note("end");
        ++endProgramCalls;
    }

    // Forgets what was recorded; the store, the clock and the scripts stay.
    void ClearRecord() {
        log.clear();
        writes.clear();
        messages.clear();
        inputs.clear();
        sounds.clear();
        media.clear();
    }

private:
    // The entry is only built when someone looks at it, so a quiet fake stays cheap.
    void Note(const char* kind, const std::string& what = {}, const std::string& key = {}) {
        if (!recording && !fault) return;
        std::string entry = kind + what;
        if (!key.empty()) entry += "|" + key;
        if (fault) fault(entry);
        if (recording) log.push_back(std::move(entry));
    }
};

// Readable failure messages in tests.
inline void PrintTo(const FakePlatform::Write& w, std::ostream* os) {
    *os << w.app << " / " << w.section << " / \"" << w.key << "\" = \"" << w.value << "\"";
}

}  // namespace quorvane::test
