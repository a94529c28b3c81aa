#include "screensaver/music/music_tracks.h"

#include <algorithm>

#include "base/directory_listing.h"
#include "base/text_case.h"

std::vector<std::string> ListMusicTracks(const char* musicFolder) {
    std::vector<std::string> tracks;
    for (const char* extension : {".mp3", ".wav", ".wma"}) {
        std::vector<std::string> names;
        if (ListFilesWithExtension(musicFolder, extension, names)) {
            tracks.insert(tracks.end(), names.begin(), names.end());
        }
    }
    // Names in one folder never differ only in letter case on Windows, so this order is total
    // there; elsewhere the stable sort keeps such names in the order they were found.
    std::stable_sort(tracks.begin(), tracks.end(),
                     [](const std::string& a, const std::string& b) { return CompareNoCaseCp1252(a, b) < 0; });
    return tracks;
}

int ChooseNextTrack(int& previous, int count, RandomState& random) {
    if (count <= 0) return -1;
    int next = 0;
    if (count > 1) {
        do {
            next = Random(random, count);
        } while (next == previous);
    }
    previous = next;
    return next;
}
