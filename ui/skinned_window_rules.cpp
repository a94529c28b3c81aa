#include "ui/skinned_window_rules.h"

#include "ui/skin_record.h"

namespace {

const FocusLink* FindLink(std::span<const FocusLink> links, uint32_t controlId) {
    for (auto link = links.rbegin(); link != links.rend(); ++link) {
        if (link->controlId == controlId) return &*link;
    }
    return nullptr;
}

uint32_t Follow(const FocusLink& link, bool backwards) {
    return backwards ? link.previousId : link.nextId;
}

}  // namespace

uint8_t ButtonStateNumber(const ButtonDrawFlags& flags, bool hovered) {
    if (flags.disabled) return kButtonDisabled;
    uint8_t state = kButtonNormal;
    if (hovered) state = kButtonHover;
    if (flags.pressed) state = kButtonPressed;
    if (flags.focused && !flags.focusRectHidden) ++state;
    return state;
}

uint32_t WalkFocus(std::span<const FocusLink> links, uint32_t fromId, bool backwards) {
    const FocusLink* at = FindLink(links, fromId);
    // Past as many steps as there are links, some control has been reached twice: the chain
    // loops through disabled controls and would never end.
    for (size_t step = 0; at != nullptr && step <= links.size(); ++step) {
        const uint32_t id = Follow(*at, backwards);
        if (id == 0) return 0;
        at = FindLink(links, id);
        if (at != nullptr && at->enabled) return id;
    }
    return 0;
}
