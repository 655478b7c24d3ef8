// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one seam between the game and the outside world. The real program implements
// it with Qt and SDL; the tests and quorvane-sim implement it with scripts.

#include <cstdint>
#include <string>

namespace quorvane {

// Warning: only for a save of the table that could not be made.
enum class MessageIcon { None, Information, Warning };

class Platform {
public:
    virtual ~Platform() = default;

    // Monotonic milliseconds as a 32-bit signed value.
    virtual std::int32_t TickCount() = 0;

    // Seeds the generator (once, at start-up); Random gives 0 <= r < 1, never 1.
    virtual void Randomize() = 0;
    virtual float Random() = 0;

    // Starts a WAV file and returns at once; a missing file is silence.
    virtual void PlaySound(const std::string& path) = 0;

    // Sends one string command to the media device and returns its reply text.
    virtual std::string MediaCommand(const std::string& command) = 0;

    // The per-user settings store: read gives `fallback` for a missing key. Writes may be
    // gathered and saved together before the next read, box, event processing or end.
    virtual std::string ReadSetting(const std::string& app, const std::string& section,
                                    const std::string& key, const std::string& fallback) = 0;
    virtual void WriteSetting(const std::string& app, const std::string& section,
                              const std::string& key, const std::string& value) = 0;

    // Modal boxes. The input box gives empty text on Cancel.
    virtual void ShowMessage(const std::string& text, const std::string& title, MessageIcon icon) = 0;
    virtual std::string InputBox(const std::string& title, const std::string& prompt) = 0;

    virtual void ShowWindow() = 0;

    // Handles pending events; when none is pending it may wait for the next one,
    // but not beyond `dueTick`, the tick at which the next game step falls due.
    virtual void ProcessEvents(std::int32_t dueTick) = 0;

    // Closes every window; the core then unwinds with ProgramEnded.
    virtual void EndProgram() = 0;
};

}  // namespace quorvane
