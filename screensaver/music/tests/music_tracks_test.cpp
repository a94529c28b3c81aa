// The track list of the music folder and the choice of the next track.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "screensaver/music/music_tracks.h"
#include "tests/support/test_support.h"

namespace {

TEST(MusicTracks, TheThreeKindsAreListedTogetherInAlphabeticalOrderWithoutRegardToCase) {
    test_support::TempDir folder;
    for (const char* name : {"c.wma", "b.wav", "notes.txt", "A.mp3", "D.MP3", "e.wav.bak", "mp3", "ecrin.WMA"}) {
        test_support::WriteFileBytes(folder.File(name), {1, 2, 3});
    }
    const std::vector<std::string> expected = {"A.mp3", "b.wav", "c.wma", "D.MP3", "ecrin.WMA"};
    EXPECT_EQ(ListMusicTracks(folder.Path().c_str()), expected);
    EXPECT_TRUE(ListMusicTracks(folder.File("missing").c_str()).empty());
}

TEST(MusicTracks, TheNextTrackNeverRepeatsAtOnceAndEveryTrackComesUp) {
    RandomState random;
    int previous = -1;
    EXPECT_EQ(ChooseNextTrack(previous, 0, random), -1);
    EXPECT_EQ(previous, -1);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ChooseNextTrack(previous, 1, random), 0) << "the only track again";

    previous = -1;
    int first = ChooseNextTrack(previous, 2, random);
    for (int i = 1; i < 20; ++i) EXPECT_EQ(ChooseNextTrack(previous, 2, random), (first + i) % 2) << "two alternate";

    for (int count : {3, 7}) {
        previous = -1;
        std::set<int> seen;
        int last = -1;
        for (int i = 0; i < 500; ++i) {
            const int next = ChooseNextTrack(previous, count, random);
            ASSERT_GE(next, 0);
            ASSERT_LT(next, count);
            ASSERT_NE(next, last) << "draw " << i;
            ASSERT_EQ(previous, next);
            seen.insert(next);
            last = next;
        }
        EXPECT_EQ(static_cast<int>(seen.size()), count);
    }
}

}  // namespace
