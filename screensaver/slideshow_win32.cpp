#include "screensaver/slideshow_win32.h"

#include <mmsystem.h>

#include "collection/collection_folder.h"
#include "screensaver/slideshow_rules.h"

namespace {

constexpr UINT kTickMilliseconds = 1000;
constexpr DWORD kReadyPollMilliseconds = 100;
// After a picture that cannot be read or composed, so a collection of damaged files does not
// keep the loader spinning.
constexpr DWORD kFailedPicturePause = 100;

}  // namespace

Slideshow::~Slideshow() {
    Release();
}

void Slideshow::Release() {
    Stop();
    if (ring_) {
        for (int slot : ring_->SlotsHeld()) slots_[slot].Release();
    }
    renderer_.Release();
}

bool Slideshow::CreateRenderer(const ScreensaverProcess& process) {
    return renderer_.Create(process.canvasWidth, process.canvasHeight, slots_[kRingSlots - 1]);
}

void Slideshow::Start(ScreensaverProcess& process,
                      HWND window,
                      std::vector<std::string> titles,
                      std::string imagesFolder,
                      RandomState& random,
                      DisplayModeSwitch& displayMode) {
    window_ = window;
    titles_ = std::move(titles);
    imagesFolder_ = std::move(imagesFolder);
    random_ = &random;
    ring_.emplace(static_cast<int>(titles_.size()));
    if (titles_.empty() || !CreateRenderer(process)) return;

    const Settings& settings = process.settings;
    if (settings.btEnableDirectXVideo != 0 || process.Has(kScreensaverTestPreview)) {
        animated_ = renderer_.SetUpTransitions(settings);
        if (animated_ && !process.IsPreview()) {
            const DisplayMode& wanted = settings.vmDirectXVideoMode;
            const bool switched = displayMode.Enter(wanted, window);
            if (switched && (int(wanted.width) != process.canvasWidth || int(wanted.height) != process.canvasHeight)) {
                // Pictures are composed at the size of the mode the display now has.
                process.canvasWidth = int(wanted.width);
                process.canvasHeight = int(wanted.height);
                animated_ = CreateRenderer(process) && renderer_.SetUpTransitions(settings);
            }
            if (displayMode.PageFlipping()) renderer_.PresentThrough(displayMode);
        }
    }
    if (animated_) process.flags |= kScreensaverTransitionsActive;
    request_ = SlideshowComposeRequest(settings, process.canvasWidth, process.canvasHeight, process.IsPreview());
    randomOrder_ = settings.btScreensaverImagesSelectionMode != 0;
    secondsBetweenChanges_ = settings.dwScreensaverSecondsBetweenChanges;

    refill_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    showNext_.Reset(CreateEventA(nullptr, FALSE, FALSE, nullptr));
    if (!refill_.IsValid() || !showNext_.IsValid()) return;
    // The display thread waits for its first picture; the loader asks for it once it has
    // prepared the first ones, and starts the clock.
    if (!StartWorkerThread(DisplayThread, this, display_)) return;
    if (!StartWorkerThread(LoaderThread, this, loader_)) (void)StopWorkerThread(display_, WorkerStopWait::Blocking);
}

void Slideshow::ShowStill(ScreensaverProcess& process, HWND window, const ConstRgbView& picture) {
    window_ = window;
    if (!ring_) ring_.emplace(0);
    if (CreateRenderer(process)) renderer_.ShowStill(picture);
}

void Slideshow::Stop() {
    // The animation ends after its current frame while the loader finishes its picture.
    if (display_.stopEvent.IsValid()) SetEvent(display_.stopEvent.Get());
    (void)StopWorkerThread(loader_, WorkerStopWait::PumpingMessages);
    if (timer_ != 0) {
        timeKillEvent(timer_);
        timer_ = 0;
    }
    (void)StopWorkerThread(display_, WorkerStopWait::PumpingMessages);
}

unsigned __stdcall Slideshow::LoaderThread(void* argument) {
    auto& show = *static_cast<Slideshow*>(argument);
    const HANDLE stop = show.loader_.stopEvent.Get();
    show.PrepareWhileRoom(stop);
    if (!StopRequested(stop)) show.StartClock();
    const HANDLE waits[] = {stop, show.refill_.Get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) show.PrepareWhileRoom(stop);
    return 0;
}

void Slideshow::PrepareWhileRoom(HANDLE stop) {
    while (!StopRequested(stop) && ring_->HasRoom()) {
        if (!PrepareNext()) (void)WaitForSingleObject(stop, kFailedPicturePause);
    }
}

bool Slideshow::PrepareNext() {
    const int count = static_cast<int>(titles_.size());
    const int index = NextPictureIndex(previousIndex_, count, randomOrder_, *random_);
    // A picture that cannot be read or composed is passed over: the next choice starts after
    // it, so neither order comes back to it at once (nor, at random, draws it forever).
    previousIndex_ = index;
    PictureRecord record;
    if (ReadCollectionPicture(imagesFolder_.c_str(), titles_[index].c_str(), record, true) != kFileOk) return false;
    OwnedRgbImage composed;
    const bool made = ComposePicture(record, request_, composed) == kComposeOk &&
                      renderer_.Prepare(composed.View(), slots_[ring_->SlotToPrepare()],
                                        slots_[ring_->SlotBeforePrepared()], ring_->Prepared(), *random_);
    FreePicturePayload(record);
    if (made) ring_->MarkPrepared();
    return made;
}

void Slideshow::StartClock() {
    timer_ = timeSetEvent(kTickMilliseconds, 0, OnTick, reinterpret_cast<DWORD_PTR>(this),
                          TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    if (timer_ != 0) SetEvent(showNext_.Get());  // the first picture comes at once
}

void CALLBACK Slideshow::OnTick(UINT, UINT, DWORD_PTR argument, DWORD_PTR, DWORD_PTR) {
    auto& show = *reinterpret_cast<Slideshow*>(argument);
    if (TickChangesPicture(show.secondsCounted_, show.secondsBetweenChanges_, show.ring_->HasReady())) {
        SetEvent(show.showNext_.Get());
    }
}

unsigned __stdcall Slideshow::DisplayThread(void* argument) {
    auto& show = *static_cast<Slideshow*>(argument);
    // Animations take only the time that nothing else wants.
    if (show.animated_) SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_IDLE);
    const HANDLE stop = show.display_.stopEvent.Get();
    const HANDLE waits[] = {stop, show.showNext_.Get()};
    while (WaitForMultipleObjects(2, waits, FALSE, INFINITE) == WAIT_OBJECT_0 + 1) {
        bool stopped = false;
        while (!show.ring_->HasReady() && !stopped)
            stopped = WaitForSingleObject(stop, kReadyPollMilliseconds) == WAIT_OBJECT_0;
        if (stopped) break;
        show.ShowNext(stop);
    }
    return 0;
}

void Slideshow::ShowNext(HANDLE stop) {
    SlideSlot& onScreen = slots_[ring_->SlotOnScreen()];
    renderer_.Run(slots_[ring_->SlotToShow()], onScreen, stop, window_);
    onScreen.Release();
    ring_->MarkShown();
    if (titles_.size() > 1) SetEvent(refill_.Get());
}
