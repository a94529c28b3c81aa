// The Screensaver page: what the screensaver reads (whether it is the system's, picture order,
// delay, presentation, titles, black and white, transitions and their video mode, music),
// the audio-track library's buttons and list, and a button that starts the screensaver.
#include "app/settings_sheet/screensaver_page_win32.h"

#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

#include "app/main_window/main_window_win32.h"
#include "app/settings_sheet/settings_page_rules.h"
#include "app/startup/application_flags.h"
#include "screensaver/display/display_mode_win32.h"
#include "ui/control_ids.h"
#include "ui/data_resource.h"
#include "ui/localization/text_table.h"
#include "ui/resource_bitmap_win32.h"
#include "ui/skin_fonts_win32.h"
#include "ui/skinned_controls_win32.h"
#include "ui/window_helpers_win32.h"
#include "ui/window_messages_win32.h"

namespace {

constexpr uint8_t kTrackListFont = 6;
constexpr WPARAM kMediaEventComplete = 1;

constexpr std::array<CheckBoxSetting, 2> kImageBoxes = {{
    {kScreensaverShowTitles, &Settings::btScreensaverImagesShowTitles, kScreensaverImageBit},
    {kScreensaverBlackWhite, &Settings::btScreensaverImagesBlackWhite, kScreensaverImageBit},
}};
constexpr std::array<CheckBoxSetting, 1> kAudioBox = {{
    {kScreensaverPlayAudio, &Settings::btEnableDirectXAudio, kScreensaverAudioBit},
}};
constexpr std::array<int, 10> kOptionControls = {
    kScreensaverAlphabetically, kScreensaverRandomly,  kScreensaverSeconds,   kScreensaverSecondsLabel,
    kScreensaverTiled,          kScreensaverCentred,   kScreensaverStretched, kScreensaverFitted,
    kScreensaverShowTitles,     kScreensaverBlackWhite};

MainWindow& Main(const ScreensaverPage& state) {
    return *state.session->main;
}

bool IsLibraryButton(HWND page, HWND window) {
    if (window == nullptr || GetParent(window) != page) return false;
    const auto id = static_cast<UINT>(GetDlgCtrlID(window));
    return id >= kScreensaverAddTrack && id <= kScreensaverStopTrack;
}

// A disabled button that had the focus hands it on, so the keyboard keeps a place on the page.
void MoveFocusOffDisabled(const ScreensaverPage& state, int focused) {
    auto enabled = [&](int id) { return IsWindowEnabled(GetDlgItem(state.page, id)) != FALSE; };
    if (enabled(focused)) return;
    int next = 0;
    if (focused == kScreensaverDeleteTrack && enabled(kScreensaverAddTrack)) next = kScreensaverAddTrack;
    if (focused == kScreensaverPlayTrack || focused == kScreensaverStopTrack) {
        if (enabled(kScreensaverPlayTrack)) {
            next = kScreensaverPlayTrack;
        } else if (enabled(kScreensaverStopTrack)) {
            next = kScreensaverStopTrack;
        }
    }
    if (next != 0)
        SendMessageA(state.page, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(state.page, next)), TRUE);
}

// The buttons grow with a scaled display, and their pictures with them.
void ScaleButtonPictures(SkinElement& element, HWND page) {
    const int width = ScaledPixels(page, element.width), height = ScaledPixels(page, element.height);
    if (width == element.width && height == element.height) return;
    std::vector<OwnedBitmap> scaled;
    for (const SkinStatePicture& picture : element.statePictures) {
        scaled.push_back(StretchedPicture(picture.bitmap.Get(), element.width, element.height, width, height, page));
        if (!scaled.back().IsValid()) return;  // all the states stay as they were, at their own size
    }
    for (size_t index = 0; index < scaled.size(); ++index) {
        element.statePictures[index].bitmap = std::move(scaled[index]);
    }
    element.width = width;
    element.height = height;
}

void LoadButtonPictures(ScreensaverPage& state) {
    unsigned char* record = nullptr;
    uint32_t size = 0;
    if (LoadDataResource("SkinDialogSettingsScreensaver", &record, &size) != kDataResourceOk) return;
    const bool parsed = ParseSkin(record, size, state.pictures, state.page, false, false) == 0;
    std::free(record);
    if (!parsed) return;
    for (size_t index = 0; index < std::size(kScreensaverButtonPictures); ++index) {
        if (SkinElement* element = FindElementById(state.pictures, kScreensaverButtonPictures[index])) {
            element->controlId = kScreensaverAddTrack + static_cast<uint32_t>(index);
            ScaleButtonPictures(*element, state.page);
        }
    }
}

void FillVideoModes(ScreensaverPage& state, const Settings& settings) {
    HWND list = GetDlgItem(state.page, kScreensaverVideoMode);
    SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Text(TextId::CurrentSystemMode)));
    int line = 0;
    if (state.transitionsAvailable) {
        SetChecked(state.page, kScreensaverTransitions, settings.btEnableDirectXVideo == 1);
        state.modes = ListDisplayModes();
        for (const DisplayMode& mode : state.modes) {
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(VideoModeText(mode).c_str()));
        }
        line = VideoModeLineOf(state.modes, settings.vmDirectXVideoMode);
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
}

