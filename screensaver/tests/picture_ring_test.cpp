#include "screensaver/picture_ring.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

#include "base/random.h"

namespace {

// The slots' contents as the screensaver keeps them: a picture made by the loader, released
// by the display thread once the next one is on screen, or at destroy. Each picture is a
// number; 0 is an empty slot.
struct SimulatedSlots {
    std::array<std::atomic<uint32_t>, kRingSlots> picture{};
    std::atomic<int> made{0};
    std::atomic<int> released{0};
    std::atomic<int> faults{0};  // a picture written over, or an empty slot shown or released

    void Fill(int slot, uint32_t number) {
        if (picture[slot].exchange(number) != 0) ++faults;
        ++made;
    }
    void Release(int slot) {
        if (picture[slot].exchange(0) == 0) ++faults;
        ++released;
    }
    void Show(int slot, uint32_t expected) {
        if (picture[slot].load() != expected) ++faults;
    }
};

// One step of each side, as the screensaver's threads take them.
bool LoaderStep(PictureRing& ring, SimulatedSlots& slots) {
    if (!ring.HasRoom()) return false;
    slots.Fill(ring.SlotToPrepare(), ring.Prepared() + 1);
    ring.MarkPrepared();
    return true;
}

bool DisplayStep(PictureRing& ring, SimulatedSlots& slots) {
    if (!ring.HasReady()) return false;
    slots.Show(ring.SlotToShow(), ring.Shown() + 1);
    slots.Release(ring.SlotOnScreen());
    ring.MarkShown();
    return true;
}

void Destroy(const PictureRing& ring, SimulatedSlots& slots) {
    for (int slot : ring.SlotsHeld()) slots.Release(slot);
}

void ExpectInvariant(const PictureRing& ring) {
    EXPECT_LE(ring.Shown(), ring.Prepared());
    EXPECT_LE(ring.Prepared(), ring.Shown() + uint32_t(ring.PicturesAhead()));
}

// Every interleaving of loader and display steps over a short run, stopped after every step:
// the invariant holds, no slot is written while held, shown or released empty, and destroy
// releases exactly what was made (the black picture in slot 3 included).
TEST(PictureRingTest, EveryInterleavingKeepsTheInvariantAndReleasesAll) {
    for (int pictures : {1, 2, 3, 9}) {
        const int steps = 10;
        for (int pattern = 0; pattern < (1 << steps); ++pattern) {
            for (int stopAfter = 0; stopAfter <= steps; ++stopAfter) {
                PictureRing ring(pictures);
                SimulatedSlots slots;
                slots.Fill(3, 0xB1AC);  // the black picture before the first
                for (int step = 0; step < stopAfter; ++step) {
                    bool loaderTurn = ((pattern >> step) & 1) != 0;
                    (void)(loaderTurn ? LoaderStep(ring, slots) : DisplayStep(ring, slots));
                    ExpectInvariant(ring);
                }
                Destroy(ring, slots);
                ASSERT_EQ(slots.faults.load(), 0)
                    << pictures << " pictures, pattern " << pattern << ", stop " << stopAfter;
                ASSERT_EQ(slots.made.load(), slots.released.load());
                for (auto& picture : slots.picture) ASSERT_EQ(picture.load(), 0u);
            }
        }
    }
}

TEST(PictureRingTest, PreparesAtMostThreeAheadAndNothingWithoutPictures) {
    for (int pictures : {0, 1, 2, 3, 4, 1000}) {
        PictureRing ring(pictures);
        SimulatedSlots slots;
        int prepared = 0;
        while (LoaderStep(ring, slots)) ++prepared;
        EXPECT_EQ(prepared, pictures < 3 ? pictures : 3) << pictures;
        EXPECT_EQ(ring.SlotsHeld().count, 1 + prepared);
    }
}

// A slow loader and a fast display on threads of their own, stopped at random moments: the
// display never sees a picture out of order or half made, and nothing is left behind.
TEST(PictureRingTest, ThreadedLoaderAndDisplayStopAnywhere) {
    RandomState random;
    SeedRandom(random, MakeUtcTime(2026, 12, 7, 1, 2, 3, 4));
    for (int run = 0; run < 20; ++run) {
        PictureRing ring(3 + run % 5);
        SimulatedSlots slots;
        slots.Fill(3, 0xB1AC);
        std::atomic<bool> stop{false};
        std::thread loader([&] {
            while (!stop.load()) {
                if (!LoaderStep(ring, slots)) std::this_thread::yield();
                std::this_thread::sleep_for(std::chrono::microseconds(200));  // decoding takes its time
            }
        });
        std::thread display([&] {
            while (!stop.load()) {
                if (!DisplayStep(ring, slots)) std::this_thread::yield();
            }
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(Random(random, 20)));
        stop.store(true);
        loader.join();
        display.join();
        ExpectInvariant(ring);
        Destroy(ring, slots);
        EXPECT_EQ(slots.faults.load(), 0) << "run " << run;
        EXPECT_EQ(slots.made.load(), slots.released.load()) << "run " << run;
    }
}

}  // namespace
