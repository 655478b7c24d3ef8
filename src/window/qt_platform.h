// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The platform seam on Qt and SDL: the real clock, generator, boxes and event
// processing with the gamepads, the SDL_mixer songs and effects, and the table store.

#include <cstdint>

#include <QElapsedTimer>
#include <QTimer>

#include "sound/media_device.h"
#include "sound/sound_effects.h"
#include "base/platform.h"
#include "base/random.h"
#include "scores/table_store.h"
#include "window/event_guard.h"
#include "window/pads.h"

class QDialog;

namespace quorvane {

class frmMain;

class QtPlatform final : public Platform {
public:
    // Where the tick count starts: far enough from 0 that the first pass runs a step.
    static constexpr std::int64_t TickOrigin = std::int64_t{1} << 30;
    // The longest a pass waits for an event when the step is not yet due.
    static constexpr std::int32_t MaxWaitMs = 1000;

    QtPlatform(EventGuard& guard, MediaDevice& media, SoundEffects& effects, TableStore& store);

    void Attach(frmMain* window) { window_ = window; }

    std::int32_t TickCount() override;
    void Randomize() override;
    float Random() override;
    void PlaySound(const std::string& path) override;
    std::string MediaCommand(const std::string& command) override;
    std::string ReadSetting(const std::string& app, const std::string& section, const std::string& key,
                            const std::string& fallback) override;
    void WriteSetting(const std::string& app, const std::string& section, const std::string& key,
                      const std::string& value) override;
    void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) override;
    std::string InputBox(const std::string& title, const std::string& prompt) override;
    void ShowWindow() override;
    void ProcessEvents(std::int32_t dueTick) override;
    void EndProgram() override;

    // Saves what the game wrote to the store, telling the player if that fails.
    void SaveTable();

private:
    // Milliseconds from now until `tick`; none or fewer once it has come.
    std::int32_t MsUntil(std::int32_t tick);
    // Opens a box modally: clear of the death banner, and with the keyboard given back to
    // the game when it closes.
    int Run(QDialog& box);

    EventGuard& guard_;
    MediaDevice& media_;
    SoundEffects& effects_;
    TableStore& store_;
    frmMain* window_ = nullptr;
    QElapsedTimer clock_;
    QTimer due_;  // wakes a waiting pass when the next step falls due
    Pads pads_;
    SingleRandom generator_;
};

// Message texts join their lines with CR LF; a Qt label breaks lines at LF alone.
QString DisplayText(const std::string& text);

}  // namespace quorvane