INT_PTR OnStart(ScreensaverPage& state) {
    MainWindow& main = Main(state);
    const Settings& settings = main.settings();
    state.transitionsAvailable = main.HasFlag(kFlagTransitionsAvailable);
    state.audioAvailable = !main.HasFlag(kFlagNoDirectShowPlayback);
    state.trackListFont.Create(state.page, kTrackListFont);
    SendDlgItemMessageA(state.page, kScreensaverTrackList, WM_SETFONT,
                        reinterpret_cast<WPARAM>(state.trackListFont.Get()), FALSE);
    static constexpr const char* kPrefix = "BitmapSettingsScreensaver";
    CreateGroupIcon(state, kScreensaverSelectionGroup, kPrefix, "ImagesSelectionMode_");
    CreateGroupIcon(state, kScreensaverDelayGroup, kPrefix, "DelayBetweenChanges_");
    CreateGroupIcon(state, kScreensaverPresentationGroup, kPrefix, "ImagesPresentation_");
    CreateGroupIcon(state, kScreensaverAudioGroup, kPrefix, "Audio_");
    CreateGroupIcon(state, kScreensaverVideoGroup, kPrefix, "Video_");
    CreateGroupIcon(state, kScreensaverImageGroup, kPrefix, "ImageSettings_");
    state.hovered = state.page;

    SetChecked(state.page, kScreensaverEnable, settings.btEnableScreensaver == 1);
    CheckRadio(state.page, kScreensaverAlphabetically, kSelectionModes, settings.btScreensaverImagesSelectionMode);
    CheckRadio(state.page, kScreensaverTiled, kPresentations, settings.btScreensaverImagesPresentation);
    ShowCheckBoxes(state.page, settings, kImageBoxes);
    SendDlgItemMessageA(state.page, kScreensaverSeconds, EM_LIMITTEXT, 3, 0);
    SendDlgItemMessageA(state.page, kScreensaverSecondsUpDown, UDM_SETRANGE32, 1, 300);
    SetDlgItemInt(state.page, kScreensaverSeconds, settings.dwScreensaverSecondsBetweenChanges, FALSE);
    FillVideoModes(state, settings);
    if (state.audioAvailable) ShowCheckBoxes(state.page, settings, kAudioBox);
    LoadButtonPictures(state);
    FillTrackList(state);
    UpdateScreensaverControls(state);
    state.dirty = 0;
    state.ready = true;
    return TRUE;
}

void LaunchFromPage(ScreensaverPage& state) {
    StopPreview(state);
    UpdateScreensaverControls(state);
    if (IsScreensaverRunning()) {
        MessageBoxA(state.page, Text(TextId::ScreensaverAlreadyRunning), "Tapestrique", MB_ICONERROR);
        return;
    }
    SendMessageA(Main(state).window, WM_COMMAND, kCommandLaunchScreensaver, 0);
}

INT_PTR OnCommand(ScreensaverPage& state, WPARAM wParam, LPARAM) {
    const UINT id = LOWORD(wParam);
    const WORD notification = HIWORD(wParam);
    if (id == kScreensaverTrackList) {
        OnTrackListNotification(state, notification);
        return TRUE;
    }
    if (notification == BN_CLICKED) {
        switch (id) {
            case kScreensaverAddTrack:
                AddTracks(state);
                return TRUE;
            case kScreensaverDeleteTrack:
                DeleteSelectedTrack(state);
                UpdateScreensaverControls(state);
                return TRUE;
            case kScreensaverPlayTrack:
                PlaySelectedTrack(state);
                return TRUE;
            case kScreensaverStopTrack:
                StopTrack(state);
                return TRUE;
            case kScreensaverLaunch:
                LaunchFromPage(state);
                return TRUE;
            case kScreensaverEnable:
            case kScreensaverPlayAudio:
                StopPreview(state);
                break;
            default:
                break;
        }
    }
    if (notification != BN_CLICKED && notification != EN_CHANGE && notification != CBN_SELCHANGE) return FALSE;
    MarkPageChanged(state, ScreensaverPageGroupOf(static_cast<uint32_t>(id)));
    if (notification == BN_CLICKED || notification == CBN_SELCHANGE) UpdateScreensaverControls(state);
    return TRUE;
}

INT_PTR OnSetCursor(ScreensaverPage& state, HWND underCursor) {
    if (underCursor != state.hovered) {
        if (IsLibraryButton(state.page, state.hovered)) InvalidateRect(state.hovered, nullptr, FALSE);
        if (IsLibraryButton(state.page, underCursor)) InvalidateRect(underCursor, nullptr, FALSE);
        state.hovered = underCursor;
    }
    return FALSE;  // the cursor itself is the default one
}

