// SPDX-License-Identifier: GPL-3.0-or-later
#include "sim_platform.h"

#include <cmath>

#include "audio/media_commands.h"
#include "base/folder.h"

namespace quorvane::sim {
namespace {

constexpr std::int64_t TimerMs = TimerMusicInterval;

// A length as the device reports it: decimal digits.
std::string LengthText(double length) {
    if (std::floor(length) == length && std::fabs(length) < 1e18)
        return std::to_string(static_cast<std::int64_t>(length));
    return nlohmann::json(length).dump();
}

const char* IconName(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information: return "information";
        case MessageIcon::Warning: return "warning";
        case MessageIcon::None: break;
    }
    return "none";
}

// Whole timer periods since start; floor, so a clock moved back delivers nothing new.
std::int64_t WholePeriods(std::int64_t ms) { return ms >= 0 ? ms / TimerMs : -((-ms + TimerMs - 1) / TimerMs); }

}  // namespace

SimPlatform::SimPlatform(const Scenario& scenario, std::uint32_t seed, TableStore* table)
    : scenario_(scenario), appPath_(WithSeparator(scenario.folder)), now_(scenario.startTick),
      generator_(seed), store_(scenario.store), table_(table) {}

void SimPlatform::SaveTable() {
    if (table_ != nullptr) SaveAndTell(*table_, *this);
}

Store SimPlatform::StoreContents() const {
    if (table_ == nullptr) return store_;
    return table_->Contents(std::string(ProductTitle));
}

void SimPlatform::BeginPass(const PassScript& pass) {
    now_ += pass.ms;
    sinceStart_ += pass.ms;
    const std::int64_t periods = WholePeriods(sinceStart_);
    timerTicksDue_ = std::max<std::int64_t>(0, periods - timerTicksDelivered_);
    timerTicksDelivered_ = std::max(timerTicksDelivered_, periods);
    pending_ = pass.events;
    delivered_ = false;
}

void SimPlatform::ProcessEvents(std::int32_t) { DeliverEvents(); }

void SimPlatform::DeliverEvents() {
    SaveTable();
    if (delivered_) return;
    delivered_ = true;
    for (; timerTicksDue_ > 0; --timerTicksDue_) events_->TimerMusicTick();
    for (const Event& e : pending_) {
        switch (e.kind) {
            case EventKind::KeyDown: events_->KeyDown(e.keyCode); break;
            case EventKind::KeyUp: events_->KeyUp(e.keyCode); break;
            case EventKind::Close: events_->Unload(); break;
            case EventKind::Menu: events_->Menu(e.menu); break;
        }
    }
}

nlohmann::ordered_json SimPlatform::TakeCalls() {
    nlohmann::ordered_json taken = std::move(calls_);
    calls_ = nlohmann::ordered_json::array();
    return taken;
}

float SimPlatform::Random() {
    if (!scenario_.random) return generator_.Next();
    if (nextDraw_ >= scenario_.random->size()) throw ScenarioError("a random draw beyond the scripted ones");
    return (*scenario_.random)[nextDraw_++];
}

void SimPlatform::PlaySound(const std::string& path) { calls_.push_back({{"sound", path}}); }

std::string SimPlatform::MediaCommand(const std::string& command) {
    std::string reply = MediaReply(command);
    calls_.push_back({{"media", command}, {"reply", reply}});
    return reply;
}

std::string SimPlatform::MediaReply(const std::string& command) {
    if (command == CloseAllCommand) {
        openFile_.reset();
        return {};
    }
    if (command == LengthCommand) {
        if (!openFile_) return {};
        return LengthText(scenario_.files.at(*openFile_));
    }
    const std::optional<std::string> opened = OpenedPath(command);
    if (!opened) return {};
    const std::string& path = *opened;
    if (path.compare(0, appPath_.size(), appPath_) != 0) return {};
    const std::string name = path.substr(appPath_.size());
    if (!scenario_.files.count(name)) return {};
    openFile_ = name;
    return "1";
}

std::string SimPlatform::ReadSetting(const std::string& app, const std::string& section,
                                     const std::string& key, const std::string& fallback) {
    if (table_ != nullptr) {
        SaveTable();
        return table_->Read(app, section, key, fallback);
    }
    if (app != ProductTitle) return fallback;
    const auto s = store_.find(section);
    if (s == store_.end()) return fallback;
    const auto k = s->second.find(key);
    return k == s->second.end() ? fallback : k->second;
}

void SimPlatform::WriteSetting(const std::string& app, const std::string& section,
                               const std::string& key, const std::string& value) {
    calls_.push_back({{"store_write", {section, key, value}}});
    if (table_ != nullptr) table_->Write(app, section, key, value);
    else if (app == ProductTitle) store_[section][key] = value;
}

void SimPlatform::ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) {
    SaveTable();
    calls_.push_back({{"message", {{"title", title}, {"text", text}, {"icon", IconName(icon)}}}});
}

std::string SimPlatform::InputBox(const std::string& title, const std::string& prompt) {
    SaveTable();
    if (nextAnswer_ >= scenario_.answers.size()) throw ScenarioError("an input box beyond the scripted answers");
    const std::optional<std::string>& answer = scenario_.answers[nextAnswer_++];
    calls_.push_back({{"input", {{"title", title}, {"prompt", prompt},
                                 {"answer", answer ? nlohmann::ordered_json(*answer) : nullptr}}}});
    return answer.value_or("");
}

}  // namespace quorvane::sim
