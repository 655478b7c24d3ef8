# SPDX-License-Identifier: GPL-3.0-or-later
# The sound: the readers that tell a song or an effect file from anything else (no SDL),
# and the SDL_mixer media device and effect call that the window links. Included from
# src/CMakeLists.txt.

add_library(quorvane_midi STATIC ${CMAKE_CURRENT_SOURCE_DIR}/audio/midi_length.cpp
                                 ${CMAKE_CURRENT_SOURCE_DIR}/audio/wave_file.cpp)
target_include_directories(quorvane_midi PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})

find_package(SDL2 REQUIRED CONFIG)
find_package(SDL2_mixer REQUIRED CONFIG)
find_package(ALSA REQUIRED)
find_package(PkgConfig REQUIRED)
# Linked for its log only: SDL_mixer plays the songs through it.
pkg_check_modules(FluidSynth REQUIRED IMPORTED_TARGET fluidsynth)

add_library(quorvane_sound STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/sdl_audio.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/limiter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/sound_font.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/media_device.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/sound_effects.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/audio/media_file.cpp
)
target_include_directories(quorvane_sound PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quorvane_sound PUBLIC quorvane_midi SDL2::SDL2 SDL2_mixer::SDL2_mixer PRIVATE ALSA::ALSA PkgConfig::FluidSynth)
