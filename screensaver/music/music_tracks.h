// The screensaver's music: which audio tracks the music folder holds and which one plays
// next. Pure decisions, so the window that plays them only carries them out.
//
//     std::vector<std::string> tracks = ListMusicTracks(musicFolder);
//     int previous = -1;                                     // nothing played yet
//     int next = ChooseNextTrack(previous, static_cast<int>(tracks.size()), random);
//     if (next >= 0) Play(PathInFolder(musicFolder, tracks[next]));
#pragma once

#include <string>
#include <vector>

#include "base/random.h"

// The bare names of the .mp3, .wav and .wma files in `musicFolder`, the three kinds mixed in
// one list in ascending order without regard to letter case. A folder that is missing or
// cannot be read holds no tracks.
[[nodiscard]] std::vector<std::string> ListMusicTracks(const char* musicFolder);

// The index of the track to play next among `count`: none (-1) without tracks, the only one
// again and again, and otherwise Random(count) drawn until it differs from `previous`, so the
// same track never plays twice in a row. The choice becomes the new `previous`.
[[nodiscard]] int ChooseNextTrack(int& previous, int count, RandomState& random);
