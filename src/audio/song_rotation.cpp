// SPDX-License-Identifier: GPL-3.0-or-later
#include "audio/song_rotation.h"

#include "base/folder.h"

namespace quorvane {

void StartSong(SongFields song, mod_Winmm& media, Platform& platform) {
    media.OpenMedia(InFolder(song.AppPath, "Music" + std::to_string(song.SongNumber) + ".mid"));
    song.SongLength = ReplyToLong(media.MediaLength());
    media.PlayMedia();
    song.SongStart = platform.TickCount();
}

void TimerMusicTick(SongFields song, mod_Winmm& media, Platform& platform) {
    // Taken modulo 2^32, so songs keep changing when the tick count wraps.
    const std::int64_t playing = TicksSince(platform.TickCount(), song.SongStart);
    if (playing < song.SongLength) return;
    song.SongNumber = Add16(song.SongNumber, 1);
    if (song.SongNumber > SongCount) song.SongNumber = 1;
    media.CloseMedia();
    StartSong(song, media, platform);
}

}  // namespace quorvane
