// SPDX-License-Identifier: GPL-3.0-or-later
#include "scenario.h"

#include <cmath>

namespace quorvane::sim {
namespace {

using nlohmann::json;

[[noreturn]] void Bad(const std::string& what) { throw ScenarioError(what); }

std::int64_t Integer(const json& value, const std::string& what, std::int64_t low, std::int64_t high) {
    if (!value.is_number()) Bad(what + " must be a number");
    const double number = value.get<double>();
    if (number < static_cast<double>(low) || number > static_cast<double>(high))
        Bad(what + " is out of range");
    if (!value.is_number_float()) return value.get<std::int64_t>();
    if (std::floor(number) != number) Bad(what + " must be a whole number");
    return static_cast<std::int64_t>(number);
}

std::string Text(const json& value, const std::string& what) {
    if (!value.is_string()) Bad(what + " must be a text");
    return value.get<std::string>();
}

std::vector<float> Draws(const json& list) {
    if (!list.is_array()) Bad("random must be a list of numbers");
    std::vector<float> draws;
    for (const json& r : list) {
        if (!r.is_number()) Bad("random must be a list of numbers");
        const double value = r.get<double>();
        if (!(value >= 0 && value < 1)) Bad("a random draw must lie in 0 <= r < 1");
        // The draw is single precision; a value that rounds up to 1 takes the largest below.
        float single = static_cast<float>(value);
        if (single >= 1.0f) single = std::nextafter(1.0f, 0.0f);
        draws.push_back(single);
    }
    return draws;
}

Store ReadStore(const json& object) {
    if (!object.is_object()) Bad("store must be an object of sections");
    Store store;
    for (const auto& [section, keys] : object.items()) {
        if (!keys.is_object()) Bad("store section " + section + " must be an object");
        for (const auto& [key, value] : keys.items())
            store[section][key] = Text(value, "store value " + section + "/" + key);
    }
    return store;
}

Event ReadEvent(const json& item) {
    if (!item.is_array() || item.empty() || !item[0].is_string()) Bad("an event must be a list");
    const std::string kind = item[0].get<std::string>();
    if ((kind == "down" || kind == "up") && item.size() == 2) {
        const auto code = static_cast<int>(Integer(item[1], "a key code", -32768, 32767));
        return {kind == "down" ? EventKind::KeyDown : EventKind::KeyUp, code, {}};
    }
    if (kind == "menu" && item.size() == 2) {
        const std::string name = Text(item[1], "a menu name");
        const MenuCommand command = CommandNamed(name);
        if (command == MenuCommand::None) Bad("unknown menu entry " + name);
        return {EventKind::Menu, 0, command};
    }
    if (kind == "close" && item.size() == 1) return {EventKind::Close, 0, {}};
    Bad("unknown event " + item.dump());
}

PassScript ReadPass(const json& object) {
    if (!object.is_object()) Bad("a pass must be an object");
    PassScript pass;
    for (const auto& [member, value] : object.items()) {
        if (member == "ms") {
            pass.ms = Integer(value, "ms", -(std::int64_t{1} << 40), std::int64_t{1} << 40);
        } else if (member == "events") {
            if (!value.is_array()) Bad("events must be a list");
            for (const json& item : value) pass.events.push_back(ReadEvent(item));
        } else {
            Bad("unknown member of a pass: " + member);
        }
    }
    return pass;
}

}  // namespace

Scenario ParseScenario(const std::string& text) {
    json root;
    try {
        root = json::parse(text);
    } catch (const json::parse_error& e) {
        Bad(std::string("invalid JSON: ") + e.what());
    }
    if (!root.is_object()) Bad("the scenario must be a JSON object");
    Scenario s;
    for (const auto& [member, value] : root.items()) {
        if (member == "random") {
            s.random = Draws(value);
        } else if (member == "folder") {
            s.folder = Text(value, "folder");
        } else if (member == "files") {
            if (!value.is_object()) Bad("files must be an object");
            s.files.clear();
            for (const auto& [name, length] : value.items()) {
                if (!length.is_number()) Bad("files values must be numbers");
                s.files[name] = length.get<double>();
            }
        } else if (member == "store") {
            s.store = ReadStore(value);
        } else if (member == "answers") {
            if (!value.is_array()) Bad("answers must be a list");
            for (const json& answer : value) {
                if (answer.is_null()) s.answers.emplace_back(std::nullopt);
                else s.answers.emplace_back(Text(answer, "an answer"));
            }
        } else if (member == "set") {
            if (!value.is_object()) Bad("set must be an object");
            s.set = value;
        } else if (member == "start_tick") {
            s.startTick = static_cast<std::uint32_t>(Integer(value, "start_tick", 0, 4294967295LL));
        } else if (member == "passes") {
            if (!value.is_array()) Bad("passes must be a list");
            for (const json& pass : value) s.passes.push_back(ReadPass(pass));
        } else {
            Bad("unknown member " + member);
        }
    }
    return s;
}

}  // namespace quorvane::sim
