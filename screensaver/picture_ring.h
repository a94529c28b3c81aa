// The slideshow's ring of four picture slots, shared by the loader thread, which prepares up
// to three pictures ahead, and the display thread, which shows them. Only the bookkeeping
// lives here; the slots' contents belong to the screensaver's window code, which indexes its
// own four slots with the numbers given here.
//
// Two counters only ever grow: prepared (raised by the loader alone) and shown (raised by the
// display thread alone). Invariant: shown <= prepared <= shown + ahead. The slot of shown - 1
// is the picture on screen (before the first picture, slot 3: the black picture the first
// transition starts from); slots shown ... prepared - 1 are ready. So the slot the loader
// fills is never on screen nor ready, and neither thread needs a lock:
//
//     loader:   while (ring.HasRoom()) { Fill(slots[ring.SlotToPrepare()]); ring.MarkPrepared(); }
//     display:  if (ring.HasReady()) { Show(slots[ring.SlotToShow()]);
//                                      Release(slots[ring.SlotOnScreen()]); ring.MarkShown(); }
//     destroy:  for (int slot : ring.SlotsHeld()) Release(slots[slot]);   // threads stopped
#pragma once

#include <atomic>
#include <cstdint>

constexpr int kRingSlots = 4;
constexpr int kMostPicturesAhead = kRingSlots - 1;

struct HeldSlots {
    int count = 0;
    int slots[kRingSlots] = {};

    [[nodiscard]] const int* begin() const { return slots; }
    [[nodiscard]] const int* end() const { return slots + count; }
};

class PictureRing {
public:
    // Prepares at most min(3, pictureCount) pictures ahead; none without pictures.
    explicit PictureRing(int pictureCount);
    PictureRing(const PictureRing&) = delete;
    PictureRing& operator=(const PictureRing&) = delete;

    [[nodiscard]] int PicturesAhead() const { return ahead_; }

    // The loader's side. A slot's contents are written before MarkPrepared, which publishes them.
    [[nodiscard]] bool HasRoom() const;
    [[nodiscard]] int SlotToPrepare() const;
    // The slot of the picture that the one being prepared follows (its transition's start).
    [[nodiscard]] int SlotBeforePrepared() const;
    void MarkPrepared();

    // The display thread's side. The picture on screen is released before MarkShown, which
    // hands its slot back to the loader.
    [[nodiscard]] bool HasReady() const;
    [[nodiscard]] int SlotToShow() const;
    [[nodiscard]] int SlotOnScreen() const;
    void MarkShown();

    // With both threads stopped: the slot on screen, then the ready ones, each once.
    [[nodiscard]] HeldSlots SlotsHeld() const;

    [[nodiscard]] uint32_t Prepared() const { return prepared_.load(std::memory_order_acquire); }
    [[nodiscard]] uint32_t Shown() const { return shown_.load(std::memory_order_acquire); }

private:
    int ahead_;
    std::atomic<uint32_t> prepared_{0};
    std::atomic<uint32_t> shown_{0};
};
