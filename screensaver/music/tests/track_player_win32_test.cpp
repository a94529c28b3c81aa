// The track player and the screensaver's music on Wine's DirectShow: short tones written on
// the spot play to their end and say so, one track follows another, and a file that is no
// audio at all is refused without a trace.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "screensaver/music/screensaver_music_win32.h"
#include "screensaver/music/track_player_win32.h"
#include "tests/support/test_support.h"
#include "ui/tests/skin_test_support_win32.h"
#include "ui/window_messages_win32.h"
#include "win32/com_owners_win32.h"
#include "win32/window_state_win32.h"

namespace {

using test_support::Bytes;

// A 16-bit mono PCM wave of a 440 Hz tone at three quarters of full scale: loud enough that a
// recording of the sound output cannot mistake it for silence.
Bytes ToneWave(int milliseconds) {
    constexpr uint32_t kRate = 22050;
    const uint32_t samples = kRate * static_cast<uint32_t>(milliseconds) / 1000;
    Bytes wave;
    auto put = [&](uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) wave.push_back(static_cast<unsigned char>(value >> (8 * i)));
    };
    // "RIFF", its size, "WAVE", "fmt ", 16, PCM and mono, the rate, bytes a second, 2 bytes a
    // sample and 16 bits, "data", its size.
    const uint32_t fields[] = {0x46464952, 36 + samples * 2, 0x45564157, 0x20746D66, 16,         0x00010001,
                               kRate,      kRate * 2,        0x00100002, 0x61746164, samples * 2};
    for (uint32_t field : fields) put(field, 4);
    for (uint32_t i = 0; i < samples; ++i) {
        put(static_cast<uint32_t>(std::lround(24000.0 * std::sin(2.0 * 3.14159265358979 * 440.0 * i / kRate))), 2);
    }
    return wave;
}

struct Listener {
    std::vector<WPARAM> events;         // every WM_APP_MEDIA_EVENT, in order
    ScreensaverMusic* music = nullptr;  // handed each event when set
};

LRESULT CALLBACK ListenerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    Listener* state = AttachedWindowState<Listener>(window, message, lParam);
    if (state == nullptr || message != WM_APP_MEDIA_EVENT) return DefWindowProcA(window, message, wParam, lParam);
    state->events.push_back(wParam);
    if (state->music != nullptr) state->music->OnPlayerEvent(wParam, lParam);
    return 0;
}

// Dispatches this thread's messages until `done` holds or `seconds` have passed.
bool PumpUntil(const std::function<bool()>& done, int seconds) {
    const ULONGLONG deadline = GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (!done()) {
        if (GetTickCount64() > deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    return true;
}

size_t CountEnds(const std::vector<WPARAM>& events) {
    return static_cast<size_t>(std::count(events.begin(), events.end(), static_cast<WPARAM>(EC_COMPLETE)));
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(com_.Succeeded());
        window_ = skin_test::CreateParentWindow("TrackPlayerTestListener", ListenerProcedure, &listener_, 10, 10);
        ASSERT_NE(window_, nullptr);
        test_support::WriteFileBytes(folder_.File("not audio.wav"), test_support::PseudoRandomBytes(4000, 7));
    }
    void TearDown() override { DestroyWindow(window_); }

    ScopedComInitialization com_;
    test_support::TempDir folder_;
    Listener listener_;
    HWND window_ = nullptr;
};

TEST_F(MusicTest, TrackPlayerPlaysAToneToItsEndAndRefusesWhatIsNoAudio) {
    const std::string tone = folder_.File("tone.wav");
    test_support::WriteFileBytes(tone, ToneWave(1500));
    const std::string noise = folder_.File("not audio.wav");
    ASSERT_TRUE(CanCreateMediaGraph());
    EXPECT_TRUE(IsTrackPlayable(tone.c_str()));
    EXPECT_FALSE(IsTrackPlayable(noise.c_str()));

    TrackPlayer player;
    EXPECT_FALSE(player.Open(noise.c_str(), window_));
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.Play());

    ASSERT_TRUE(player.Open(tone.c_str(), window_));
    ASSERT_TRUE(player.Play());
    EXPECT_TRUE(player.IsPlaying());
    const ULONGLONG started = GetTickCount64();
    ASSERT_TRUE(PumpUntil([&] { return CountEnds(listener_.events) > 0; }, 20)) << "the end of the track never came";
    // The end is reported when the tone has been played out, not when it was read.
    EXPECT_GE(GetTickCount64() - started, 1000u);
    player.Close();
    player.Close();
    EXPECT_FALSE(player.IsOpen());
    EXPECT_FALSE(player.IsPlaying());
}

TEST_F(MusicTest, MusicPlaysTrackAfterTrackSkippingOneThatWillNotPlayUntilStopped) {
    test_support::TempDir music;
    test_support::WriteFileBytes(music.File("b.wav"), ToneWave(300));
    test_support::WriteFileBytes(music.File("A.wav"), ToneWave(300));
    test_support::WriteFileBytes(music.File("c.wav"), test_support::Bytes(4096, 0x5A));
    RandomState random;
    ScreensaverMusic playing(random);
    listener_.music = &playing;
    ASSERT_TRUE(playing.Start(music.Path().c_str(), window_));
    EXPECT_EQ(playing.TrackCount(), 3);
    // The posted start request, then one track after another.
    ASSERT_TRUE(PumpUntil([&] { return CountEnds(listener_.events) >= 4; }, 30));
    EXPECT_TRUE(playing.IsPlaying());
    playing.Stop();
    EXPECT_FALSE(playing.IsPlaying());
    playing.OnPlayerEvent(EC_COMPLETE, 0);
    EXPECT_FALSE(playing.IsPlaying()) << "a stopped music stays stopped";

    // Only a file that will not play: the music ends and stays off.
    ScreensaverMusic broken;
    listener_.music = &broken;
    ASSERT_TRUE(broken.Start(folder_.Path().c_str(), window_));
    ASSERT_TRUE(PumpUntil([&] { return CountEnds(listener_.events) >= 5; }, 10));
    EXPECT_FALSE(broken.IsPlaying());
    broken.OnPlayerEvent(EC_COMPLETE, 0);
    EXPECT_FALSE(broken.IsPlaying());

    test_support::TempDir empty;
    ScreensaverMusic silent;
    EXPECT_FALSE(silent.Start(empty.Path().c_str(), window_)) << "no tracks, no music";
}

}  // namespace