bool RefuseLeaving(ScreensaverPage& state) {
    if (IsValidScreensaverDelay(ReadNumberField(state.page, kScreensaverSeconds))) return false;
    return RefuseWithWarning(state.page, TextId::InvalidSeconds, kScreensaverSeconds);
}

void StoreGroups(ScreensaverPage& state) {
    Settings& settings = Main(state).settings();
    if ((state.dirty & kScreensaverSelectionBit) != 0) {
        StoreRadioChoice(state, kScreensaverAlphabetically, kSelectionModes, settings.btScreensaverImagesSelectionMode);
    }
    if ((state.dirty & kScreensaverDelayBit) != 0) {
        settings.dwScreensaverSecondsBetweenChanges =
            static_cast<uint32_t>(ReadNumberField(state.page, kScreensaverSeconds));
        WritePageSetting(state, settings.dwScreensaverSecondsBetweenChanges);
    }
    if ((state.dirty & kScreensaverPresentationBit) != 0) {
        StoreRadioChoice(state, kScreensaverTiled, kPresentations, settings.btScreensaverImagesPresentation);
    }
    StoreCheckBoxes(state, kImageBoxes);
    if ((state.dirty & kScreensaverVideoBit) != 0) {
        settings.btEnableDirectXVideo = IsChecked(state.page, kScreensaverTransitions) ? 1 : 0;
        const auto line = static_cast<int>(SendDlgItemMessageA(state.page, kScreensaverVideoMode, CB_GETCURSEL, 0, 0));
        settings.vmDirectXVideoMode = VideoModeOfLine(state.modes, line);
        WritePageSetting(state, settings.btEnableDirectXVideo);
        WritePageSetting(state, settings.vmDirectXVideoMode);
    }
    StoreCheckBoxes(state, kAudioBox);
}

void Apply(ScreensaverPage& state, bool) {
    MainWindow& main = Main(state);
    if ((state.dirty & kScreensaverEnableBit) != 0) {
        const bool on = IsChecked(state.page, kScreensaverEnable);
        // The stored switch follows when the system reports the change.
        if (on != (main.settings().btEnableScreensaver == 1)) SetSystemScreensaver(on, main.screensaver);
    }
    StoreGroups(state);
}

INT_PTR OnMessage(ScreensaverPage& state, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETCURSOR:
            return OnSetCursor(state, reinterpret_cast<HWND>(wParam));
        case WM_DRAWITEM:
            return DrawSkinButton(state.pictures, *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam), state.hovered);
        case WM_APP_MEDIA_EVENT:
            if (wParam == kMediaEventComplete) StopTrack(state);
            return TRUE;
        default:
            return FALSE;
    }
}

void OnEnd(ScreensaverPage& state) {
    StopPreview(state);
    FreeSkin(state.pictures);
}

constexpr PageHandlers<ScreensaverPage> kHandlers = {kScreensaverPage, OnStart, OnCommand, RefuseLeaving, Apply,
                                                     OnMessage,        OnEnd};

}  // namespace

void UpdateScreensaverControls(ScreensaverPage& state) {
    HWND focus = GetFocus();
    const int focused = focus != nullptr && GetParent(focus) == state.page ? GetDlgCtrlID(focus) : 0;
    ScreensaverPageFacts facts;
    facts.screensaverOn = IsChecked(state.page, kScreensaverEnable);
    facts.transitionsAvailable = state.transitionsAvailable;
    facts.transitionsOn = IsChecked(state.page, kScreensaverTransitions);
    facts.audioAvailable = state.audioAvailable;
    facts.audioOn = IsChecked(state.page, kScreensaverPlayAudio);
    facts.trackSelected = SendDlgItemMessageA(state.page, kScreensaverTrackList, LB_GETCURSEL, 0, 0) >= 0;
    facts.playing = state.player.IsPlaying();
    const ScreensaverEnabling enabling = DecideScreensaverEnabling(facts);
    for (int control : kOptionControls) EnableControl(state.page, control, enabling.options);
    EnableControl(state.page, kScreensaverTransitions, enabling.transitions);
    EnableControl(state.page, kScreensaverVideoModeLabel, enabling.videoMode);
    EnableControl(state.page, kScreensaverVideoMode, enabling.videoMode);
    EnableControl(state.page, kScreensaverPlayAudio, enabling.playAudio);
    EnableControl(state.page, kScreensaverTrackList, enabling.trackList);
    EnableControl(state.page, kScreensaverAddTrack, enabling.add);
    EnableControl(state.page, kScreensaverDeleteTrack, enabling.remove);
    EnableControl(state.page, kScreensaverPlayTrack, enabling.play);
    EnableControl(state.page, kScreensaverStopTrack, enabling.stop);
    if (focused != 0) MoveFocusOffDisabled(state, focused);
}

INT_PTR CALLBACK ScreensaverPageProcedure(HWND page, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return RunPageProcedure(kHandlers, page, message, wParam, lParam);
}
