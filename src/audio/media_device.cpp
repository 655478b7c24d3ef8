// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/media_device.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string_view>

#include "audio/midi_length.h"

namespace quorvane {
namespace {

constexpr std::string_view OpenPrefix = "Open \"";
constexpr std::string_view OpenSuffix = "\" alias media";

// Replies that do not read as numbers, for callers that test for a device number.
const std::string NotOpen = "error: no media is open";

std::optional<std::string> ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes,
                                         std::size_t limit) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) return "error: file not found";
    // Not a FIFO or device, which could block the game forever.
    if (!std::filesystem::is_regular_file(status)) return "error: not a file";
    std::ifstream in(path, std::ios::binary);
    if (!in) return "error: cannot read the file";
    bytes.clear();
    char buffer[8192];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        const auto count = static_cast<std::size_t>(in.gcount());
        if (bytes.size() + count > limit) return "error: file too large";
        bytes.insert(bytes.end(), buffer, buffer + count);
    }
    if (in.bad()) return "error: cannot read the file";
    return std::nullopt;
}

}  // namespace

void MediaDevice::MusicDeleter::operator()(_Mix_Music* music) const { Mix_FreeMusic(music); }

MediaDevice::MediaDevice(SdlAudio& audio) : audio_(audio) {}

MediaDevice::~MediaDevice() { Close(); }

std::string MediaDevice::Send(const std::string& command) noexcept {
    try {
        if (command == "close all") {
            Close();
            return {};
        }
        if (command.size() >= OpenPrefix.size() + OpenSuffix.size() && command.starts_with(OpenPrefix) &&
            command.ends_with(OpenSuffix)) {
            return Open(command.substr(OpenPrefix.size(),
                                       command.size() - OpenPrefix.size() - OpenSuffix.size()));
        }
        if (command == "set media time format milliseconds") return song_ ? std::string() : NotOpen;
        if (command == "play media") return song_ ? Play() : NotOpen;
        if (command == "status media length") {
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
    // A NUL would cut the name short at the system call and open another file.
    if (path.empty() || path.find('\0') != std::string::npos) return "error: bad file name";

    Song song;
    if (auto failure = ReadWholeFile(path, song.bytes, MaxFileSize)) return *failure;
    const auto length = MidiLengthMs(song.bytes);
    if (!length) return "error: not a Standard MIDI File";
    song.lengthMs = *length;

    if (audio_.Ready()) {
        SDL_RWops* source = SDL_RWFromConstMem(song.bytes.data(), static_cast<int>(song.bytes.size()));
        if (source) song.music.reset(Mix_LoadMUS_RW(source, 1));
        if (!song.music && !saidUnplayable_) {
            // The file is sound, so the rotation carries on; the songs are just silent.
            std::fprintf(stderr, "Quorvane: a song could not be played (%s); the music is silent.\n",
                         SDL_GetError());
            saidUnplayable_ = true;
        }
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
