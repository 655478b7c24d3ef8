// SPDX-License-Identifier: GPL-3.0-or-later
// The sound's costs inside a game step or a music tick: a song change against the real
// device and SoundFont, starting an effect, and reading a song's length.
//
// The songs play through SDL's "dummy" output unless SDL_AUDIODRIVER names another,
// so the figures hold on machines with no sound card; loading and synthesis are real.

#include <SDL_mixer.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "sound/media_device.h"
#include "sound/midi_length.h"
#include "sound/sound_effects.h"
#include "media_builders.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;

SdlAudio* audio = nullptr;


// The media module's song change: CloseMedia, OpenMedia, MediaLength, PlayMedia. One
// change per repetition, so the median reported is that of single changes.
void SongChange(benchmark::State& state) {
    if (!audio->Ready() || !audio->SoundFont()) {
        state.SkipWithError("no sound device or no SoundFont");
        return;
    }
    static const std::vector<std::string> songs = [] {
        std::vector<std::string> paths;
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "Music" + std::to_string(n) + ".mid";
            paths.push_back(testing::GameFile("music", name).string());
        }
        return paths;
    }();
    static MediaDevice device(*audio);
    static std::size_t next = 0;
    auto change = [&] {
        device.Send("close all");
        device.Send("close all");
        device.Send("Open \"" + songs[next] + "\" alias media");
        device.Send("set media time format milliseconds");
        benchmark::DoNotOptimize(device.Send("status media length"));
        device.Send("play media");
        next = (next + 1) % songs.size();
    };
    // The first loads read the SoundFont from disk; the game pays that once, at start.
    static const bool warm = [&] {
        for (std::size_t i = 0; i < songs.size(); ++i) change();
        return true;
    }();
    benchmark::DoNotOptimize(warm);
    for (auto _ : state) change();
}
BENCHMARK(SongChange)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(60)->UseRealTime()
    ->ReportAggregatesOnly(true);

// Starting an effect that has been played before, as in a game step.
void StartEffect(benchmark::State& state) {
    if (!audio->Ready()) {
        state.SkipWithError("no sound device");
        return;
    }
    const std::string explode = testing::GameFile("sounds", "explode.wav").string();
    SoundEffects effects(*audio);
    effects.Play(explode);
    int started = 0;
    for (auto _ : state) {
        effects.Play(explode);
        if (++started % SdlAudio::MixChannels == 0) {
            state.PauseTiming();
            Mix_HaltChannel(-1);
            state.ResumeTiming();
        }
    }
    Mix_HaltChannel(-1);
}
BENCHMARK(StartEffect)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The first start of an effect, which reads and decodes its file.
void StartEffectFirstTime(benchmark::State& state) {
    if (!audio->Ready()) {
        state.SkipWithError("no sound device");
        return;
    }
    const std::string bang = testing::GameFile("sounds", "bang.wav").string();
    for (auto _ : state) {
        state.PauseTiming();
        auto effects = std::make_unique<SoundEffects>(*audio);
        state.ResumeTiming();
        effects->Play(bang);
        state.PauseTiming();
        effects.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(StartEffectFirstTime)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A song of about 100 kB: four tracks, running status, a tempo change every bar.
testing::Bytes BigSong() {
    using testing::Track;
    for (int quarters = 1024;; quarters += 256) {
        Track tempo, melody, bass, drums;
        tempo.Tempo(0, 400000);
        bass.Event(0, {0x91, 36, 90}).Event(96, {36, 0});  // the bass states its status once
        for (int q = 1; q < quarters; ++q) {
            if (q % 4 == 0) tempo.Tempo(4 * 96, 400000 + 10000u * static_cast<std::uint32_t>(q / 4 % 16));
            const auto key = static_cast<std::uint8_t>(36 + q % 7);
            melody.Note(0, 96, static_cast<std::uint8_t>(60 + (q * 5) % 12), 0);
            bass.Event(0, {key, 90}).Event(96, {key, 0});
            drums.Note(0, 48, 42, 9).Note(0, 48, 42, 9);
        }
        testing::Bytes file = testing::Smf(1, 96, {tempo.End(), melody.End(), bass.End(), drums.End()});
        if (file.size() >= 100 * 1024) return file;
    }
}

void MidiLength100k(benchmark::State& state) {
    const testing::Bytes song = BigSong();
    for (auto _ : state) benchmark::DoNotOptimize(MidiLengthMs(song));
    state.counters["bytes"] = static_cast<double>(song.size());
    state.counters["ms"] = static_cast<double>(MidiLengthMs(song).value_or(-1));
}
BENCHMARK(MidiLength100k)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
}  // namespace quorvane

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    benchmark::Initialize(&argc, argv);
    quorvane::SdlAudio audio;
    quorvane::audio = &audio;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
