// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The string-command media device the media module talks to, on SDL_mixer: one
// Standard MIDI File at a time, under the alias "media".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sound/sdl_audio.h"

struct _Mix_Music;

namespace quorvane {

// Understands exactly these commands:
//   close all                            closes the open file, if any       reply ""
//   Open "<path>" alias media            opens a Standard MIDI File          reply "1"
//   set media time format milliseconds   (lengths are always milliseconds)   reply ""
//   play media                           starts the song once, returns       reply ""
//   status media length                  the song's length in milliseconds   reply "61250"
// Any failure, and any other command, replies a text starting with "error:", which
// never reads as a number. Everything between the quotes of the open command is the
// path, double quotes included, so a path can never add command words.
//
// Without a sound device (audio.Ready() false) the device still reads and checks the
// files and answers the same; it only plays nothing.
class MediaDevice {
public:
    // The longest song file accepted; real ones are a few kilobytes.
    static constexpr std::size_t MaxFileSize = std::size_t{2} << 20;

    explicit MediaDevice(SdlAudio& audio);
    ~MediaDevice();
    MediaDevice(const MediaDevice&) = delete;
    MediaDevice& operator=(const MediaDevice&) = delete;

    // Carries out one command and returns its reply. Never throws.
    std::string Send(const std::string& command) noexcept;

private:
    struct MusicDeleter {
        void operator()(_Mix_Music* music) const;
    };
    struct Song {
        std::vector<std::uint8_t> bytes;  // SDL_mixer may read from them while it plays
        std::int64_t lengthMs = 0;
        std::unique_ptr<_Mix_Music, MusicDeleter> music;  // empty when it cannot sound
    };

    std::string Open(const std::string& path);
    std::string Play();
    void Close();

    SdlAudio& audio_;
    std::optional<Song> song_;
};

}  // namespace quorvane
