#include "screensaver/picture_ring.h"

namespace {

// Counters wrap at 2^32, a multiple of the ring's size, so the slot stays right.
int SlotOf(uint32_t sequence) {
    return static_cast<int>(sequence % kRingSlots);
}

}  // namespace

PictureRing::PictureRing(int pictureCount)
    : ahead_(pictureCount <= 0                   ? 0
             : pictureCount < kMostPicturesAhead ? pictureCount
                                                 : kMostPicturesAhead) {}

bool PictureRing::HasRoom() const {
    return Prepared() - Shown() < static_cast<uint32_t>(ahead_);
}

int PictureRing::SlotToPrepare() const {
    return SlotOf(prepared_.load(std::memory_order_relaxed));
}

int PictureRing::SlotBeforePrepared() const {
    return SlotOf(prepared_.load(std::memory_order_relaxed) - 1);
}

void PictureRing::MarkPrepared() {
    prepared_.fetch_add(1, std::memory_order_release);
}

bool PictureRing::HasReady() const {
    return Prepared() != Shown();
}

int PictureRing::SlotToShow() const {
    return SlotOf(shown_.load(std::memory_order_relaxed));
}

int PictureRing::SlotOnScreen() const {
    return SlotOf(shown_.load(std::memory_order_relaxed) - 1);
}

void PictureRing::MarkShown() {
    shown_.fetch_add(1, std::memory_order_release);
}

HeldSlots PictureRing::SlotsHeld() const {
    HeldSlots held;
    const uint32_t shown = Shown();
    held.slots[held.count++] = SlotOf(shown - 1);
    for (uint32_t sequence = shown; sequence != Prepared() && held.count < kRingSlots; ++sequence) {
        held.slots[held.count++] = SlotOf(sequence);
    }
    return held;
}
