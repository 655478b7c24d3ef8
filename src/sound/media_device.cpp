// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/media_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <limits>
#include <string_view>

#include "audio/media_commands.h"
#include "sound/media_file.h"
#include "sound/midi_length.h"

namespace quorvane {
namespace {


// Replies that do not read as numbers, for callers that test for a device number.
const std::string NotOpen = "error: no media is open";

}  // namespace

void MediaDevice::MusicDeleter::operator()(_Mix_Music* music) const { Mix_FreeMusic(music); }

MediaDevice::MediaDevice(SdlAudio& audio) : audio_(audio) {}

MediaDevice::~MediaDevice() { Close(); }

std::string MediaDevice::Send(const std::string& command) noexcept {
    try {
        if (command == CloseAllCommand) {
            Close();
            return {};
        }
        if (const auto path = OpenedPath(command)) return Open(*path);
        if (command == TimeFormatCommand) return song_ ? std::string() : NotOpen;
        if (command == PlayCommand) return song_ ? Play() : NotOpen;
        if (command == LengthCommand) {
            if (!song_) return NotOpen;
            // The caller reads the length into 32 bits; a longer song stays at the most.
            return std::to_string(std::min<std::int64_t>(song_->lengthMs, std::numeric_limits<std::int32_t>::max()));
        }
        return "error: unknown command";
    } catch (...) {
        // Out of memory, in practice; the game plays on in silence.
        return "error: the device failed";
    }
}

std::string MediaDevice::Open(const std::string& path) {
    if (song_) return "error: the alias media is already in use";
    Song song;
    std::optional<std::string> problem = ReadMediaFile(path, MaxFileSize, song.bytes);
    std::optional<std::int64_t> length;
    if (!problem) length = MidiLengthMs(song.bytes);
    if (!problem && !length) problem = "not a Standard MIDI File";
    if (problem) {
        audio_.Report(path, "the song " + path + " cannot be played (" + *problem + "); it is skipped.");
        return "error: " + *problem;
    }
    song.lengthMs = *length;

    // Without a SoundFont the rotation carries on in silence, as it was told at start.
    if (audio_.SongsHeard()) {
        audio_.SetCurrentSong(path);
        SDL_RWops* source = SDL_RWFromConstMem(song.bytes.data(), static_cast<int>(song.bytes.size()));
        if (source) song.music.reset(Mix_LoadMUS_RW(source, 1));
        if (!song.music)
            audio_.Report(path, "the song " + path + " cannot be played (" + SDL_GetError() + "); it is silent.");
    }
    song_ = std::move(song);
    return "1";
}

std::string MediaDevice::Play() {
    // Playing on is not started over; a song that has ended starts from the beginning.
    if (song_->music && !Mix_PlayingMusic()) Mix_PlayMusic(song_->music.get(), 0);  // 0: no repeat
    return {};
}

void MediaDevice::Close() {
    if (!song_) return;
    if (song_->music) Mix_HaltMusic();
    song_.reset();
}

}  // namespace quorvane
