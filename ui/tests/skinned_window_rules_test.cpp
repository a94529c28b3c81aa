// The decisions of skinned windows without a window: button state numbers, the focus walk
// along the skin's id chains, the name filter and the placement of a centred window.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "base/name_characters.h"
#include "ui/skin_record.h"
#include "ui/skinned_window_rules.h"
#include "ui/window_placement.h"

namespace {

TEST(ButtonStateNumber, FollowsDisabledPressedHoveredAndFocus) {
    struct Case {
        ButtonDrawFlags flags;
        bool hovered;
        uint8_t state;
    };
    const Case cases[] = {
        {{}, false, kButtonNormal},
        {{.focused = true}, false, kButtonNormalFocused},
        {{.focused = true, .focusRectHidden = true}, false, kButtonNormal},
        {{}, true, kButtonHover},
        {{.focused = true}, true, kButtonHoverFocused},
        {{.focused = true, .focusRectHidden = true}, true, kButtonHover},
        {{.pressed = true}, false, kButtonPressed},
        {{.pressed = true}, true, kButtonPressed},
        {{.pressed = true, .focused = true}, true, kButtonPressedFocused},
        {{.disabled = true}, false, kButtonDisabled},
        {{.disabled = true, .pressed = true, .focused = true}, true, kButtonDisabled},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonStateNumber(c.flags, c.hovered), c.state)
            << "disabled " << c.flags.disabled << " pressed " << c.flags.pressed << " focused " << c.flags.focused
            << " hidden " << c.flags.focusRectHidden << " hovered " << c.hovered;
    }
}

TEST(WalkFocus, FollowsTheChainOverDisabledControlsAndStopsAtItsEnds) {
    // 1 -> 2 (disabled) -> 3 -> 0; backwards 3 -> 2 -> 1. 4 and 5 loop through each other
    // disabled; 6 leads to an id no control has; 7 is listed twice, the last one wins.
    const std::vector<FocusLink> links = {
        {1, 2, 3, true},  {2, 3, 1, false}, {3, 0, 2, true}, {4, 5, 5, false}, {5, 4, 4, false},
        {6, 99, 4, true}, {7, 1, 0, false}, {8, 7, 7, true}, {7, 3, 0, true},
    };
    struct Case {
        uint32_t from;
        bool backwards;
        uint32_t to;
    };
    const Case cases[] = {
        {1, false, 3},                  // jumps over the disabled 2
        {3, true, 1},                   // the same backwards
        {3, false, 0},                  // the chain ends at id 0: the focus stays
        {1, true, 3},   {4, false, 0},  // a loop of disabled controls ends
        {6, true, 0},                   // ...also when entered from an enabled one
        {6, false, 0},                  // an id that no control has
        {8, false, 7},                  // the last link with id 7 is the enabled one
        {42, false, 0},                 // a focused window that is no control of the skin
    };
    for (const Case& c : cases) {
        EXPECT_EQ(WalkFocus(links, c.from, c.backwards), c.to) << c.from << (c.backwards ? " back" : " on");
    }
    EXPECT_EQ(WalkFocus({}, 1, false), 0u);
}

TEST(NameFilter, AllowsExactlyTheListedCharacters) {
    // Told the other way round: what a file name cannot hold, and the code page's gap.
    const char* refused = "\"*/:<>?\\|";
    for (uint32_t code = 0; code < 256; ++code) {
        bool expected =
            code < 32 || (code < 0x7F && std::strchr(refused, static_cast<int>(code)) == nullptr) || code >= 0xA1;
        EXPECT_EQ(IsAllowedNameCharacter(code), expected) << "byte " << code;
    }
    EXPECT_FALSE(IsAllowedNameCharacter(0x20AC));
}

TEST(CenteredPosition, CentresAndKeepsInsideTheWorkAreaOnEverySide) {
    const ScreenRect work = {0, 40, 1000, 700};  // a task bar above
    const ScreenRect window = {0, 0, 200, 100};
    struct Case {
        ScreenRect reference;
        bool keepInside;
        ScreenPoint at;
    };
    const Case cases[] = {
        {{100, 100, 501, 301}, false, {200, 150}},   // odd widths truncate
        {{900, 300, 1200, 500}, true, {800, 350}},   // hangs over the right edge
        {{900, 300, 1200, 500}, false, {950, 350}},  // ...and may stay there without keep-inside
        {{300, 650, 500, 800}, true, {300, 600}},    // over the bottom
        {{-200, 300, 0, 500}, true, {0, 350}},       // over the left
        {{300, -100, 500, 0}, true, {300, 40}},      // over the top, under the task bar
        {{950, 680, 1100, 760}, true, {800, 600}},   // a corner: both edges
        {{150, 150, 170, 170}, true, {60, 110}},     // a small reference: centred around it
    };
    for (const Case& c : cases) {
        ScreenPoint at = CenteredPosition(window, &c.reference, work, c.keepInside);
        EXPECT_EQ(at.x, c.at.x) << c.reference.left << "," << c.reference.top;
        EXPECT_EQ(at.y, c.at.y) << c.reference.left << "," << c.reference.top;
    }
    // Larger than the work area: the left and top edges win.
    ScreenPoint huge = CenteredPosition({0, 0, 1200, 900}, &work, work, true);
    EXPECT_EQ(huge.x, 0);
    EXPECT_EQ(huge.y, 40);
    // Without a reference: the middle of the work area.
    ScreenPoint middle = CenteredPosition(window, nullptr, work, true);
    EXPECT_EQ(middle.x, 400);
    EXPECT_EQ(middle.y, 320);
}

}  // namespace
