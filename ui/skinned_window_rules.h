// The decisions of a skinned window that need no window: which state picture an owner-drawn
// button shows, and where Tab and Shift+Tab move the focus along the skin's chains of control
// ids. The Windows layer (ui/skinned_window_win32.h) turns messages into these inputs and acts
// on the answers.
#pragma once

#include <cstdint>
#include <span>

// What a draw request says about a button (the ODS_* item state flags).
struct ButtonDrawFlags {
    bool disabled = false;
    bool pressed = false;
    bool focused = false;
    bool focusRectHidden = false;  // keyboard cues off: the focus is not shown
};

// The skin's state number (ui/skin_record.h, SkinButtonState): disabled is 0 whatever else
// holds; otherwise normal 1, hovered 5, pressed 7 (pressed beats hovered), and one more when
// the focus is shown.
[[nodiscard]] uint8_t ButtonStateNumber(const ButtonDrawFlags& flags, bool hovered);

// One control of a skin as the focus walk sees it.
struct FocusLink {
    uint32_t controlId = 0;
    uint32_t nextId = 0;      // Tab
    uint32_t previousId = 0;  // Shift+Tab
    bool enabled = false;     // a control that can take the focus
};

// The control that Tab (or Shift+Tab, `backwards`) moves the focus to from `fromId`: the
// first enabled control along the chain of next (previous) ids. 0 leaves the focus where it
// is: the chain ends at id 0 or at an id that no control has, or it loops through disabled
// controls only. Like FindElementById, the last link with an id wins.
[[nodiscard]] uint32_t WalkFocus(std::span<const FocusLink> links, uint32_t fromId, bool backwards);
